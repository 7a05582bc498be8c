// The list of the game's sounds: resource id, file, exact length, looping, level, and how each is made.
#include "catalogue.h"

#include <algorithm>
#include <stdexcept>

#include "music.h"
#include "scores/scores.h"
#include "sound_effects.h"

namespace soundgen {

namespace {

// Levels: music peaks near half of full scale; effects sit a little under it, the most frequent ones
// lower still, so that the music, the bed and a pile of effects at once stay clear of clipping.
const std::vector<SoundEntry> kSounds = {
    // id  file               samples  loops  peak   how it is made
    {134, "title.wav",        131430, true,  0.50f, [](long n) { return RenderPiece(TitlePiece(), n); }},
    {135, "stage.wav",        392626, true,  0.48f, [](long n) { return RenderPiece(StagePiece(), n); }},
    {136, "layer.wav",         11059, true,  0.05f, RenderWindBed},
    {137, "shot.wav",           1252, false, 0.11f, [](long n) { return RenderEffect(ShotEffect(), n); }},
    {138, "cue.wav",           18524, false, 0.30f, [](long n) { return RenderPiece(CuePiece(), n); }},
    {139, "hit1.wav",           8216, false, 0.22f, [](long n) { return RenderEffect(ShipHitToneEffect(), n); }},
    {140, "hit2.wav",           6631, false, 0.18f, [](long n) { return RenderEffect(ShipHitNoiseEffect(), n); }},
    {141, "destroy.wav",        3403, false, 0.24f, [](long n) { return RenderEffect(DestroyEffect(), n); }},
    {142, "beam.wav",           9433, false, 0.30f, [](long n) { return RenderEffect(BeamEffect(), n); }},
    {143, "spiral.wav",         2694, false, 0.26f, [](long n) { return RenderEffect(SpiralEffect(), n); }},
    {144, "missile.wav",        3322, false, 0.24f, [](long n) { return RenderEffect(MissileEffect(), n); }},
    {145, "missile_down.wav",   5989, false, 0.28f, [](long n) { return RenderEffect(MissileDownEffect(), n); }},
    {146, "boss.wav",         219608, true,  0.50f, [](long n) { return RenderPiece(BossPiece(), n); }},
    {147, "salvo.wav",          5512, false, 0.30f, [](long n) { return RenderEffect(SalvoEffect(), n); }},
    {148, "break.wav",         11886, false, 0.38f, [](long n) { return RenderEffect(BreakEffect(), n); }},
    {149, "last_break.wav",    20268, false, 0.42f, [](long n) { return RenderEffect(LastBreakEffect(), n); }},
    {150, "boss_hit.wav",       2214, false, 0.20f, [](long n) { return RenderEffect(BossHitEffect(), n); }},
    {151, "gameover.wav",      30418, false, 0.40f, [](long n) { return RenderPiece(GameOverPiece(), n); }},
    {173, "ending.wav",       251052, false, 0.50f, [](long n) { return RenderPiece(EndingPiece(), n); }},
};

// A sound that plays once must end in silence even if a tail reaches its last sample.
void RampEnd(Signal& signal) {
    const long n = static_cast<long>(signal.size());
    const long ramp = std::min<long>(110, n / 8);  // 10 ms
    for (long i = 0; i < ramp; ++i) signal[static_cast<std::size_t>(n - 1 - i)] *= static_cast<float>(i) / ramp;
}

}  // namespace

const std::vector<SoundEntry>& Catalogue() { return kSounds; }

Bytes MakeSound(const SoundEntry& entry) {
    Signal signal = entry.render(entry.samples);
    if (static_cast<long>(signal.size()) != entry.samples) {
        throw std::runtime_error(std::string(entry.file) + ": wrong length");
    }
    if (!entry.loops) RampEnd(signal);
    const float peak = PeakOf(signal);
    if (peak <= 0.0f) throw std::runtime_error(std::string(entry.file) + ": silent");
    for (float& x : signal) x *= entry.peak / peak;
    return ToUnsigned8(signal);
}

}  // namespace soundgen
