// A whole game played through the keyboard: title, stage choice, a few seconds of flying and firing, a screenshot.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/app.h"
#include "game/game.h"
#include "platform/picture.h"
#include "tests/support/harness.h"
#include "tests/support/slot_log.h"
#include "title/title.h"

namespace {

// Flies with the keys held for frames, firing a volley every eighth frame.
int FlyAndFire(GameHarness& game, const std::string& keys, int frames) {
  int volleys = 0;
  game.Type(keys);
  for (int f = 0; f < frames; ++f) {
    if (f % 8 == 0) {
      game.Type("z");
      game.KeyUp(kVkZ);
      ++volleys;
    }
    game.Tick();
  }
  for (char key : keys) game.KeyUp(kVkNumpad2 + (key - '2'));
  return volleys;
}

void ExpectEverythingInsideThePlayfield() {
  if (g_PlayerAlive != 0) {
    EXPECT_GE(g_Player.quad.v[0].x, 0.0f);
    EXPECT_GE(g_Player.quad.v[0].y, 32.0f);
    EXPECT_LE(g_Player.quad.v[2].x, 638.0f);
    EXPECT_LE(g_Player.quad.v[2].y, 456.0f);
  }
  for (int s = 0; s < kPlayerShots; ++s) {
    const SpriteObject& shot = g_PlayerShots[s];
    if (!shot.active || shot.quad.v[0].x > 9999) continue;
    EXPECT_TRUE(shot.quad.v[0].x >= 0 && shot.quad.v[0].x <= 628 && shot.quad.v[0].y >= 32 &&
                shot.quad.v[0].y <= 468)
        << "shot " << s << " at (" << shot.quad.v[0].x << ", " << shot.quad.v[0].y << ")";
  }
}

void ExpectScoreBarAgreesWithTheRun() {
  // Every enemy of the first wave is worth one point, and the ratio is kills per enemy that appeared.
  int score = 100 * g_Digits[0].digit + 10 * g_Digits[1].digit + g_Digits[2].digit;
  EXPECT_EQ(score, g_KillCount);
  ASSERT_GT(g_EnemiesAppeared, 0);
  int r = g_KillCount * 1000 / g_EnemiesAppeared;
  int expected[4] = {r / 1000, r / 100 % 10, r / 10 % 10, r % 10};
  for (int k = 0; k < 4; ++k) EXPECT_EQ(g_RatioShown[k], expected[k]) << "ratio digit " << k;
  if (g_Life < 32) {
    EXPECT_EQ(g_GaugeQuad.v[0].x, 630 - 4 * (31 - g_Life) - 0.5f);
  }
}

TEST(ScriptedGame, TitleThenStageOneThenFiveSecondsOfFlyingAndFiring) {
  GameHarness game(2024);
  game.Tick(30);
  game.Type("K");
  game.Tick(10);
  ASSERT_EQ(g_StageNo, 1);
  game.Type("S");
  game.Tick();
  ASSERT_EQ(g_FrameNo, 11);

  SlotLog log;
  int volleys = FlyAndFire(game, "4", 60);
  volleys += FlyAndFire(game, "86", 40);
  volleys += FlyAndFire(game, "6", 80);
  volleys += FlyAndFire(game, "", 60);
  volleys += FlyAndFire(game, "2", 50);
  game.Type("8");
  game.Type("z");
  game.Tick(9);

  EXPECT_EQ(game.Messages(), "");
  EXPECT_EQ(g_FrameCount, 1 + 290 + 9);
  float v = -0.02439f;
  for (int f = 0; f < 300; ++f) v += -0.0001f;
  EXPECT_EQ(g_ScrollV, v);
  EXPECT_GE(g_Life, 1);
  int shotSounds = static_cast<int>(std::count(log.entries.begin(), log.entries.end(), "play 2"));
  EXPECT_GT(shotSounds, 0);
  EXPECT_LE(shotSounds, volleys + 1);
  ExpectEverythingInsideThePlayfield();
  ExpectScoreBarAgreesWithTheRun();

  const std::string path = testing::TempDir() + "hoshikuzu_scripted_game.png";
  ASSERT_NE(game.host.Frame(), nullptr);
  ASSERT_TRUE(WritePngFile(path, game.host.Frame(), 640, 480, 640, false));
  std::printf("screenshot: %s\n", path.c_str());
  std::ifstream file(path, std::ios::binary);
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  Picture written;
  ASSERT_TRUE(DecodePicture(bytes, &written, nullptr));
  ASSERT_EQ(written.width, 640);
  ASSERT_EQ(written.height, 480);
  int differing = 0;
  for (int i = 0; i < 640 * 480; ++i) differing += (written.pixels[i] | 0xFF000000u) != (game.host.Frame()[i] | 0xFF000000u);
  EXPECT_EQ(differing, 0);
}

}  // namespace
