// Tests of the synthesiser: pitch and band limit of the oscillators, loop wrapping, and whole-piece checks.
#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

#include "dsp.h"
#include "music.h"

namespace soundgen {
namespace {

Signal Tone(Wave wave, double hz, int samples) {
    ToneOscillator osc(wave);
    Signal s(static_cast<std::size_t>(samples));
    for (float& x : s) x = osc.Next(hz);
    return s;
}

// Strength of one frequency in a signal (a single DFT bin).
double Strength(const Signal& s, double hz) {
    double re = 0.0, im = 0.0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        re += s[i] * std::cos(2.0 * kPi * hz * i / kSampleRate);
        im += s[i] * std::sin(2.0 * kPi * hz * i / kSampleRate);
    }
    return std::hypot(re, im) / s.size();
}

TEST(ToneOscillator, PlaysThePitchAskedFor) {
    for (Wave wave : {Wave::Pulse12, Wave::Pulse25, Wave::Pulse50, Wave::Triangle}) {
        const Signal s = Tone(wave, 441.0, kSampleRate);
        double mean = 0.0;
        for (float x : s) mean += x;
        mean /= s.size();
        int rises = 0;
        for (std::size_t i = 1; i < s.size(); ++i) rises += (s[i - 1] < mean && s[i] >= mean);
        EXPECT_NEAR(rises, 441, 1) << static_cast<int>(wave);
    }
}

TEST(ToneOscillator, LeavesNoAliasesBelowTheFundamental) {
    // A naive 1400 Hz square folds its 7th harmonic (9800 Hz) back to 1225 Hz; a band-limited one must not.
    for (Wave wave : {Wave::Pulse12, Wave::Pulse25, Wave::Pulse50}) {
        const Signal s = Tone(wave, 1400.0, kSampleRate);
        EXPECT_LT(Strength(s, 1225.0), 1e-3 * Strength(s, 1400.0)) << static_cast<int>(wave);
        EXPECT_LT(Strength(s, 425.0), 1e-3 * Strength(s, 1400.0)) << static_cast<int>(wave);
    }
}

TEST(ToneOscillator, SwingsBetweenTheWaveformsLevels) {
    // Pulses may ring past their edges by the 9 % of the jump that any band-limited edge has, no more.
    const struct { Wave wave; double high, low, ringing; } cases[] = {
        {Wave::Pulse50, 1.0, -1.0, 0.2}, {Wave::Pulse25, 1.5, -0.5, 0.2}, {Wave::Pulse12, 1.75, -0.25, 0.2},
        {Wave::Triangle, 1.0, -1.0, 0.02},
    };
    for (const auto& c : cases) {
        const Signal s = Tone(c.wave, 110.0, 2000);  // low enough that most harmonics are kept
        const auto [lo, hi] = std::minmax_element(s.begin(), s.end());
        EXPECT_NEAR(*hi, c.high, c.ringing) << static_cast<int>(c.wave);
        EXPECT_NEAR(*lo, c.low, c.ringing) << static_cast<int>(c.wave);
    }
}

TEST(Canvas, LoopingCanvasWrapsTailsAndOneShotDropsThem) {
    Canvas loop(10, true);
    Canvas once(10, false);
    for (Canvas* c : {&loop, &once}) {
        c->Add(12, 1.0f);
        c->Add(-1, 2.0f);
        c->Add(3, 4.0f);
    }
    EXPECT_EQ(loop.Samples(), (Signal{0, 0, 1, 4, 0, 0, 0, 0, 0, 2}));
    EXPECT_EQ(once.Samples(), (Signal{0, 0, 0, 4, 0, 0, 0, 0, 0, 0}));
}

Piece OneBar(bool loops, std::string melody) {
    return Piece{4, 1, 0.0, loops, 0.0, 0.0f, -1.0, {Melody(Instrument::Lead, std::move(melody))}};
}

TEST(Pieces, ALoopCarriesTheLastNotesTailIntoItsStart) {
    // The note is held to the very end, so its release can only be heard at the top of the loop.
    const Signal looped = RenderPiece(OneBar(true, "r/2 r/4 C5/4 |"), 11025);
    const Signal once = RenderPiece(OneBar(false, "r/2 r/4 C5/4 |"), 11025);
    EXPECT_GT(PeakOf(Signal(looped.begin(), looped.begin() + 200)), 0.05f);
    EXPECT_EQ(PeakOf(Signal(once.begin(), once.begin() + 200)), 0.0f);
}

TEST(Pieces, RejectAPartOfTheWrongLength) {
    Piece piece = OneBar(true, "C5/1 | C5/1 |");
    EXPECT_THROW(RenderPiece(piece, 11025), std::runtime_error);
}

TEST(Pieces, FitTheirBarsToTheSoundsLength) {
    Piece piece = OneBar(true, "C5/1 |");
    piece.bars = 1;
    EXPECT_NEAR(TempoOf(piece, 11025), 240.0, 1e-9);  // four beats in one second
    piece.bpm = 90.0;
    EXPECT_NEAR(TempoOf(piece, 11025), 90.0, 1e-9);
}

}  // namespace
}  // namespace soundgen
