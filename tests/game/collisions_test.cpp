// The collision passes: shots against enemies and missiles, bullets and bodies against the ship, scoring.
#include <gtest/gtest.h>

#include <vector>

#include "game/game.h"
#include "tests/game/enemy_support.h"

namespace enemy_test {
namespace {

using Collisions = EnemyWorld;

struct Overlap {
  HitRect b;
  bool collides;
};

class Overlaps : public ::testing::TestWithParam<Overlap> {};

TEST_P(Overlaps, TouchingEdgesDoNotCollide) {
  const HitRect a{100, 100, 148, 148};
  EXPECT_EQ(RectsOverlap(a, GetParam().b), GetParam().collides);
  EXPECT_EQ(RectsOverlap(GetParam().b, a), GetParam().collides);
}

INSTANTIATE_TEST_SUITE_P(Cases, Overlaps,
                         ::testing::Values(Overlap{{148, 100, 160, 120}, false}, Overlap{{147, 100, 160, 120}, true},
                                           Overlap{{100, 148, 120, 160}, false}, Overlap{{100, 147, 120, 160}, true},
                                           Overlap{{148, 148, 160, 160}, false}, Overlap{{90, 90, 100, 100}, false},
                                           Overlap{{110, 110, 120, 120}, true}, Overlap{{100, 100, 148, 148}, true},
                                           Overlap{{120, 110, 120, 130}, false}));

void ExpectShotDown(const Enemy& e) {
  EXPECT_EQ(e.active, 0);
  EXPECT_EQ(e.animPeriod, kExploding);
  EXPECT_EQ(e.animCount, -1);
}

int Score() { return 100 * g_Digits[0].digit + 10 * g_Digits[1].digit + g_Digits[2].digit; }

TEST_F(Collisions, ShotOverTwoEnemiesDestroysOnlyTheLowerSlot) {
  g_EnemyCount = 10;
  PutEnemy(2, 1, 100, 100);
  Enemy& upper = PutEnemy(5, 6, 120, 110);
  PutPlayerShot(4, 140, 120);
  HitEnemies();
  ExpectShotDown(g_Enemies[2]);
  EXPECT_EQ(upper.active, 1);
  EXPECT_EQ(g_PlayerShots[4].active, 0);
  EXPECT_EQ(Score(), 1);
  EXPECT_EQ(g_KillCount, 1);
}

TEST_F(Collisions, TwoShotsOnOneEnemyUseOnlyTheLowerShot) {
  g_EnemyCount = 1;
  PutEnemy(0, 2, 100, 100);
  PutPlayerShot(3, 110, 110);
  PutPlayerShot(7, 120, 120);
  HitEnemies();
  ExpectShotDown(g_Enemies[0]);
  EXPECT_EQ(g_PlayerShots[3].active, 0);
  EXPECT_EQ(g_PlayerShots[7].active, 1);
  const std::vector<std::string> sounds = {"rewind 6", "play 6"};
  EXPECT_EQ(SoundLog(), sounds);
}

TEST_F(Collisions, SlotsAboveTheCountAndExplodingEnemiesAreNeitherShotNorRammed) {
  g_EnemyCount = 6;
  Enemy& exploding = PutEnemy(0, 0, 296, 300);
  exploding.active = 0, exploding.animPeriod = kExploding, exploding.animCount = 2;
  Enemy& frozen = PutEnemy(7, 1, 296, 360);
  PutPlayerShot(0, 300, 310);
  PutPlayerShot(1, 300, 370);
  HitEnemies();
  HitPlayerByShots();
  HitPlayerByEnemies();
  EXPECT_EQ(exploding.animCount, 2);
  EXPECT_EQ(frozen.active, 1);
  EXPECT_EQ(g_PlayerShots[0].active, 1);
  EXPECT_EQ(g_PlayerShots[1].active, 1);
  EXPECT_EQ(g_PlayerAlive, 1);
}

struct Carry {
  int32_t hundreds, tens, ones;
  int32_t type;
  int32_t endHundreds, endTens, endOnes;
};

class Scoring : public EnemyWorld, public ::testing::WithParamInterface<Carry> {};

TEST_P(Scoring, PointsCarryIntoTheHigherDigits) {
  const Carry& c = GetParam();
  const int32_t start[3] = {c.hundreds, c.tens, c.ones};
  for (int k = 0; k < 3; ++k) {
    g_Digits[k].digit = start[k];
    SetDigitPicture(g_Digits[k], start[k]);
  }
  g_EnemyCount = 1;
  PutEnemy(0, c.type, 100, 100);
  PutPlayerShot(0, 110, 110);
  HitEnemies();
  const int32_t end[3] = {c.endHundreds, c.endTens, c.endOnes};
  for (int k = 0; k < 3; ++k) {
    EXPECT_EQ(g_Digits[k].digit, end[k]) << "digit " << k;
    EXPECT_FLOAT_EQ(ULeft(g_Digits[k].quad), 0.1f * end[k]) << "picture of digit " << k;
  }
}

INSTANTIATE_TEST_SUITE_P(Kills, Scoring,
                         ::testing::Values(Carry{0, 9, 9, 0, 1, 0, 0}, Carry{0, 3, 8, 6, 0, 4, 3},
                                           Carry{2, 9, 9, 6, 3, 0, 4}, Carry{0, 0, 0, 2, 0, 0, 2},
                                           Carry{0, 0, 4, 5, 0, 0, 7}, Carry{0, 5, 9, 3, 0, 6, 1}));

TEST_F(Collisions, MissilesShotDownBurstAndScoreNothing) {
  g_EnemyCount = 0;
  EnemyShot& first = PutEnemyShot(0, 6, 100, 200, 16, 24);
  EnemyShot& last = PutEnemyShot(3, 6, 300.5f, 250.5f, 24, 24);
  SetQuad(g_BurstQuad, 0, 0, 32, 32, 0, 0, 1, 1);
  PutPlayerShot(1, 305, 255);
  PutPlayerShot(6, 104, 210);
  HitEnemies();
  for (EnemyShot* m : {&first, &last}) {
    EXPECT_EQ(m->active, 0);
    EXPECT_EQ(m->dx, kBurstHeld);
    EXPECT_EQ(m->dy, 0);
  }
  EXPECT_EQ(g_PlayerShots[1].active, 0);
  EXPECT_EQ(g_PlayerShots[6].active, 0);
  EXPECT_FLOAT_EQ(Left(g_BurstQuad), 300.5f) << "the burst shows where the last missile went";
  EXPECT_FLOAT_EQ(g_BurstQuad.v[2].y, 282.5f);
  EXPECT_FLOAT_EQ(g_BurstQuad.v[2].u, 1);
  EXPECT_EQ(Score(), 0);
  EXPECT_EQ(g_KillCount, 0);
  const std::vector<std::string> sounds = {"rewind 10", "play 10", "rewind 10", "play 10"};
  EXPECT_EQ(SoundLog(), sounds);
}

TEST_F(Collisions, MissilesAreOnlyShotAtInTheMissilePhase) {
  PutEnemyShot(0, 5, 500, 200, 32, 32).active = 0;
  EnemyShot& m = PutEnemyShot(3, 6, 100, 200, 16, 24);
  PutPlayerShot(0, 104, 210);
  HitEnemies();
  EXPECT_EQ(m.active, 1);
}

TEST_F(Collisions, DestroyingABeamEnemyWipesTheBeamWithoutPassingTheTurn) {
  g_EnemyCount = 2;
  PutEnemy(0, 5, 100, 100).firePeriod = 1;
  PutEnemy(1, 5, 300, 100).firePeriod = kSilent;
  for (int s = 0; s < 5; ++s) PutEnemyShot(s, 5, 100, 160.0f + 16 * s, 32, 32);
  PutPlayerShot(0, 310, 110);
  HitEnemies();
  for (const EnemyShot& shot : g_EnemyShots) EXPECT_EQ(shot.active, 0);
  EXPECT_EQ(g_Enemies[0].firePeriod, 1);
  EXPECT_EQ(g_Enemies[1].firePeriod, kSilent);
}

TEST_F(Collisions, EnemyShotDownCannotRamTheShipInTheSameFrame) {
  g_EnemyCount = 1;
  PutEnemy(0, 0, 296, 380);
  PutPlayerShot(0, 300, 385);
  HitEnemies();
  HitPlayerByShots();
  HitPlayerByEnemies();
  EXPECT_EQ(g_PlayerAlive, 1);
  EXPECT_EQ(g_Enemies[0].animCount, -1);
}

TEST_F(Collisions, BeamWipedByAShotCannotHitTheShip) {
  g_EnemyCount = 2;
  PutEnemy(0, 5, 100, 100).firePeriod = 1;
  PutEnemy(1, 5, 300, 100);
  PutEnemyShot(0, 5, 300, 400, 32, 32);  // on the ship
  PutPlayerShot(0, 110, 110);
  HitEnemies();
  HitPlayerByShots();
  EXPECT_EQ(g_PlayerAlive, 1);
}

TEST_F(Collisions, ShipHitByABulletIsNotRammedAfterwards) {
  g_EnemyCount = 1;
  Enemy& e = PutEnemy(0, 0, 296, 380);
  PutEnemyShot(9, 0, 310, 420, 12, 24);
  HitEnemies();
  HitPlayerByShots();
  HitPlayerByEnemies();
  EXPECT_EQ(g_PlayerAlive, 0);
  EXPECT_EQ(g_PlayerGas.active, 0);
  EXPECT_EQ(g_EnemyShots[9].active, 0);
  EXPECT_EQ(e.active, 1);
  EXPECT_EQ(e.animPeriod, 20);
  const std::vector<std::string> sounds = {"rewind 4", "play 4", "rewind 5", "play 5"};
  EXPECT_EQ(SoundLog(), sounds);
}

struct BulletHit {
  int32_t phase;  // the type of bullet slot 0
  int slot;       // the bullet on the ship
  bool touching;  // only touching the ship's rectangle
  bool hits;
};

class BulletHits : public EnemyWorld, public ::testing::WithParamInterface<BulletHit> {};

TEST_P(BulletHits, OnlyTheHeadOfABeamOrSalvoCanHit) {
  const BulletHit& c = GetParam();
  PutPlayer(296, 400);  // hit rectangle (298, 402) to (342, 446)
  PutEnemyShot(0, c.phase, 500, 100, 12, 12);
  EnemyShot& b = PutEnemyShot(c.slot, c.phase, c.touching ? 286 : 300, 410, 12, 12);
  HitPlayerByShots();
  EXPECT_EQ(g_PlayerAlive, c.hits ? 0 : 1);
  EXPECT_EQ(b.active, c.hits ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(Cases, BulletHits,
                         ::testing::Values(BulletHit{0, 5, false, true}, BulletHit{3, 39, false, true},
                                           BulletHit{2, 5, true, false}, BulletHit{5, 5, false, false},
                                           BulletHit{5, 0, false, true}, BulletHit{7, 3, false, false},
                                           BulletHit{7, 0, false, true}));

TEST_F(Collisions, BeamHeadOnTheShipPassesTheTurn) {
  g_EnemyCount = 2;
  PutEnemy(0, 5, 100, 100).firePeriod = 1;
  PutEnemy(1, 5, 300, 100).firePeriod = kSilent;
  g_FireWork[0] = 0;
  PutEnemyShot(0, 5, 300, 400, 32, 32);
  PutEnemyShot(1, 5, 300, 300, 32, 32);
  HitPlayerByShots();
  for (const EnemyShot& shot : g_EnemyShots) EXPECT_EQ(shot.active, 0);
  EXPECT_EQ(g_Enemies[0].firePeriod, kSilent);
  EXPECT_EQ(g_Enemies[1].firePeriod, 67);
}

struct Ratio {
  int32_t slot0Type;
  int32_t appeared;
  bool refreshed;
};

class HitRatios : public EnemyWorld, public ::testing::WithParamInterface<Ratio> {};

// The ratio's shown digits share their storage with the stage-clear wait, so the boss must leave them be.
TEST_P(HitRatios, RatioIsRefreshedUntilTheBossArrives) {
  g_EnemyCount = 1;
  PutEnemy(0, GetParam().slot0Type, 100, 100);
  g_KillCount = 1;
  g_EnemiesAppeared = GetParam().appeared;
  for (int32_t& shown : g_RatioShown) shown = 7;
  HitPlayerByEnemies();
  const int32_t expected[4] = {0, 2, 5, 0};  // 25.0 %
  for (int k = 0; k < 4; ++k) EXPECT_EQ(g_RatioShown[k], GetParam().refreshed ? expected[k] : 7) << "digit " << k;
}

INSTANTIATE_TEST_SUITE_P(Cases, HitRatios,
                         ::testing::Values(Ratio{0, 4, true}, Ratio{6, 4, true}, Ratio{7, 4, false},
                                           Ratio{0, 0, false}));

TEST_F(Collisions, RammedEnemyExplodesFromZeroAndScoresNothing) {
  g_EnemyCount = 5;
  Enemy& first = PutEnemy(3, 6, 296, 380);
  Enemy& second = PutEnemy(4, 6, 300, 390);
  HitPlayerByEnemies();
  EXPECT_EQ(g_PlayerAlive, 0);
  EXPECT_EQ(g_PlayerGas.active, 0);
  EXPECT_EQ(first.active, 0);
  EXPECT_EQ(first.animPeriod, kExploding);
  EXPECT_EQ(first.animCount, 0);
  EXPECT_EQ(second.active, 1);
  EXPECT_EQ(Score(), 0);
  EXPECT_EQ(g_KillCount, 0);
  const std::vector<std::string> sounds = {"rewind 4", "play 4", "rewind 5", "play 5", "rewind 6", "play 6"};
  EXPECT_EQ(SoundLog(), sounds);
}

TEST_F(Collisions, RammingTheBossEndsTheSalvoAndLeavesTheBossInPlay) {
  g_EnemyCount = 1;
  Enemy& boss = PutEnemy(0, 7, 280, 380);
  boss.firePeriod = 1;
  g_Enemies[1].active = 1;  // the flash of the salvo
  g_Enemies[2].active = 0;
  g_FireWork[0] = 4;
  for (int s = 0; s < 3; ++s) PutEnemyShot(s, 7, 100, 100.0f + 32 * s, 32, 32);
  HitPlayerByEnemies();
  EXPECT_EQ(g_PlayerAlive, 0);
  EXPECT_EQ(boss.active, 1);
  EXPECT_EQ(boss.animPeriod, 10);
  EXPECT_EQ(boss.firePeriod, 79);
  EXPECT_EQ(g_FireWork[0], 0);
  EXPECT_EQ(g_Enemies[1].active, 0);
  EXPECT_EQ(g_Enemies[2].active, 1);
  for (const EnemyShot& shot : g_EnemyShots) EXPECT_EQ(shot.active, 0);
  const std::vector<std::string> sounds = {"rewind 4", "play 4", "rewind 5", "play 5"};
  EXPECT_EQ(SoundLog(), sounds);
}

}  // namespace
}  // namespace enemy_test
