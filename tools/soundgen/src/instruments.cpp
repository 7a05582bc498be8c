// The chip's instruments: tone colour, envelope and vibrato of every pitched voice, and the noise drum kit.
#include "instruments.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace soundgen {

namespace {

struct InstrumentSpec {
    Wave wave;         // tone colour
    float level;       // loudness in the mix, before the piece is scaled to its peak
    float attack;      // seconds to reach full level
    float decay;       // seconds: time constant of the fall from full level to the sustain level
    float sustain;     // share of full level held while the key is down
    float release;     // seconds: time constant of the fade once the key is up
    float gate;        // share of the written length the key is held (1 = legato)
    float vibDelay;    // seconds before the vibrato begins, so short notes stay steady
    float vibRate;     // vibrato speed, Hz
    float vibCents;    // vibrato depth, cents either side
};

constexpr std::array<InstrumentSpec, static_cast<int>(Instrument::Count)> kInstruments = {{
    // wave            level  att    decay  sust  rel    gate  vDelay vRate vCents
    {Wave::Pulse25,    0.50f, 0.006f, 0.35f, 0.70f, 0.07f, 0.92f, 0.22f, 5.5f, 14.0f},  // Lead
    {Wave::Pulse50,    0.42f, 0.004f, 0.25f, 0.62f, 0.06f, 0.88f, 0.20f, 6.0f, 12.0f},  // BrightLead
    {Wave::Pulse12,    0.24f, 0.003f, 0.12f, 0.35f, 0.05f, 0.70f, 9.00f, 0.0f, 0.0f},   // Arp
    {Wave::Pulse12,    0.22f, 0.020f, 0.60f, 0.75f, 0.12f, 0.96f, 0.30f, 4.8f, 10.0f},  // Counter
    {Wave::Triangle,   0.62f, 0.004f, 0.30f, 0.55f, 0.04f, 0.85f, 9.00f, 0.0f, 0.0f},   // Bass
    {Wave::Triangle,   0.58f, 0.015f, 1.20f, 0.70f, 0.20f, 0.98f, 9.00f, 0.0f, 0.0f},   // SlowBass
    {Wave::Pulse50,    0.40f, 0.002f, 0.30f, 0.00f, 0.30f, 1.00f, 9.00f, 0.0f, 0.0f},   // Chime
}};

const InstrumentSpec& SpecOf(Instrument instrument) { return kInstruments[static_cast<int>(instrument)]; }

// Envelope level at `t` seconds for a key held `held` seconds.
double EnvelopeAt(const InstrumentSpec& s, double t, double held) {
    auto heldLevel = [&s](double u) {
        if (u < s.attack) return u / s.attack;
        return s.sustain + (1.0 - s.sustain) * std::exp(-(u - s.attack) / s.decay);
    };
    if (t < held) return heldLevel(t);
    return heldLevel(held) * std::exp(-(t - held) / s.release);
}

double VibratoRatio(const InstrumentSpec& s, double t) {
    if (s.vibCents <= 0.0f || t < s.vibDelay) return 1.0;
    const double fadeIn = std::min(1.0, (t - s.vibDelay) / 0.15);
    const double cents = s.vibCents * fadeIn * std::sin(2.0 * kPi * s.vibRate * (t - s.vibDelay));
    return std::pow(2.0, cents / 1200.0);
}

}  // namespace

double GateOf(Instrument instrument) { return SpecOf(instrument).gate; }

void RenderNote(Canvas& canvas, long start, long heldSamples, double midi, float velocity,
                Instrument instrument) {
    const InstrumentSpec& s = SpecOf(instrument);
    const double hz = MidiToHz(midi);
    const double held = static_cast<double>(heldSamples) / kSampleRate;
    // Six time constants bring the tail below -50 dB; the last few milliseconds ramp to exact zero.
    const long total = heldSamples + static_cast<long>(6.0 * s.release * kSampleRate);
    const long ramp = std::min<long>(40, total / 4);
    ToneOscillator osc(s.wave);
    for (long i = 0; i < total; ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        double level = EnvelopeAt(s, t, held) * s.level * velocity;
        if (i >= total - ramp) level *= static_cast<double>(total - i) / ramp;
        canvas.Add(start + i, static_cast<float>(level * osc.Next(hz * VibratoRatio(s, t))));
    }
}

namespace {

struct DrumSpec {
    float toneFrom, toneTo;   // Hz: the triangle body's pitch drops from the first to the second
    float toneDrop;           // seconds: time constant of that drop
    float toneDecay;          // seconds: time constant of the body's fade
    float toneLevel;          // loudness of the body (0 = none)
    NoiseBand band;           // which side of the filter the noise is taken from
    float noiseHz, noiseQ;    // filter centre and sharpness
    float noiseDecay;         // seconds: time constant of the noise's fade
    float noiseLevel;         // loudness of the noise
    float length;             // seconds until the hit is cut (with a short ramp to zero)
};

constexpr std::array<DrumSpec, static_cast<int>(Drum::Count)> kDrums = {{
    // from    to    drop    decay  tone   band             nHz    nQ    nDecay  noise  length
    {150.0f, 48.0f, 0.030f, 0.140f, 1.00f, NoiseBand::Band, 1200.f, 0.7f, 0.004f, 0.35f, 0.34f},  // Kick
    {230.0f, 180.f, 0.040f, 0.050f, 0.40f, NoiseBand::Band, 2000.f, 0.6f, 0.085f, 0.85f, 0.30f},  // Snare
    {0.0f,   0.0f,  1.0f,   1.0f,   0.00f, NoiseBand::High, 4600.f, 0.7f, 0.018f, 0.55f, 0.10f},  // HatClosed
    {0.0f,   0.0f,  1.0f,   1.0f,   0.00f, NoiseBand::High, 4300.f, 0.7f, 0.110f, 0.42f, 0.45f},  // HatOpen
    {0.0f,   0.0f,  1.0f,   1.0f,   0.00f, NoiseBand::High, 2600.f, 0.5f, 0.420f, 0.60f, 1.60f},  // Crash
    {0.0f,   0.0f,  1.0f,   1.0f,   0.00f, NoiseBand::Band, 3200.f, 2.0f, 0.007f, 0.70f, 0.05f},  // Tick
}};

}  // namespace

void RenderDrum(Canvas& canvas, long start, Drum drum, float velocity, std::uint32_t seed) {
    const DrumSpec& d = kDrums[static_cast<int>(drum)];
    const long total = static_cast<long>(d.length * kSampleRate);
    const long ramp = std::min<long>(40, total / 4);
    ToneOscillator body(Wave::Triangle);  // phase 0 is the wave's zero crossing: no click
    Noise noise(seed);
    Svf filter;
    for (long i = 0; i < total; ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        double value = 0.0;
        if (d.toneLevel > 0.0f) {
            const double hz = d.toneTo + (d.toneFrom - d.toneTo) * std::exp(-t / d.toneDrop);
            value += d.toneLevel * std::exp(-t / d.toneDecay) * body.Next(hz);
        }
        const float n = PickBand(filter.Process(noise.Next(), d.noiseHz, d.noiseQ), d.band);
        value += d.noiseLevel * std::exp(-t / d.noiseDecay) * n;
        if (i >= total - ramp) value *= static_cast<double>(total - i) / ramp;
        canvas.Add(start + i, static_cast<float>(value * velocity * 0.5));
    }
}

}  // namespace soundgen
