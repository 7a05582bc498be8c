// Start-up, the first frames and teardown of the whole program, driven headless.
#include <gtest/gtest.h>

#include "app/app.h"
#include "game/game.h"
#include "tests/support/harness.h"
#include "title/title.h"

TEST(Startup, FirstFrameRunsTitleSetUpThenSStartsStage) {
  GameHarness game;
  ASSERT_TRUE(game.started);
  EXPECT_EQ(g_Life, -2);
  EXPECT_EQ(g_FrameNo, 0);
  game.Tick();
  EXPECT_EQ(g_FrameNo, 1);
  EXPECT_EQ(g_Life, -1);
  game.Type("S");
  EXPECT_EQ(g_FrameNo, 10);
  game.Tick();
  EXPECT_EQ(g_FrameNo, 11);
  EXPECT_EQ(g_Life, 32);
  game.Tick(600);
  EXPECT_EQ(g_FrameCount, 601);
  EXPECT_EQ(game.Messages(), "");
  EXPECT_EQ(game.host.Finish(), 0);
  EXPECT_TRUE(game.host.Quit());
}
