// The final boss: its pupil, the snaking chain salvo and its end, re-aiming, hits, breaks and sparks.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "game/game.h"
#include "tests/game/enemy_support.h"

namespace enemy_test {
namespace {

Enemy& Body() { return g_Enemies[0]; }
Enemy& Flash() { return g_Enemies[1]; }
Enemy& Pupil() { return g_Enemies[2]; }

// The boss on, its body at (288, 100), centre (320, 132).
class BossFight : public EnemyWorld {
 protected:
  void SetUp() override {
    EnemyWorld::SetUp();
    g_FrameCount = 10000;
    UpdateEnemies();
    PutQuad(Body().quad, 288, 100, 64, 64, 0, 0.25f);
    Body().hitRect = HitRect{288, 100, 352, 164};
    SoundLog().clear();
  }

  static void RunShotFrame(int32_t frame) {
    g_FrameCount = frame;
    UpdateEnemyShots();
  }

  // A bullet of the salvo standing at whole-pixel (x, y), heading in direction d.
  static EnemyShot& PutChain(int slot, float x, float y, int d) {
    EnemyShot& s = PutEnemyShot(slot, 7, x, y, 32, 32);
    g_ShotDir[slot] = d;
    return s;
  }

  static void ExpectSalvoEnded() {
    for (const EnemyShot& shot : g_EnemyShots) EXPECT_EQ(shot.active, 0);
    EXPECT_EQ(Body().firePeriod, 79);
    EXPECT_EQ(g_FireWork[0], 0);
    EXPECT_EQ(Flash().active, 0);
    EXPECT_EQ(Pupil().active, 1);
  }
};

constexpr int32_t kFireFrame = 10112;  // a multiple of the resting period 79

struct Snapshot {
  int32_t x, y, dir, active;
  bool parked;
};

std::vector<Snapshot> TakeSnapshot() {
  std::vector<Snapshot> all;
  for (int s = 0; s < kEnemyShots; ++s) {
    const EnemyShot& shot = g_EnemyShots[s];
    all.push_back(Snapshot{static_cast<int32_t>(Left(shot.quad)), static_cast<int32_t>(Top(shot.quad)), g_ShotDir[s],
                           shot.active, Left(shot.quad) > 9999});
  }
  return all;
}

TEST_F(BossFight, HeadShowsAtTheLaunchPointThenLeadsTheSnake) {
  PutPlayer(296, 400);  // straight below
  RunShotFrame(kFireFrame - 1);
  EXPECT_FLOAT_EQ(Left(Pupil().quad), 312);
  EXPECT_FLOAT_EQ(Top(Pupil().quad), 126);

  RunShotFrame(kFireFrame);
  EnemyShot& head = g_EnemyShots[0];
  ASSERT_EQ(head.active, 1);
  EXPECT_FLOAT_EQ(Left(head.quad), 303.5f);
  EXPECT_FLOAT_EQ(Top(head.quad), 133.5f);
  EXPECT_EQ(head.hitRect.left, 303);
  EXPECT_EQ(head.hitRect.top, 133);
  EXPECT_EQ(Body().firePeriod, 1);
  EXPECT_EQ(Flash().active, 1);
  EXPECT_EQ(Flash().type, 7);
  EXPECT_FLOAT_EQ(Left(Flash().quad), 307.5f);
  EXPECT_FLOAT_EQ(Flash().quad.v[2].y, 145.5f);
  EXPECT_FLOAT_EQ(URight(Flash().quad), 0.6f);
  EXPECT_EQ(Pupil().active, 0);
  const std::vector<std::string> sounds = {"rewind 12", "play 12"};
  EXPECT_EQ(SoundLog(), sounds);

  g_EnemyShots[1].hitRect = HitRect{-7, -7, -7, -7};
  RunShotFrame(kFireFrame + 1);
  EXPECT_FLOAT_EQ(Top(head.quad), 149.5f);
  EXPECT_FLOAT_EQ(Left(g_EnemyShots[1].quad), 303.5f) << "a new follower shows at the launch point";
  EXPECT_FLOAT_EQ(Top(g_EnemyShots[1].quad), 133.5f);
  RunShotFrame(kFireFrame + 2);
  EXPECT_FLOAT_EQ(Left(g_EnemyShots[1].quad), 303);
  EXPECT_FLOAT_EQ(Top(g_EnemyShots[1].quad), 149);
  EXPECT_EQ(g_EnemyShots[1].hitRect.left, -7) << "followers keep no rectangle";
}

TEST_F(BossFight, EachFollowerTakesThePlaceAndDirectionOfTheOneBeforeIt) {
  g_FireWork[2] = 3;  // the head re-aims
  PutPlayer(296, 400);
  RunShotFrame(kFireFrame - 1);
  std::vector<int32_t> headDirs;
  for (int k = 0; k < 9; ++k) {
    PutPlayer(k / 2 % 2 ? 550 : 50, 400);  // the ship moves from side to side, so the head turns
    std::vector<Snapshot> before = TakeSnapshot();
    RunShotFrame(kFireFrame + k);
    ASSERT_EQ(g_EnemyShots[0].active, 1) << "frame " << k;
    headDirs.push_back(g_ShotDir[0]);
    for (int s = 1; s < kEnemyShots && before[s].active; ++s) {
      if (before[s].parked) continue;
      const EnemyShot& shot = g_EnemyShots[s];
      EXPECT_FLOAT_EQ(Left(shot.quad), static_cast<float>(before[s - 1].x)) << "frame " << k << " slot " << s;
      EXPECT_FLOAT_EQ(Top(shot.quad), static_cast<float>(before[s - 1].y)) << "frame " << k << " slot " << s;
      EXPECT_EQ(g_ShotDir[s], before[s - 1].dir) << "frame " << k << " slot " << s;
      EXPECT_FLOAT_EQ(ULeft(shot.quad), before[s - 1].dir * 0.125f) << "frame " << k << " slot " << s;
    }
  }
  EXPECT_NE(std::count(headDirs.begin(), headDirs.end(), headDirs[0]), 9) << "the head has turned on the way";
}

struct Edge {
  float x, y;
  int dir;
  bool ends;
};

class SalvoEdges : public BossFight, public ::testing::WithParamInterface<Edge> {};

TEST_P(SalvoEdges, HeadReachingAnEdgeEndsTheSalvo) {
  const Edge& c = GetParam();
  Flash().active = 1, Pupil().active = 0, Body().firePeriod = 1;
  PutChain(0, c.x, c.y, c.dir);
  RunShotFrame(10001);
  if (c.ends) {
    ExpectSalvoEnded();
  } else {
    EXPECT_EQ(g_EnemyShots[0].active, 1);
    EXPECT_EQ(Flash().active, 1);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, SalvoEdges,
                         ::testing::Values(Edge{592, 200, 1, false}, Edge{593, 200, 1, true},
                                           Edge{16, 200, 3, false}, Edge{15, 200, 3, true},
                                           Edge{300, 432, 2, false}, Edge{300, 433, 2, true},
                                           Edge{300, 48, 0, false}, Edge{300, 47, 0, true}));

TEST_F(BossFight, FollowerReachingAnEdgeEndsTheSalvoAndTheFramesPass) {
  Flash().active = 1, Pupil().active = 0;
  PutChain(0, -10, 200, 1);  // steps back inside, but leaves its old place to the follower
  PutChain(1, 20, 200, 1);
  PutChain(2, 40, 200, 1);
  EnemyShot& held = PutEnemyShot(3, 6, 500, 300, 16, 24);
  held.active = 0, held.dx = kBurstHeld, held.dy = 2;
  RunShotFrame(10001);
  ExpectSalvoEnded();
  EXPECT_FLOAT_EQ(Left(g_EnemyShots[0].quad), 6);
  EXPECT_FLOAT_EQ(Left(g_EnemyShots[2].quad), 40) << "nothing after the follower moved";
  EXPECT_EQ(held.dy, 2);
}

struct Reaim {
  int32_t breaks;
  int32_t limit;
};

class Reaims : public BossFight, public ::testing::WithParamInterface<Reaim> {};

TEST_P(Reaims, HeadTurnsOnlyForTheFramesTheBreaksAllow) {
  const int32_t limit = GetParam().limit;
  g_FireWork[2] = GetParam().breaks;
  EnemyShot& head = PutChain(0, 300, 240, 0);
  int32_t frozen = 0;
  for (int k = 0; k < 25; ++k) {
    bool left = k % 2 == 0;
    PutPlayer(left ? 0 : 590, 232);  // level with the head's centre, on alternate sides
    PutQuad(head.quad, 300, 240, 32, 32);
    StepChainShot(0);
    if (k < limit) {
      EXPECT_EQ(g_ShotDir[0], left ? 3 : 1) << "frame " << k;
      frozen = g_ShotDir[0];
    } else {
      EXPECT_EQ(g_ShotDir[0], frozen) << "frame " << k;
    }
  }
  EXPECT_EQ(g_FireWork[0], limit);
}

INSTANTIATE_TEST_SUITE_P(Breaks, Reaims,
                         ::testing::Values(Reaim{0, 0}, Reaim{2, 0}, Reaim{3, 10}, Reaim{4, 10}, Reaim{5, 20}));

struct BreakCase {
  int32_t breaksBefore;
  int sound;
  float u0, u1;
};

class Breaks : public BossFight, public ::testing::WithParamInterface<BreakCase> {};

TEST_P(Breaks, EleventhHitBreaksTheBoss) {
  const BreakCase& c = GetParam();
  g_FireWork[1] = 10;
  g_FireWork[2] = c.breaksBefore;
  Flash().active = 1, Pupil().active = 0;
  PutChain(0, 300, 300, 2);
  PutChain(1, 300, 284, 2);
  PutPlayerShot(4, 300, 120);

  HitBoss();

  EXPECT_EQ(g_FireWork[2], c.breaksBefore + 1);
  EXPECT_EQ(g_FireWork[1], 0);
  EXPECT_EQ(Body().active, 0);
  EXPECT_EQ(Body().animPeriod, kExploding);
  EXPECT_EQ(Body().animCount, 0);
  EXPECT_EQ(Body().firePeriod, kSilent);
  EXPECT_FLOAT_EQ(ULeft(Body().quad), c.u0);
  EXPECT_FLOAT_EQ(URight(Body().quad), c.u1);
  EXPECT_EQ(Flash().active, 0);
  EXPECT_EQ(Pupil().active, 0);
  for (const EnemyShot& shot : g_EnemyShots) EXPECT_EQ(shot.active, 0);
  std::string n = std::to_string(c.sound);
  const std::vector<std::string> sounds = {"rewind 15", "rewind " + n, "play " + n, "play 15"};
  EXPECT_EQ(SoundLog(), sounds);
  EXPECT_EQ(g_HitSparks[0].active, 1);
}

INSTANTIATE_TEST_SUITE_P(Bouts, Breaks,
                         ::testing::Values(BreakCase{0, 13, 0.75f, 1}, BreakCase{4, 13, 0.75f, 1},
                                           BreakCase{5, 14, 0, 0.33333f}));

TEST_F(BossFight, SecondShotOfTheBreakingFrameStartsTheNextBout) {
  g_FireWork[1] = 10;
  PutPlayerShot(0, 0, 300);  // misses
  PutPlayerShot(2, 300, 120);
  PutPlayerShot(5, 320, 130, 3);
  HitBoss();
  EXPECT_EQ(g_FireWork[2], 1);
  EXPECT_EQ(g_FireWork[1], 1);
  EXPECT_EQ(g_PlayerShots[0].active, 1);
  EXPECT_EQ(g_PlayerShots[2].active, 0);
  EXPECT_EQ(g_PlayerShots[5].active, 0);
  ASSERT_EQ(g_HitSparks[1].active, 1);
  EXPECT_FLOAT_EQ(Left(g_HitSparks[1].quad), 319.5f);
  EXPECT_FLOAT_EQ(Top(g_HitSparks[1].quad), 129.5f);
  EXPECT_FLOAT_EQ(g_HitSparks[1].quad.v[2].x, 335.5f);
  EXPECT_FLOAT_EQ(ULeft(g_HitSparks[1].quad), 0.375f) << "the spark picture follows the shot's direction";
  EXPECT_EQ(CountSound("play 15"), 2);
}

TEST_F(BossFight, SeventhHitInOneFrameCountsButMakesNoSpark) {
  for (int s = 0; s < 7; ++s) PutPlayerShot(s, 290.0f + 8 * s, 120);
  HitBoss();
  EXPECT_EQ(g_FireWork[1], 7);
  for (const HitSpark& spark : g_HitSparks) EXPECT_EQ(spark.active, 1);
  EXPECT_FLOAT_EQ(Left(g_HitSparks[5].quad), 329.5f);
  for (int s = 0; s < 7; ++s) EXPECT_EQ(g_PlayerShots[s].active, 0);
}

TEST_F(BossFight, HitTakesTheLowestFreeSpark) {
  g_HitSparks[0].active = g_HitSparks[2].active = 1;
  PutPlayerShot(0, 300, 120);
  HitBoss();
  EXPECT_EQ(g_HitSparks[1].active, 1);
  EXPECT_EQ(g_HitSparks[3].active, 0);
}

TEST_F(BossFight, StunnedBossTakesNoHits) {
  Body().active = 0;
  Body().animPeriod = kExploding;
  PutPlayerShot(0, 300, 120);
  HitBoss();
  EXPECT_EQ(g_FireWork[1], 0);
  EXPECT_EQ(g_PlayerShots[0].active, 1);
}

struct Look {
  float playerX, playerY;
  bool alive;
  float offsetX, offsetY;
};

class PupilLooks : public BossFight, public ::testing::WithParamInterface<Look> {};

TEST_P(PupilLooks, PupilSitsTowardTheShip) {
  const Look& c = GetParam();
  PutPlayer(c.playerX, c.playerY);
  g_PlayerAlive = c.alive;
  RunShotFrame(10001);
  EXPECT_FLOAT_EQ(Left(Pupil().quad), 288 + c.offsetX);
  EXPECT_FLOAT_EQ(Top(Pupil().quad), 100 + c.offsetY);
  EXPECT_FLOAT_EQ(Pupil().quad.v[2].x, 288 + c.offsetX + 16);
  EXPECT_FLOAT_EQ(Pupil().quad.v[2].y, 100 + c.offsetY + 16);
}

INSTANTIATE_TEST_SUITE_P(Ships, PupilLooks,
                         ::testing::Values(Look{296, 400, true, 24, 26}, Look{100, 108, true, 14, 20},
                                           Look{400, 32, true, 30, 18}, Look{100, 108, false, 24, 26}));

TEST_F(BossFight, SalvoLaunchesDownwardWhileTheShipIsDestroyed) {
  PutPlayer(100, 108);  // to the left, but gone
  g_PlayerAlive = 0;
  RunShotFrame(kFireFrame - 1);
  RunShotFrame(kFireFrame);
  EXPECT_EQ(g_ChainDir, 2);
  EXPECT_EQ(g_ShotDir[0], 2);
  EXPECT_FLOAT_EQ(Left(g_EnemyShots[0].quad), 303.5f);
  EXPECT_FLOAT_EQ(Top(g_EnemyShots[0].quad), 133.5f);
  EXPECT_FLOAT_EQ(ULeft(g_EnemyShots[0].quad), 0.25f);
}

}  // namespace
}  // namespace enemy_test
