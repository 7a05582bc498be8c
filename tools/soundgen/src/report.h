// Level checks on the finished sample bytes: peak, loudness, clipping, loop seams and the worst pile-up of sounds.
#pragma once

#include <vector>

#include "wave_file.h"

namespace soundgen {

struct LevelReport {
    double peak;       // largest distance from silence, as a share of full scale (128)
    double peakDb;     // the same in dB below full scale
    double rmsDb;      // loudness, dB below full scale
    long clipped;      // samples stuck at 0 or 255
    int loopJump;      // step from the last sample back to the first
    int largestStep;   // largest step between neighbouring samples inside the sound
};

LevelReport MeasureLevels(const Bytes& samples);

// The loudest moment when the effects all start together on top of the looping music and bed, over every
// position of the music and of the bed. Result as a share of full scale.
double WorstCaseMixPeak(const Bytes& music, const Bytes& bed, const std::vector<const Bytes*>& effects);

}  // namespace soundgen
