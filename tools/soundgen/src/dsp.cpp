// Signal building blocks of the chip synthesiser: band-limited oscillators, noise, filters, the mixing canvas.
#include "dsp.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace soundgen {

namespace {

constexpr int kMaxHarmonic = 256;       // enough for a 21 Hz tone to reach the roll-off
constexpr double kRollOffStart = 3600;  // Hz: harmonics below this keep their full weight
constexpr double kRollOffEnd = 5200;    // Hz: and above this are left out, short of the 5512 Hz limit

// Fourier weights of one waveform; harmonic k multiplies cos(k * (angle - offset)).
std::vector<float> PulseCoefficients(double duty) {
    std::vector<float> a(kMaxHarmonic + 1, 0.0f);
    for (int k = 1; k <= kMaxHarmonic; ++k) {
        // Twice the series of a 0/1 pulse, so the 50 % pulse swings from -1 to +1.
        a[k] = static_cast<float>(4.0 / (k * kPi) * std::sin(k * kPi * duty));
    }
    return a;
}

std::vector<float> TriangleCoefficients() {
    std::vector<float> a(kMaxHarmonic + 1, 0.0f);
    for (int k = 1; k <= kMaxHarmonic; k += 2) {
        a[k] = static_cast<float>(8.0 / (kPi * kPi * k * k));
    }
    return a;
}

struct WaveShape {
    std::vector<float> coefficients;
    double offset;  // radians by which the series is shifted
};

const WaveShape& ShapeOf(Wave wave) {
    static const std::array<WaveShape, 4> shapes = {{
        {PulseCoefficients(0.125), kPi * 0.125},
        {PulseCoefficients(0.25), kPi * 0.25},
        {PulseCoefficients(0.5), kPi * 0.5},
        {TriangleCoefficients(), kPi * 0.5},
    }};
    return shapes[static_cast<int>(wave)];
}

double RollOffWeight(double harmonicHz) {
    if (harmonicHz <= kRollOffStart) return 1.0;
    if (harmonicHz >= kRollOffEnd) return 0.0;
    const double x = (harmonicHz - kRollOffStart) / (kRollOffEnd - kRollOffStart);
    const double c = std::cos(x * kPi * 0.5);
    return c * c;
}

}  // namespace

double MidiToHz(double midi) { return 440.0 * std::pow(2.0, (midi - 69.0) / 12.0); }

ToneOscillator::ToneOscillator(Wave wave, double startPhase)
    : coefficients_(&ShapeOf(wave).coefficients), phase_(startPhase), offset_(ShapeOf(wave).offset) {}

float ToneOscillator::Next(double hz) {
    const double angle = 2.0 * kPi * phase_ - offset_;
    const double c1 = std::cos(angle);
    const auto& a = *coefficients_;
    // cos(k * angle) by the Chebyshev recurrence: one multiply-add per harmonic instead of a cosine.
    double previous = 1.0;
    double current = c1;
    double sum = 0.0;
    for (int k = 1; k <= kMaxHarmonic && k * hz < kRollOffEnd; ++k) {
        sum += a[k] * RollOffWeight(k * hz) * current;
        const double next = 2.0 * c1 * current - previous;
        previous = current;
        current = next;
    }
    phase_ += hz / kSampleRate;
    phase_ -= std::floor(phase_);
    return static_cast<float>(sum);
}

Noise::Noise(std::uint32_t seed) : state_(seed ? seed : 0x9E3779B9u) {}

float Noise::Next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return static_cast<float>(state_ / 4294967296.0 * 2.0 - 1.0);
}

Svf::Out Svf::Process(float in, double cutoffHz, double q) {
    const double fc = std::clamp(cutoffHz, 10.0, kSampleRate * 0.49);
    const double g = std::tan(kPi * fc / kSampleRate);
    const double k = 1.0 / q;
    const double a1 = 1.0 / (1.0 + g * (g + k));
    const double a2 = g * a1;
    const double a3 = g * a2;
    const double v3 = in - ic2_;
    const double v1 = a1 * ic1_ + a2 * v3;
    const double v2 = ic2_ + a2 * ic1_ + a3 * v3;
    ic1_ = 2.0 * v1 - ic1_;
    ic2_ = 2.0 * v2 - ic2_;
    return {static_cast<float>(v2), static_cast<float>(v1), static_cast<float>(in - k * v1 - v2)};
}

float PickBand(const Svf::Out& out, NoiseBand band) {
    switch (band) {
        case NoiseBand::Low: return out.low;
        case NoiseBand::Band: return out.band;
        case NoiseBand::High: return out.high;
    }
    return out.band;
}

Canvas::Canvas(std::size_t length, bool wraps) : samples_(length, 0.0f), wraps_(wraps) {}

void Canvas::Add(long index, float value) {
    const long n = Length();
    if (wraps_) {
        index %= n;
        if (index < 0) index += n;
    } else if (index < 0 || index >= n) {
        return;
    }
    samples_[static_cast<std::size_t>(index)] += value;
}

void SmoothLowPass(Signal& signal, double cutoffHz, bool wraps) {
    const double a = 1.0 - std::exp(-2.0 * kPi * cutoffHz / kSampleRate);
    double y = 0.0;
    if (wraps) {
        for (float x : signal) y += a * (x - y);  // settle the state on the loop's own tail
    }
    for (float& x : signal) {
        y += a * (x - y);
        x = static_cast<float>(y);
    }
}

void RemoveDc(Signal& signal) {
    double sum = 0.0;
    for (float x : signal) sum += x;
    const float mean = static_cast<float>(sum / static_cast<double>(signal.size()));
    for (float& x : signal) x -= mean;
}

float PeakOf(const Signal& signal) {
    float peak = 0.0f;
    for (float x : signal) peak = std::max(peak, std::fabs(x));
    return peak;
}

}  // namespace soundgen
