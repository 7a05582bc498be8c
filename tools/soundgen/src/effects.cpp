// Sound effects built from layers of swept tones and filtered noise, and the airy bed under the stage music.
#include "effects.h"

#include <algorithm>
#include <cmath>

namespace soundgen {

namespace {

// Attack, exponential fall and a short ramp to zero at the layer's end, so no layer is cut off with a click.
double LayerEnvelope(double t, double length, double attack, double decay) {
    double level = attack > 0.0 && t < attack ? t / attack : 1.0;
    if (decay > 0.0) level *= std::exp(-std::max(0.0, t - attack) / decay);
    const double ramp = std::min(0.02, length / 4.0);
    if (t > length - ramp) level *= std::max(0.0, (length - t) / ramp);
    return level;
}

double Glide(double from, double to, double position, double bend) {
    return from * std::pow(to / from, std::pow(position, bend));
}

void AddTone(Canvas& canvas, const ToneLayer& layer) {
    const long start = std::lround(layer.start * kSampleRate);
    const long count = std::lround(layer.length * kSampleRate);
    ToneOscillator osc(layer.wave);
    for (long i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        double hz = Glide(layer.fromHz, layer.toHz, t / layer.length, layer.bend);
        if (layer.wobbleHz > 0.0f) {
            hz *= std::pow(2.0, layer.wobbleCents * std::sin(2.0 * kPi * layer.wobbleHz * t) / 1200.0);
        }
        double level = layer.level * LayerEnvelope(t, layer.length, layer.attack, layer.decay);
        if (layer.chopHz > 0.0f) {
            // A rounded on-off pulse rather than a hard gate, which would click at every edge.
            const double s = std::sin(2.0 * kPi * layer.chopHz * t);
            level *= 0.5 + 0.5 * std::tanh(4.0 * s);
        }
        canvas.Add(start + i, static_cast<float>(level * osc.Next(hz)));
    }
}

void AddNoise(Canvas& canvas, const NoiseLayer& layer) {
    const long start = std::lround(layer.start * kSampleRate);
    const long count = std::lround(layer.length * kSampleRate);
    Noise noise(layer.seed);
    Svf filter;
    float held = 0.0f;
    double clock = 1.0;
    for (long i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        clock += layer.holdHz > 0.0f ? layer.holdHz / kSampleRate : 1.0;
        if (clock >= 1.0) {
            clock -= std::floor(clock);
            held = noise.Next();
        }
        const double cutoff = Glide(layer.fromHz, layer.toHz, t / layer.length, 1.0);
        const float filtered = PickBand(filter.Process(held, cutoff, layer.q), layer.band);
        const double level = layer.level * LayerEnvelope(t, layer.length, layer.attack, layer.decay);
        canvas.Add(start + i, static_cast<float>(level * filtered));
    }
}

}  // namespace

Signal RenderEffect(const Effect& effect, long samples) {
    Canvas canvas(static_cast<std::size_t>(samples), false);
    for (const ToneLayer& tone : effect.tones) AddTone(canvas, tone);
    for (const NoiseLayer& noise : effect.noises) AddNoise(canvas, noise);
    return std::move(canvas.Samples());
}

Signal RenderWindBed(long samples) {
    // The same second of noise is filtered twice in a row and only the second pass is kept: the
    // filters then carry the loop's own end into its start, and the seam cannot be heard.
    Noise noise(0xA1E5u);
    Signal white(static_cast<std::size_t>(samples));
    for (float& x : white) x = noise.Next();
    Svf body;     // the low rush of air
    Svf whistle;  // a faint breathy band above it, kept low so it never hisses
    Signal out(white.size());
    for (int pass = 0; pass < 2; ++pass) {
        for (std::size_t i = 0; i < white.size(); ++i) {
            const float low = body.Process(white[i], 520.0, 0.6).low;
            const float breath = whistle.Process(white[i], 1500.0, 1.8).band;
            out[i] = low + 0.22f * breath;
        }
    }
    SmoothLowPass(out, 2200.0, true);
    RemoveDc(out);
    return out;
}

}  // namespace soundgen
