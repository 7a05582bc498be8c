// Signal building blocks of the chip synthesiser: band-limited oscillators, noise, filters, the mixing canvas.
#pragma once

#include <cstdint>
#include <vector>

namespace soundgen {

constexpr int kSampleRate = 11025;  // the game plays every sound at this rate
constexpr double kPi = 3.14159265358979323846;

using Signal = std::vector<float>;

// The four tone colours of the chip: three pulse widths and the soft triangle of the bass.
enum class Wave { Pulse12, Pulse25, Pulse50, Triangle };

double MidiToHz(double midi);

// Sums the waveform's Fourier series only up to a gentle roll-off below the Nyquist limit, so even
// high notes and fast sweeps stay free of the whistling aliases a naive square wave makes at 11025 Hz.
class ToneOscillator {
public:
    explicit ToneOscillator(Wave wave, double startPhase = 0.0);
    float Next(double hz);  // one sample at this frequency, then advance

private:
    const std::vector<float>* coefficients_;
    double phase_;   // in cycles, 0 to 1
    double offset_;  // phase shift that makes every harmonic a plain cosine
};

// White noise from a fixed-seed xorshift, so every run produces identical bytes.
class Noise {
public:
    explicit Noise(std::uint32_t seed);
    float Next();

private:
    std::uint32_t state_;
};

// Topology-preserving state-variable filter: stays stable while its cutoff sweeps over the whole band.
class Svf {
public:
    struct Out { float low, band, high; };
    Out Process(float in, double cutoffHz, double q);

private:
    double ic1_ = 0.0;
    double ic2_ = 0.0;
};

// Which output of the filter is heard: below the cutoff, around it, or above it.
enum class NoiseBand { Low, Band, High };
float PickBand(const Svf::Out& out, NoiseBand band);

// A buffer that notes are added into. A looping canvas wraps everything that runs past its end back
// to its start, which is exactly what a listener hears once the loop has come round a second time.
class Canvas {
public:
    Canvas(std::size_t length, bool wraps);
    void Add(long index, float value);
    bool Wraps() const { return wraps_; }
    long Length() const { return static_cast<long>(samples_.size()); }
    Signal& Samples() { return samples_; }

private:
    Signal samples_;
    bool wraps_;
};

// First-order low-pass run around a looping signal twice so that its state at the loop point is settled.
void SmoothLowPass(Signal& signal, double cutoffHz, bool wraps);
void RemoveDc(Signal& signal);
float PeakOf(const Signal& signal);

}  // namespace soundgen
