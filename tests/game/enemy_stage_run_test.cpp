// Whole stages played unattended to the boss: every enemy phase comes, fights back and is shown.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/app.h"
#include "game/game.h"
#include "platform/framework.h"
#include "platform/picture.h"
#include "tests/support/harness.h"

namespace {

constexpr int32_t kLastFrame = 10050;

struct Phase {
  const char* name;
  int32_t from, to;       // frames [from, to)
  uint32_t enemyTypes;    // the only enemy types in play by the end of its first frame
  uint32_t bulletTypes;   // bullet types that must be seen
};

// The waves overlap: enemies of the wave before stay until they leave or are shot.
constexpr std::array<Phase, 8> kPhases = {{
    {"wave0", 100, 1000, 1u << 0, 0},
    {"wave1", 1000, 2000, 1u << 0 | 1u << 1, 0},
    {"wave2", 2000, 3000, 1u << 0 | 1u << 1 | 1u << 2, 0},
    {"wave3", 3000, 4000, 0xFu, 0},
    {"spiral", 4000, 6000, 1u << 4, 1u << 4},
    {"beam", 6000, 8000, 1u << 5, 1u << 5},
    {"missiles", 8000, 10000, 1u << 6, 1u << 6},
    {"boss", 10000, kLastFrame + 1, 1u << 7, 1u << 7},
}};

uint32_t EnemyTypesInPlay() {
  uint32_t types = 0;
  for (int i = 0; i < g_EnemyCount && i < kEnemySlots; ++i) {
    if (g_Enemies[i].active) types |= 1u << g_Enemies[i].type;
  }
  return types;
}

uint32_t BulletTypesInFlight(int* count) {
  uint32_t types = 0;
  *count = 0;
  for (const EnemyShot& shot : g_EnemyShots) {
    if (shot.active) types |= 1u << shot.type, *count += 1;
  }
  return types;
}

// The busiest frame of a phase: the most bullets in flight, then the most kinds of enemy.
struct Busiest {
  int score = -1;
  int32_t frame = 0;
  std::vector<uint32_t> pixels;
};

std::filesystem::path ScreenshotFolder() {
  std::filesystem::path dir = std::filesystem::path(::testing::TempDir()) / "hoshikuzu-enemy-phases";
  std::filesystem::create_directories(dir);
  return dir;
}

bool WriteScreen(const std::string& name, const uint32_t* pixels) {
  std::string path = (ScreenshotFolder() / name).string();
  return WritePngFile(path, pixels, GfxDevice::kWidth, GfxDevice::kHeight, GfxDevice::kWidth, false);
}

// Steers the ship under the boss with the direction keys and fires a volley every other frame.
void FightBoss(GameHarness& game) {
  const float boss = g_Enemies[0].quad.v[0].x + 32, ship = g_Player.quad.v[0].x + 24;
  game.KeyUp(kVkNumpad4);
  game.KeyUp(kVkNumpad6);
  if (boss > ship + 6) game.Type("6");
  if (boss < ship - 6) game.Type("4");
  if (g_FrameCount % 2 == 0) {
    game.KeyUp(kVkZ);
    game.Type("Z");
  }
}

int BossColumn() { return static_cast<int>(g_Enemies[0].quad.v[0].u * 4 + 0.5f); }

TEST(BossRun, SixBreaksThenThreeExplosionsThenTheStageIsCleared) {
  GameHarness game;
  game.StartStage(2);
  g_FrameCount = 10000;  // straight to the boss: everything it needs is set up on its arrival
  game.Tick();
  ASSERT_EQ(g_Enemies[0].type, 7);
  int32_t lastBreaks = 0, lastStep = 0, clearedAt = 0, endingAt = 0;
  bool stunnedShot = false, explodingShot = false;
  while (g_FrameCount < 16000 && g_ClearPhase < 2) {
    g_Life = 32;
    if (g_ClearPhase == 0) FightBoss(game);
    game.Tick();
    const int32_t breaks = g_FireWork[2], step = g_FireWork[3];
    const Enemy& body = g_Enemies[0];
    ASSERT_GE(breaks, lastBreaks);
    ASSERT_LE(breaks - lastBreaks, 1) << "one break at a time";
    if (body.active && breaks < 6) {
      int expected = breaks <= 2 ? 0 : breaks <= 4 ? 1 : 2;
      ASSERT_EQ(BossColumn(), expected) << "after " << breaks << " breaks, frame " << g_FrameCount;
    }
    if (breaks >= 1 && !body.active && breaks < 6 && !stunnedShot) {
      stunnedShot = WriteScreen("8-boss-stunned.png", game.host.Frame());
    }
    if (step == 1 && !explodingShot) explodingShot = WriteScreen("9-boss-exploding.png", game.host.Frame());
    EXPECT_TRUE(step == lastStep || step == lastStep + 1);
    if (g_ClearPhase == 1 && clearedAt == 0) clearedAt = g_FrameCount;
    if (g_ClearPhase == 2) endingAt = g_FrameCount;
    lastBreaks = breaks, lastStep = step;
  }
  EXPECT_EQ(lastBreaks, 6);
  EXPECT_EQ(lastStep, 3);
  ASSERT_NE(clearedAt, 0) << "the boss was never destroyed";
  EXPECT_EQ(endingAt - clearedAt, 100) << "the wait: the frame the boss fell and 100 more";
  for (int slot = 0; slot < 3; ++slot) EXPECT_EQ(g_Enemies[slot].active, 0);
  EXPECT_TRUE(stunnedShot);
  EXPECT_TRUE(explodingShot);
  EXPECT_EQ(game.Messages(), "");
}

class StageRuns : public ::testing::TestWithParam<int> {};

TEST_P(StageRuns, EveryEnemyPhaseComesAndFightsBack) {
  const int stage = GetParam();
  GameHarness game;
  game.StartStage(stage);
  ASSERT_EQ(g_FrameNo, 11);
  std::array<uint32_t, kPhases.size()> enemiesSeen{}, bulletsSeen{};
  std::array<Busiest, kPhases.size()> busiest{};
  bool writeScreens = stage == 0;

  while (g_FrameCount <= kLastFrame) {
    int32_t frame = g_FrameCount;
    g_Life = 32;  // the ship may fall as often as it likes
    game.Tick();
    size_t p = 0;
    while (p + 1 < kPhases.size() && frame >= kPhases[p + 1].from) ++p;
    if (frame < kPhases[0].from) continue;
    uint32_t enemies = EnemyTypesInPlay();
    int bullets = 0;
    bulletsSeen[p] |= BulletTypesInFlight(&bullets);
    enemiesSeen[p] |= enemies;
    if (frame == kPhases[p].from) {
      EXPECT_EQ(enemies & ~kPhases[p].enemyTypes, 0u) << kPhases[p].name << " at frame " << frame;
    }
    int score = bullets * 16 + __builtin_popcount(enemies);
    if (writeScreens && score >= busiest[p].score) {  // the latest, to show bullets on their way
      busiest[p].score = score;
      busiest[p].frame = frame;
      busiest[p].pixels.assign(game.host.Frame(), game.host.Frame() + GfxDevice::kWidth * GfxDevice::kHeight);
    }
  }

  for (size_t p = 0; p < kPhases.size(); ++p) {
    const Phase& phase = kPhases[p];
    uint32_t own = p < 4 ? 1u << p : phase.enemyTypes;
    EXPECT_NE(enemiesSeen[p] & own, 0u) << phase.name << " never had its enemies in play";
    if (p >= 4) {
      EXPECT_EQ(enemiesSeen[p], own) << phase.name;
    }
    EXPECT_EQ(bulletsSeen[p] & phase.bulletTypes, phase.bulletTypes) << phase.name << " never fired its bullets";
  }
  EXPECT_EQ(g_Enemies[0].type, 7);
  EXPECT_EQ(g_EnemyCount, 1);
  EXPECT_EQ(game.Messages(), "");

  if (!writeScreens) return;
  for (size_t p = 0; p < kPhases.size(); ++p) {
    char name[64];
    std::snprintf(name, sizeof name, "%zu-%s-frame%d.png", p, kPhases[p].name, busiest[p].frame);
    EXPECT_TRUE(WriteScreen(name, busiest[p].pixels.data())) << name;
  }
  std::printf("phase screenshots in %s\n", ScreenshotFolder().string().c_str());
}

INSTANTIATE_TEST_SUITE_P(Stages, StageRuns, ::testing::Values(0, 1, 2, 3));

}  // namespace
