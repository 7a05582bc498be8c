// Enemy paths, the playfield bounds, holding still while a shot is out, sidesteps, and aiming at the ship.
#include <gtest/gtest.h>

#include <vector>

#include "game/game.h"
#include "tests/game/enemy_support.h"

namespace enemy_test {
namespace {

using Movement = EnemyWorld;

void SetRow(int slot, const std::vector<int32_t>& pairs) {
  for (int k = 0; k < 20; ++k) g_MovePatterns[slot][k] = pairs[k];
}

TEST_F(Movement, EachPairMovesItsFramesThenPausesOneFrameAndTheRowRepeats) {
  g_EnemyCount = 1;
  // Left and right by turns, so the enemy ends where it started.
  const std::vector<int32_t> row = {3, 20, 5, 20, 3, 30, 5, 30, 3, 40, 5, 40, 3, 50, 5, 50, 3, 60, 5, 60};
  SetRow(0, row);
  Enemy& e = PutEnemy(0, 0, 300, 200);
  std::vector<bool> expected, moved;
  for (int pair = 0; pair < 10; ++pair) {
    expected.push_back(false);
    expected.insert(expected.end(), row[2 * pair + 1], true);
  }
  ASSERT_EQ(expected.size(), 410u);
  for (size_t frame = 0; frame < expected.size(); ++frame) {
    float before = Left(e.quad);
    MoveEnemies();
    moved.push_back(Left(e.quad) != before);
  }
  EXPECT_EQ(moved, expected);
  EXPECT_FLOAT_EQ(Left(e.quad), 300);
  EXPECT_EQ(e.pathStep, 0);
  EXPECT_EQ(e.pathWait, 0);
  MoveEnemies();
  EXPECT_EQ(e.pathWait, 20) << "the row starts again with its first pair";
}

TEST_F(Movement, EveryPatternDirectionMovesAndFourGoesDownLikeOne) {
  g_EnemyCount = 1;
  for (int32_t d = 0; d < 9; ++d) {
    SetRow(0, std::vector<int32_t>(20, d));
    for (int k = 1; k < 20; k += 2) g_MovePatterns[0][k] = 20;
    Enemy& e = PutEnemy(0, 0, 300, 200);
    MoveEnemies();
    MoveEnemies();
    float mx = Left(e.quad) - 300, my = Top(e.quad) - 200;
    EXPECT_TRUE(mx != 0 || my != 0) << "direction " << d << " stands still";
    if (d == 1 || d == 4) {
      EXPECT_FLOAT_EQ(mx, 0) << "direction " << d;
      EXPECT_FLOAT_EQ(my, 4) << "direction " << d;
    }
  }
}

struct Bound {
  int32_t type;
  float x, y;
  int32_t dx, dy;
  float endX, endY;
  int32_t endDx, endDy;
  int32_t endActive;
};

class Bounds : public EnemyWorld, public ::testing::WithParamInterface<Bound> {};

TEST_P(Bounds, TurnBackOrLeavePlay) {
  const Bound& c = GetParam();
  g_EnemyCount = 1;
  Enemy& e = PutEnemy(0, c.type, c.x, c.y);
  e.dx = c.dx, e.dy = c.dy, e.pathWait = 10;
  e.hitRect = HitRect{-1, -1, -1, -1};
  MoveEnemies();
  EXPECT_FLOAT_EQ(Left(e.quad), c.endX);
  EXPECT_FLOAT_EQ(Top(e.quad), c.endY);
  int size = EnemySize(c.type);
  EXPECT_FLOAT_EQ(e.quad.v[2].x, c.endX + size) << "the whole quad is shifted";
  EXPECT_EQ(e.dx, c.endDx);
  EXPECT_EQ(e.dy, c.endDy);
  EXPECT_EQ(e.active, c.endActive);
  HitRect r = RectAt(c.endX, c.endY, size, size);
  EXPECT_TRUE(e.hitRect.left == r.left && e.hitRect.top == r.top && e.hitRect.right == r.right &&
              e.hitRect.bottom == r.bottom)
      << "the hit rectangle follows the quad, also when the enemy leaves";
  EXPECT_EQ(e.pathWait, 9);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Bounds,
    ::testing::Values(Bound{0, 1.5f, 200, -4, 0, 0, 200, 4, 0, 1},          // left
                      Bound{3, 590.5f, 200, 4, 0, 592, 200, -4, 0, 1},      // right
                      Bound{3, 588, 200, 4, 0, 592, 200, 4, 0, 1},          // exactly on the right bound
                      Bound{1, 100, 33.5f, 0, -4, 100, 32, 0, 4, 1},        // top
                      Bound{5, 100, 41.5f, 0, -4, 100, 40, 0, 4, 1},        // the beam enemy's top is 40
                      Bound{0, 100, 41.5f, 0, -4, 100, 37.5f, 0, -4, 1},    // others go higher
                      Bound{6, 100, 428, 0, 4, 100, 432, 0, 4, 1},          // exactly 432 stays
                      Bound{2, 100, 428.5f, 0, 4, 100, 432.5f, 0, 4, 0},    // below it leaves play
                      Bound{7, 2.5f, 200, -4, 0, 0, 200, 4, 0, 1},          // the boss: left
                      Bound{7, 574.5f, 200, 4, 0, 576, 200, -4, 0, 1},      // right
                      Bound{7, 100, 33.5f, 0, -4, 100, 32, 0, 4, 1},        // top
                      Bound{7, 100, 414.5f, 0, 4, 100, 416, 0, -4, 1}));    // and held at the bottom

TEST_F(Movement, BossStandsStillWhileItsSalvoIsOut) {
  g_EnemyCount = 2;
  Enemy& boss = PutEnemy(0, 7, 200, 100);
  boss.dx = 4, boss.pathWait = 10;
  boss.hitRect = HitRect{-1, -1, -1, -1};
  Enemy& after = PutEnemy(1, 0, 400, 100);
  after.dx = 4, after.pathWait = 10;
  PutEnemyShot(0, 7, 300, 300, 32, 32);

  MoveEnemies();
  EXPECT_FLOAT_EQ(Left(boss.quad), 200);
  EXPECT_EQ(boss.pathWait, 10);
  EXPECT_EQ(boss.hitRect.left, -1) << "its rectangle is not refreshed either";
  EXPECT_FLOAT_EQ(Left(after.quad), 400) << "the whole pass ends at the boss";

  g_EnemyShots[0].active = 0;
  MoveEnemies();
  EXPECT_FLOAT_EQ(Left(boss.quad), 204);
}

TEST_F(Movement, BeamEnemyHoldsWhileItsBeamIsOutButStillSidesteps) {
  g_EnemyCount = 2;
  g_FireWork[0] = 1;  // slot 1's beam is in record 0
  Enemy& other = PutEnemy(0, 5, 100, 100);
  Enemy& shooter = PutEnemy(1, 5, 300, 100);
  for (Enemy* e : {&other, &shooter}) e->dx = 4, e->pathWait = 10;
  shooter.hitRect = HitRect{-1, -1, -1, -1};
  PutEnemyShot(0, 5, 300, 300, 32, 32);

  MoveEnemies();
  EXPECT_FLOAT_EQ(Left(other.quad), 104);
  EXPECT_FLOAT_EQ(Left(shooter.quad), 300);
  EXPECT_EQ(shooter.hitRect.left, -1);

  shooter.pathWait = kEvasiveStep;
  shooter.dx = -8;
  MoveEnemies();
  EXPECT_FLOAT_EQ(Left(shooter.quad), 292) << "an evasive step is not held back";
  EXPECT_EQ(shooter.pathWait, 0);
}

struct Evasion {
  float enemyY;
  float sx, sy;
  bool evades;
  int32_t dx, dy;
};

class Evasions : public EnemyWorld, public ::testing::WithParamInterface<Evasion> {};

TEST_P(Evasions, ShotsCloseBelowOrBesideMakeTheEnemyStepAside) {
  const Evasion& c = GetParam();
  g_EnemyCount = 1;
  Enemy& e = PutEnemy(0, 4, 100, c.enemyY);
  e.dx = 4, e.dy = 4, e.pathWait = 20;
  PutPlayerShot(3, c.sx, c.sy);
  EvadePlayerShots();
  EXPECT_EQ(e.pathWait, c.evades ? kEvasiveStep : 20);
  EXPECT_EQ(e.dx, c.evades ? c.dx : 4);
  EXPECT_EQ(e.dy, c.evades ? c.dy : 4);
}

// The enemy's corner is at (100, 200) unless enemyY says otherwise.
INSTANTIATE_TEST_SUITE_P(
    FromBelow, Evasions,
    ::testing::Values(Evasion{200, 110, 250, true, 8, -8}, Evasion{200, 120, 248, true, 8, -8},  // centre: right
                      Evasion{200, 121, 248, true, -8, -8}, Evasion{200, 92, 260, true, 8, -8},
                      Evasion{200, 91, 260, false, 0, 0}, Evasion{200, 148, 260, true, -8, -8},
                      Evasion{200, 149, 260, false, 0, 0}, Evasion{200, 110, 296, true, 8, -8},
                      Evasion{200, 110, 297, false, 0, 0}, Evasion{32, 110, 82, true, 8, -8}));
INSTANTIATE_TEST_SUITE_P(
    Beside, Evasions,
    ::testing::Values(Evasion{200, 92, 200, true, 8, -8}, Evasion{200, 84, 192, true, 8, -8},
                      Evasion{200, 83, 200, false, 0, 0}, Evasion{200, 93, 220, false, 0, 0},
                      Evasion{200, 84, 191, false, 0, 0}, Evasion{200, 148, 247, true, -8, -8},
                      Evasion{200, 156, 200, true, -8, -8}, Evasion{200, 157, 200, false, 0, 0},
                      Evasion{32, 92, 40, true, 8, 0},      // at the top it only steps sideways
                      Evasion{33, 92, 40, true, 8, -8}));

TEST_F(Movement, FirstShotInTableOrderDecides) {
  g_EnemyCount = 1;
  Enemy& e = PutEnemy(0, 4, 100, 200);
  PutPlayerShot(0, 92, 200).active = 0;  // inactive: not looked at
  PutPlayerShot(1, 300, 300);            // active but far away
  PutPlayerShot(2, 150, 200);            // right side: step left
  PutPlayerShot(5, 92, 200);             // left side
  EvadePlayerShots();
  EXPECT_EQ(e.dx, -8);
  g_PlayerShots[2].active = 0;
  EvadePlayerShots();
  EXPECT_EQ(e.dx, 8);
}

TEST_F(Movement, OnlyEnemiesInPlaySidestepWhateverTheirAnimation) {
  g_EnemyCount = 2;
  Enemy& gone = PutEnemy(0, 6, 100, 200);
  gone.active = 0;
  Enemy& stillMarked = PutEnemy(1, 6, 300, 200);
  stillMarked.animPeriod = kExploding;  // in play since frame 8000 with the marker kept
  PutPlayerShot(0, 92, 200);
  PutPlayerShot(1, 292, 200);
  EvadePlayerShots();
  EXPECT_EQ(gone.pathWait, 0);
  EXPECT_EQ(stillMarked.pathWait, kEvasiveStep);
}

TEST_F(Movement, EvasiveStepLastsOneFrameThenTheNextPairStarts) {
  g_EnemyCount = 1;
  Enemy& e = PutEnemy(0, 4, 100, 200);
  e.dx = 4, e.dy = 4, e.pathStep = 4, e.pathWait = 15;
  PutPlayerShot(0, 92, 200);
  EvadePlayerShots();
  MoveEnemies();
  EXPECT_FLOAT_EQ(Left(e.quad), 108);
  EXPECT_FLOAT_EQ(Top(e.quad), 192);
  g_PlayerShots[0].active = 0;
  MoveEnemies();
  EXPECT_FLOAT_EQ(Left(e.quad), 108) << "the rest of the interrupted pair is dropped";
  EXPECT_EQ(e.pathStep, 6);
  EXPECT_EQ(e.pathWait, g_MovePatterns[0][5]);
}

TEST_F(Movement, EvasiveStepIntoTheSideIsReflected) {
  g_EnemyCount = 1;
  Enemy& e = PutEnemy(0, 4, 4, 200);
  e.pathStep = 2;
  PutPlayerShot(0, 56, 200);  // to its right: step left, into the edge
  EvadePlayerShots();
  MoveEnemies();
  EXPECT_FLOAT_EQ(Left(e.quad), 0);
  EXPECT_EQ(e.dx, 8);
  g_PlayerShots[0].active = 0;
  MoveEnemies();
  EXPECT_EQ(e.pathStep, 4);
}

struct Aim {
  int32_t dx, dy;  // from the point aimed from to the ship's centre
  int expected;
};

class Aims : public EnemyWorld, public ::testing::WithParamInterface<Aim> {};

TEST_P(Aims, DirectionFromTheRatioOfTheDistances) {
  const Aim& c = GetParam();
  PutEnemy(3, 0, 200, 200);
  // Stored half-pixel positions truncate to the pixel on their left.
  PutPlayer(200.5f + c.dx, 200.5f + c.dy);
  EXPECT_EQ(AimDirection(3, 24, 24, 0), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Aims,
    ::testing::Values(Aim{0, 0, 0}, Aim{0, 5, 2}, Aim{0, -5, 0}, Aim{5, 0, 1}, Aim{-5, 0, 3},  //
                      Aim{10, -4, 1}, Aim{10, -5, 5}, Aim{2, 5, 2},                             //
                      Aim{29, 12, 1}, Aim{70, 29, 6},     // either side of the 22.5-degree line
                      Aim{-29, -12, 3}, Aim{-70, -29, 4},  //
                      Aim{12, 29, 2}, Aim{29, 70, 6},     // and of the 67.5-degree line
                      Aim{-12, -29, 0}, Aim{-29, 70, 7}, Aim{29, -70, 5}, Aim{-29, -70, 4}));

TEST_F(Movement, AimFromAShotUsesItsCornerPlusTheOffsets) {
  PutEnemyShot(5, 6, 210, 206, 16, 24);
  PutPlayer(194, 194);  // centre (218, 218), the shot's (210 + 8, 206 + 12)
  EXPECT_EQ(AimDirection(5, 8, 12, 1), 0);
  EXPECT_EQ(AimDirection(5, 8, 11, 1), 2);
}

TEST_F(Movement, AimIsDownWhileTheShipIsDestroyed) {
  PutEnemy(3, 0, 200, 200);
  PutPlayer(200, 100);  // straight above
  EXPECT_EQ(AimDirection(3, 24, 24, 0), 0);
  g_PlayerAlive = 0;
  EXPECT_EQ(AimDirection(3, 24, 24, 0), 2);
}

}  // namespace
}  // namespace enemy_test
