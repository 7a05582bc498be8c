// The chip's instruments: tone colour, envelope and vibrato of every pitched voice, and the noise drum kit.
#pragma once

#include <cstdint>

#include "dsp.h"

namespace soundgen {

// Pitched instruments shared by every piece, so the whole game keeps one voice.
enum class Instrument {
    Lead,       // the singing melody: 25 % pulse with vibrato
    BrightLead, // title and boss melody: 50 % pulse, more bite
    Arp,        // broken chords under the melody: thin 12.5 % pulse, short notes
    Counter,    // held counter-melody and harmony notes: soft 12.5 % pulse
    Bass,       // triangle bass, plucked
    SlowBass,   // triangle bass, sustained, for slow pieces
    Chime,      // bell-like pings: 50 % pulse with a long fall
    Count
};

enum class Drum { Kick, Snare, HatClosed, HatOpen, Crash, Tick, Count };

// Adds one note. `start` and `heldSamples` are in samples; the release tail follows the held part.
void RenderNote(Canvas& canvas, long start, long heldSamples, double midi, float velocity,
                Instrument instrument);

// Written note length times this gives how long the key is held: the instrument's articulation.
double GateOf(Instrument instrument);

// Adds one drum hit; the seed keeps each hit's noise fixed from run to run.
void RenderDrum(Canvas& canvas, long start, Drum drum, float velocity, std::uint32_t seed);

}  // namespace soundgen
