// Sound effects built from layers of swept tones and filtered noise, and the airy bed under the stage music.
#pragma once

#include <cstdint>
#include <vector>

#include "dsp.h"

namespace soundgen {

// A tone whose pitch glides from one frequency to another over its length.
struct ToneLayer {
    Wave wave;        // tone colour
    float start;      // seconds into the effect
    float length;     // seconds
    float fromHz;     // pitch at the start
    float toHz;       // pitch at the end (the glide is even in pitch, shaped by `bend`)
    float bend;       // 1: even glide; below 1 the pitch moves fast at first, above 1 it speeds up late
    float level;      // loudness before the effect is scaled to its peak
    float attack;     // seconds to full level
    float decay;      // seconds: time constant of the fall (0: hold to the end)
    float wobbleHz;   // vibrato or trill speed (0: none)
    float wobbleCents;// its depth
    float chopHz;     // on-off pulsing of the level, for alarms (0: none)
};

// Noise through a filter whose cutoff glides over its length.
struct NoiseLayer {
    float start;      // seconds into the effect
    float length;     // seconds
    NoiseBand band;   // which output of the filter is heard
    float fromHz;     // cutoff at the start
    float toHz;       // cutoff at the end
    float q;          // filter sharpness
    float level;      // loudness before the effect is scaled to its peak
    float attack;     // seconds to full level
    float decay;      // seconds: time constant of the fall (0: hold to the end)
    float holdHz;     // new noise value this often, for the chip's grainy crunch (0: every sample)
    std::uint32_t seed;
};

struct Effect {
    std::vector<ToneLayer> tones;
    std::vector<NoiseLayer> noises;
};

// Renders an effect into exactly `samples` samples; every layer ends in silence.
Signal RenderEffect(const Effect& effect, long samples);

// A soft wind that loops seamlessly over `samples` samples.
Signal RenderWindBed(long samples);

}  // namespace soundgen
