// The title screen: the stage cursor and its wrap, the start of a stage, and the title music.
#include <gtest/gtest.h>

#include <string>

#include "app/app.h"
#include "game/game.h"
#include "sound/sound.h"
#include "tests/support/harness.h"
#include "tests/support/quad_checks.h"
#include "tests/support/slot_log.h"
#include "title/title.h"

namespace {

constexpr float kCursorLeft = 202, kFirstCursorTop = 255, kCursorStep = 14;

// The presented frame shows the cursor picture, texel for texel, with its top-left pixel at (left, top).
void ExpectCursorDrawnAt(const GameHarness& game, int left, int top) {
  ASSERT_NE(g_TexSelect, nullptr);
  const uint32_t* frame = game.host.Frame();
  ASSERT_NE(frame, nullptr);
  int mismatches = 0;
  for (int y = 0; y < 9; ++y) {
    for (int x = 0; x < 9; ++x) {
      uint32_t texel = g_TexSelect->Texels()[y * g_TexSelect->Width() + x] | 0xFF000000u;
      mismatches += frame[(top + y) * 640 + left + x] != texel;
    }
  }
  EXPECT_EQ(mismatches, 0) << "cursor pixels that differ at (" << left << ", " << top << ")";
}

TEST(Title, KMovesTheCursorDownOneStageAtATimeAndWrapsAfterTheLast) {
  GameHarness game;
  game.Tick();
  for (int presses = 0; presses <= 8; ++presses) {
    SCOPED_TRACE(std::to_string(presses) + " presses of K");
    if (presses > 0) game.Type("K");
    game.Tick();
    int stage = presses % 4;
    float top = kFirstCursorTop + kCursorStep * stage;
    EXPECT_EQ(g_StageNo, stage);
    ExpectQuad(g_CursorQuad, {kCursorLeft - 0.5f, top - 0.5f, kCursorLeft + 8.5f, top + 8.5f}, {0, 0, 1, 1});
    ExpectCursorDrawnAt(game, static_cast<int>(kCursorLeft), static_cast<int>(top));
  }
}

TEST(Title, TheWrapRebuildsTheCursorWhateverItHeld) {
  GameHarness game;
  game.Tick();
  game.Type("KKK");
  ASSERT_EQ(g_StageNo, 3);
  SetQuad(g_CursorQuad, 17.25f, 3.5f, 100, 90, 0.3f, 0.4f, 0.6f, 0.7f, 0x12345678u);
  for (SpriteVertex& v : g_CursorQuad.v) v.z = 2, v.rhw = 5;
  game.Type("K");
  EXPECT_EQ(g_StageNo, 0);
  ExpectQuad(g_CursorQuad, {201.5f, 254.5f, 210.5f, 263.5f}, {0, 0, 1, 1});
}

TEST(Title, SWithoutKStartsStageZero) {
  GameHarness game;
  game.Tick();
  game.Type("S");
  game.Tick();
  EXPECT_EQ(g_FrameNo, 11);
  EXPECT_EQ(g_StageNo, 0);
  // Stage 0 is the balloon stage.
  ASSERT_NE(g_TexWeather, nullptr);
  EXPECT_EQ(g_TexWeather->Width(), 48);
  EXPECT_EQ(g_TexWeather->Height(), 64);
}

TEST(Title, KAndSBeforeTheFirstFrameChangeNothing) {
  GameHarness game;
  game.Type("KKS");
  EXPECT_EQ(g_FrameNo, 0);
  EXPECT_EQ(g_StageNo, 0);
  game.Tick();
  EXPECT_EQ(g_FrameNo, 1);
  EXPECT_EQ(g_Life, -1);
  ExpectQuadAt(g_CursorQuad, {201.5f, 254.5f, 210.5f, 263.5f});
}

TEST(Title, TheFirstFrameStartsTheTitleMusicInSlotZero) {
  GameHarness game;
  SlotLog log;
  game.Tick();
  EXPECT_EQ(log.entries, (std::vector<std::string>{"reset 0 <- 134", "play 0"}));
  EXPECT_EQ(g_SoundSlotCount, 1);
  game.Tick(10);
  EXPECT_EQ(log.entries.size(), 2u) << "the title plays nothing more by itself";
}

}  // namespace
