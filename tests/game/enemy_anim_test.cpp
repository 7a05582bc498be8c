// Enemy animation: sprite frames, explosions that free their slots, the boss's revivals and its end.
#include <gtest/gtest.h>

#include <vector>

#include "game/game.h"
#include "tests/game/enemy_support.h"

namespace enemy_test {
namespace {

using Animation = EnemyWorld;

constexpr float kFree = -1;  // in an expected column list: the slot is free again in this frame

struct Explosion {
  int32_t type;
  int32_t startCount;
  std::vector<float> columns;  // the u on the quad's left after each frame
};

class Explosions : public EnemyWorld, public ::testing::WithParamInterface<Explosion> {};

TEST_P(Explosions, ColumnsPlayThenTheSlotIsFree) {
  const Explosion& c = GetParam();
  g_EnemyCount = 1;
  Enemy& e = PutEnemy(0, c.type, 100, 100);
  PutQuad(e.quad, 100, 100, 48, 48, 0.25f, 0.375f);
  e.active = 0, e.animPeriod = kExploding, e.animCount = c.startCount;
  for (size_t frame = 0; frame < c.columns.size(); ++frame) {
    AnimateEnemies();
    if (c.columns[frame] == kFree) {
      EXPECT_EQ(e.animPeriod, 10) << "frame " << frame + 1;
      EXPECT_EQ(e.animCount, 11);
      break;
    }
    EXPECT_EQ(e.animPeriod, kExploding) << "frame " << frame + 1;
    EXPECT_NEAR(ULeft(e.quad), c.columns[frame], 1e-4) << "frame " << frame + 1;
    if (c.columns[frame] != 0.25f) {
      EXPECT_NEAR(URight(e.quad) - ULeft(e.quad), 0.3333f, 1e-4);
      EXPECT_FLOAT_EQ(e.quad.v[2].v, 1);
    }
  }
  EXPECT_EQ(e.active, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, Explosions,
    ::testing::Values(Explosion{3, -1, {0, 0, 0.3333f, 0.3333f, 0.6666f, 0.6666f, kFree}},   // shot down
                      Explosion{6, -1, {0, 0, 0.3333f, 0.3333f, 0.6666f, 0.6666f, kFree}},
                      Explosion{0, 0, {0.25f, 0.3333f, 0.3333f, 0.6666f, 0.6666f, kFree}}));  // rammed

struct Frames {
  int32_t type;
  int every;
  std::vector<float> starts;  // u on the quad's left after each change
};

class FrameChanges : public EnemyWorld, public ::testing::WithParamInterface<Frames> {};

TEST_P(FrameChanges, FrameChangesEveryPeriodPlusTwo) {
  const Frames& c = GetParam();
  g_EnemyCount = 1;
  Enemy& e = PutEnemy(0, c.type, 100, 100);
  float u = ULeft(e.quad);
  std::vector<int> changedAt;
  std::vector<float> starts;
  int frames = c.every * static_cast<int>(c.starts.size());
  for (int frame = 1; frame <= frames; ++frame) {
    AnimateEnemies();
    if (ULeft(e.quad) == u) continue;
    u = ULeft(e.quad);
    changedAt.push_back(frame);
    starts.push_back(u);
  }
  ASSERT_EQ(starts.size(), c.starts.size());
  for (size_t k = 0; k < starts.size(); ++k) {
    EXPECT_EQ(changedAt[k], c.every * static_cast<int>(k + 1));
    EXPECT_NEAR(starts[k], c.starts[k], 1e-5) << "change " << k;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Types, FrameChanges,
    ::testing::Values(Frames{1, 22, {0.375f, 0.25f, 0.375f}}, Frames{4, 6, {0.166666f, 0.333332f, 0, 0.166666f}},
                      Frames{5, 12, {0.666666f, 0.5f, 0.833332f, 0.5f, 0.666666f}}));

TEST_F(Animation, BeamEnemyHoldsItsFirstFrameWhileItsBeamIsOut) {
  g_EnemyCount = 2;
  Enemy& other = PutEnemy(0, 5, 100, 100);
  Enemy& shooter = PutEnemy(1, 5, 300, 100);
  for (Enemy* e : {&other, &shooter}) SetQuadU(e->quad, 0.5f, 0.666666f);
  g_FireWork[0] = 1;
  PutEnemyShot(0, 5, 300, 200, 32, 32);
  for (int frame = 0; frame < 36; ++frame) {
    AnimateEnemies();
    EXPECT_EQ(shooter.animFrame, 0) << "frame " << frame;
    EXPECT_FLOAT_EQ(ULeft(shooter.quad), 0.5f) << "frame " << frame;
  }
  EXPECT_EQ(other.animFrame, 3);
}

struct Revival {
  int32_t breaks;
  int column;
};

class Revivals : public EnemyWorld, public ::testing::WithParamInterface<Revival> {};

TEST_P(Revivals, BrokenBossIsBackOnTheSixthFrameShowingItsDamage) {
  g_EnemyCount = 1;
  g_FireWork[2] = GetParam().breaks;
  Enemy& boss = PutEnemy(0, 7, 200, 100);
  SetQuadU(boss.quad, 0.75f, 1);
  boss.active = 0, boss.animPeriod = kExploding, boss.animCount = 0, boss.firePeriod = kSilent;
  g_Enemies[2].active = 0;
  for (int frame = 1; frame <= 5; ++frame) {
    AnimateEnemies();
    EXPECT_EQ(boss.active, 0) << "frame " << frame;
    EXPECT_FLOAT_EQ(ULeft(boss.quad), 0.75f) << "frame " << frame;
  }
  AnimateEnemies();
  EXPECT_EQ(boss.active, 1);
  EXPECT_EQ(g_Enemies[2].active, 1);
  EXPECT_EQ(boss.firePeriod, 79);
  EXPECT_EQ(boss.animPeriod, 10);
  EXPECT_FLOAT_EQ(ULeft(boss.quad), 0.25f * GetParam().column);
  EXPECT_FLOAT_EQ(URight(boss.quad), 0.25f * GetParam().column + 0.25f);
}

INSTANTIATE_TEST_SUITE_P(Breaks, Revivals,
                         ::testing::Values(Revival{1, 0}, Revival{2, 0}, Revival{3, 1}, Revival{4, 1}, Revival{5, 2}));

TEST_F(Animation, SixthBreakPlaysThreeExplosionsOfElevenFramesThenClearsTheStage) {
  g_EnemyCount = 1;
  g_FireWork[2] = 6;
  g_FireWork[3] = 0;  // cleared when the boss arrived
  g_ClearWait = 5;
  Enemy& boss = PutEnemy(0, 7, 200, 100);
  SetQuadU(boss.quad, 0, 0.33333f);  // as the breaking hit left it, shown in that frame
  boss.active = 0, boss.animPeriod = kExploding, boss.animCount = 0;
  g_Enemies[1].animPeriod = g_Enemies[2].animPeriod = 7;
  std::vector<int> framesPerColumn(3, 0);
  framesPerColumn[0] = 1;
  for (int frame = 1; frame <= 32; ++frame) {
    AnimateEnemies();
    ASSERT_EQ(boss.animPeriod, kExploding) << "frame " << frame;
    EXPECT_EQ(boss.active + g_Enemies[1].active + g_Enemies[2].active, 0) << "frame " << frame;
    int column = static_cast<int>(ULeft(boss.quad) / 0.33333f + 0.5f);
    ASSERT_TRUE(column >= 0 && column <= 2);
    framesPerColumn[column] += 1;
  }
  EXPECT_EQ(framesPerColumn, (std::vector<int>{11, 11, 11}));
  EXPECT_EQ(g_ClearPhase, 0);
  EXPECT_EQ(CountSound("rewind 11"), 0);

  AnimateEnemies();
  for (int slot = 0; slot < 3; ++slot) {
    EXPECT_EQ(g_Enemies[slot].active, 0) << "slot " << slot;
    EXPECT_EQ(g_Enemies[slot].animPeriod, 10) << "slot " << slot;
  }
  EXPECT_EQ(g_ClearPhase, 1);
  EXPECT_EQ(g_ClearWait, 0);
  const std::vector<std::string> sounds = {"rewind 11"};
  EXPECT_EQ(SoundLog(), sounds);
}

}  // namespace
}  // namespace enemy_test
