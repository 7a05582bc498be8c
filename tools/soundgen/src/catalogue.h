// The list of the game's sounds: resource id, file, exact length, looping, level, and how each is made.
#pragma once

#include <vector>

#include "wave_file.h"

namespace soundgen {

struct SoundEntry {
    int id;                          // resource id the game loads the sound by
    const char* file;                // file name in res/
    long samples;                    // exact sample count the game's sound slot is built around
    bool loops;                      // played in an endless loop by its slot
    float peak;                      // loudest sample, as a share of full scale
    Signal (*render)(long samples);  // makes the sound at any level; it is scaled to `peak` afterwards
};

const std::vector<SoundEntry>& Catalogue();

// Renders, levels and converts one sound to its sample bytes.
Bytes MakeSound(const SoundEntry& entry);

}  // namespace soundgen
