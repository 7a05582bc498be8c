// One frame of normal play: the background scroll, updates before drawing, and the stage clock last.
#include <gtest/gtest.h>

#include <string>

#include "app/app.h"
#include "game/game.h"
#include "tests/support/harness.h"
#include "tests/support/quad_checks.h"

namespace {

TEST(PlayFrame, TheBackgroundScrollsUpOneStepEveryFrame) {
  GameHarness game;
  game.StartStage(0);
  float v = -0.02439f + -0.0001f;
  for (int frame = 2; frame <= 60; ++frame) {
    game.Tick();
    v += -0.0001f;
    ASSERT_EQ(g_ScrollV, v) << "frame " << frame;
    ExpectQuadUV(g_Background, {0, v, 1, v + 1});
  }
}

TEST(PlayFrame, TheScrollStopsOnceItIsBelowMinusOne) {
  GameHarness game;
  game.StartStage(0);
  g_ScrollV = -0.99995f;
  game.Tick();
  const float last = g_ScrollV;
  EXPECT_LT(last, -1.0f);
  ExpectQuadUV(g_Background, {0, last, 1, last + 1});
  game.Tick(3);
  EXPECT_EQ(g_ScrollV, last);
  ExpectQuadUV(g_Background, {0, last, 1, last + 1});

  g_ScrollV = -1.0f;
  game.Tick();
  EXPECT_EQ(g_ScrollV, -1.0f);
}

TEST(PlayFrame, TheStageClockAdvancesAfterTheUpdatesSoFrame100BringsTheFirstWave) {
  GameHarness game;
  game.StartStage(0);
  game.Tick(99);
  ASSERT_EQ(g_FrameCount, 100);
  EXPECT_EQ(g_EnemyCount, 0);
  game.Tick();
  EXPECT_EQ(g_FrameCount, 101);
  EXPECT_EQ(g_EnemyCount, 10);
  int active = 0;
  for (const Enemy& e : g_Enemies) active += e.active != 0;
  EXPECT_EQ(active, 4);
}

// Every opaque texel of the texture's rectangle (tx, ty, w, h) shows unchanged from screen (x, y) on.
void ExpectDrawnAt(const GameHarness& game, const GfxTexture* texture, int tx, int ty, int w, int h, int x, int y) {
  ASSERT_NE(texture, nullptr);
  const uint32_t* frame = game.host.Frame();
  auto texel = [&](int i, int j) { return texture->Texels()[(ty + j) * texture->Width() + tx + i]; };
  int opaque = 0, wrong = 0;
  for (int j = 0; j < h; ++j) {
    for (int i = 0; i < w; ++i) {
      if (texel(i, j) >> 24 != 0xFF) continue;
      ++opaque;
      wrong += frame[(y + j) * 640 + x + i] != texel(i, j);
    }
  }
  EXPECT_GT(opaque, 0);
  EXPECT_EQ(wrong, 0) << "of " << opaque << " opaque texels at (" << x << ", " << y << ")";
}

TEST(PlayFrame, TheShipIsDrawnWhereThisFramesUpdateMovedAndTurnedIt) {
  GameHarness game;
  game.StartStage(0);
  game.Type("6");
  game.Tick();
  // Ship at x 301.5: pixels from 302, showing the second picture of the sheet, facing right.
  ExpectDrawnAt(game, g_TexJiki, 48, 0, 48, 48, 302, 408);
}

TEST(PlayFrame, ANewShotIsDrawnAtTheMuzzleInTheFrameAfterTheVolley) {
  GameHarness game;
  game.StartStage(0);
  game.Type("z");
  game.Tick();
  // The shot's corners sit on whole pixels, so every pixel centre falls on a texel's edge: each must
  // still show its own texel, not the one before it.
  ExpectDrawnAt(game, g_TexTama, 0, 0, 8, 12, 297, 422);
  ExpectDrawnAt(game, g_TexTama, 0, 0, 8, 12, 333, 422);
}

}  // namespace
