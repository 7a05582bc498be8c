// The built-in sounds: each one as the game's reader takes it, at its exact length, unclipped, and the
// looping ones seamless; and the loudest moment of play mixed without clipping.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "app/app.h"
#include "platform/resources.h"
#include "sound/sound.h"
#include "tests/support/harness.h"

namespace {

struct SoundRow {
  int id;
  uint32_t bytes;  // sample bytes of the data chunk
  bool loops;
};

constexpr SoundRow kSounds[] = {
    {134, 131430, true}, {135, 392626, true}, {136, 11059, true}, {137, 1252, false}, {138, 18524, false},
    {139, 8216, false},  {140, 6631, false},  {141, 3403, false}, {142, 9433, false}, {143, 2694, false},
    {144, 3322, false},  {145, 5989, false},  {146, 219608, true}, {147, 5512, false}, {148, 11886, false},
    {149, 20268, false}, {150, 2214, false},  {151, 30418, false}, {173, 251052, false},
};

TEST(BuiltInSounds, EachReadsAtItsExactLengthInTheGamesFormat) {
  GameHarness game;
  for (const SoundRow& row : kSounds) {
    SCOPED_TRACE(testing::Message() << "sound " << row.id);
    ASSERT_EQ(LoadWaveResource(row.id), 1);
    const WaveFormat& f = g_SoundData->format;
    EXPECT_EQ(f.formatTag, 1);
    EXPECT_EQ(f.channels, 1);
    EXPECT_EQ(f.samplesPerSec, 11025u);
    EXPECT_EQ(f.avgBytesPerSec, 11025u);
    EXPECT_EQ(f.blockAlign, 1);
    EXPECT_EQ(f.bitsPerSample, 8);
    EXPECT_EQ(g_SoundData->byteCount, row.bytes);
    // After the 44-byte header and the samples (and a pad byte for an odd count), 12 to 15 bytes.
    size_t trailing = FindResource("WAVE", row.id).size() - 44 - row.bytes;
    EXPECT_GE(trailing, 12u);
    EXPECT_LE(trailing, 15u);
  }
  EXPECT_EQ(game.Messages(), "");
}

// No sample sits at either end of the 8-bit range, and a looping sound's last sample leads into its first
// no more steeply than its neighbouring samples lead into each other, so the loop point cannot click.
TEST(BuiltInSounds, NothingClipsAndLoopsCloseWithoutAJump) {
  GameHarness game;
  for (const SoundRow& row : kSounds) {
    SCOPED_TRACE(testing::Message() << "sound " << row.id);
    ASSERT_EQ(LoadWaveResource(row.id), 1);
    const uint8_t* s = g_SoundData->samples;
    uint32_t n = g_SoundData->byteCount;
    EXPECT_EQ(std::count_if(s, s + n, [](uint8_t v) { return v == 0 || v == 255; }), 0);
    if (!row.loops) continue;
    int widest = 0;
    for (uint32_t i = 1; i < n; ++i) widest = std::max(widest, std::abs(s[i] - s[i - 1]));
    EXPECT_LE(std::abs(s[0] - s[n - 1]), widest);
  }
}

// The loudest moment the game can make: the stage music and its layer under a volley, a destroyed enemy
// and the ship's two hit sounds, all at once. Tried at several points of the music, through the real mixer.
TEST(BuiltInSounds, TheLoudestMomentOfPlayMixesWithoutClipping) {
  GameHarness game;
  game.host.SetCaptureAudio(true);
  game.StartStage(0);
  constexpr int kEffects[] = {2, 6, 4, 5};
  for (int moment = 0; moment < 12; ++moment) {
    game.Tick(173);  // an odd stride, to land on many different places of the 35-second music
    for (int slot : kEffects) {
      RewindSoundSlot(slot);
      PlaySoundSlot(slot);
    }
    game.Tick(60);
  }
  const std::vector<int16_t>& mix = game.host.CapturedAudio();
  ASSERT_FALSE(mix.empty());
  int peak = 0;
  for (int16_t v : mix) peak = std::max(peak, std::abs(static_cast<int>(v)));
  EXPECT_LT(peak, 32767) << "the mix reached full scale";
  EXPECT_GT(peak, 8000) << "the mix is suspiciously quiet";
}

}  // namespace
