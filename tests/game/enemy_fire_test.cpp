// Enemy fire: when enemies fire, where bullets go, the beam and spiral turns, and the turning missiles.
#include <gtest/gtest.h>

#include "game/game.h"
#include "tests/game/enemy_support.h"

namespace enemy_test {
namespace {

using EnemyFire = EnemyWorld;

void RunShotFrame(int32_t frame) {
  g_FrameCount = frame;
  UpdateEnemyShots();
}

// The missile tables and speed 8, as the missile phase leaves them, with no enemy in play.
void StartMissilePhase() {
  g_EnemyCount = 0;
  g_FrameCount = 8000;
  UpdateEnemies();
  SoundLog().clear();  // the phase's cue
}

int ActiveShots() {
  int n = 0;
  for (const EnemyShot& shot : g_EnemyShots) n += shot.active != 0;
  return n;
}

TEST_F(EnemyFire, FirstShotsComeInFrame101) {
  g_EnemyCount = 2;
  PutEnemy(0, 0, 200, 100).firePeriod = 1;
  PutEnemy(1, 0, 400, 100).firePeriod = 101;
  RunShotFrame(100);
  EXPECT_EQ(ActiveShots(), 0);
  RunShotFrame(101);
  ASSERT_EQ(ActiveShots(), 2);
  const EnemyShot& shot = g_EnemyShots[0];
  EXPECT_EQ(shot.type, 0);
  // Launched 18 right of and 48 below the enemy's corner, then falling 8 in the same frame.
  EXPECT_FLOAT_EQ(Left(shot.quad), 217.5f);
  EXPECT_FLOAT_EQ(Top(shot.quad), 155.5f);
  EXPECT_FLOAT_EQ(shot.quad.v[2].y - shot.quad.v[0].y, 24);
  EXPECT_FLOAT_EQ(Left(g_EnemyShots[1].quad), 417.5f);
}

TEST_F(EnemyFire, ShotIsLostWhenEverySlotIsBusy) {
  g_EnemyCount = 1;
  Enemy& e = PutEnemy(0, 5, 200, 100);
  e.firePeriod = 67;
  for (int s = 0; s < kEnemyShots; ++s) PutEnemyShot(s, 0, 10.0f * s, 200, 12, 24);
  RunShotFrame(134);
  EXPECT_EQ(e.firePeriod, 67) << "no beam started";
  EXPECT_EQ(CountSound("play 7"), 0);
}

TEST_F(EnemyFire, HeldMissileSlotStaysBusyForSixFrames) {
  g_EnemyCount = 1;
  PutEnemy(0, 0, 200, 100).firePeriod = 1;
  for (int s = 0; s < kEnemyShots; ++s) PutEnemyShot(s, 0, 10.0f * s, 200, 12, 24);
  EnemyShot& held = g_EnemyShots[7];
  held.active = 0, held.type = 6, held.dx = kBurstHeld, held.dy = 0;  // shot down in the frame before

  for (int k = 1; k <= 6; ++k) {
    RunShotFrame(200 + k);
    EXPECT_EQ(held.active, 0) << "frame " << k;
    EXPECT_EQ(held.dy, k <= 5 ? k : 0) << "frame " << k;
  }
  EXPECT_EQ(held.dx, 0);
  RunShotFrame(207);
  EXPECT_EQ(held.active, 1);
  EXPECT_EQ(held.type, 0);
}

struct AimCase {
  int type;
  int32_t dx, dy;  // from the bullet's centre to the ship's centre
  float mx, my;    // the bullet's step per frame
};

class AimedBullets : public EnemyWorld, public ::testing::WithParamInterface<AimCase> {};

TEST_P(AimedBullets, MoveAlongTheLineToTheShip) {
  const AimCase& c = GetParam();
  int half = c.type == 5 ? 16 : 8, size = c.type == 5 ? 32 : c.type == 3 ? 16 : 12;
  PutEnemyShot(0, c.type, 300, 200, size, size);
  PutPlayer(static_cast<float>(300 + half - 24 + c.dx), static_cast<float>(200 + half - 24 + c.dy));
  AimShot(0, c.type, half);
  RunShotFrame(50);
  EXPECT_FLOAT_EQ(Left(g_EnemyShots[0].quad) - 300, c.mx);
  EXPECT_FLOAT_EQ(Top(g_EnemyShots[0].quad) - 200, c.my);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AimedBullets,
    ::testing::Values(AimCase{2, 0, 100, 0, 8}, AimCase{2, 0, -100, 0, -8},  // on the centre line
                      AimCase{2, 0, 0, 0, -8},                              // on the ship's centre: up
                      AimCase{2, 50, 0, 8, 0}, AimCase{2, -50, 0, -8, 0},   //
                      AimCase{2, 40, 40, 8, 8}, AimCase{2, -40, 40, -8, 8},  // ratio 1: both axes full speed
                      AimCase{2, 100, 50, 8, 4}, AimCase{2, 50, -100, 4, -8},  //
                      AimCase{3, 40, -40, 4, -4}, AimCase{3, -30, -60, -2, -4},  //
                      AimCase{5, 30, 60, 8, 16}, AimCase{5, -64, 16, -16, 4}));

TEST_F(EnemyFire, EqualDistancesStoreTheRatioOne) {
  PutEnemyShot(3, 2, 300, 200, 12, 12);
  PutPlayer(300 + 8 - 24 - 40, 200 + 8 - 24 + 40);
  AimShot(3, 2, 8);
  EXPECT_FLOAT_EQ(g_ShotSlope[3], -1);
}

TEST_F(EnemyFire, NewSlowAimedBulletTurnsTheSignsOfThoseInFlight) {
  g_EnemyCount = 1;
  PutEnemyShot(0, 3, 300, 200, 16, 16);
  PutPlayer(300 + 8 - 24 + 40, 200 + 8 - 24 + 20);  // down-right, slope 0.5
  AimShot(0, 3, 8);
  PutEnemy(0, 3, 400, 300).firePeriod = 1;
  PutPlayer(100, 50);  // now far up-left of the new bullet

  RunShotFrame(200);

  ASSERT_EQ(g_EnemyShots[1].active, 1);
  EXPECT_EQ(g_EnemyShots[1].type, 3);
  EXPECT_FLOAT_EQ(Left(g_EnemyShots[0].quad), 296);
  EXPECT_FLOAT_EQ(Top(g_EnemyShots[0].quad), 198) << "its own slope, the new bullet's signs";
}

struct Curve {
  float startY;
  int32_t mode;
  float endX, endY;
  int32_t steps;
};

class CurvingBullets : public EnemyWorld, public ::testing::WithParamInterface<Curve> {};

TEST_P(CurvingBullets, CurveStartsInTheFirstFrameFrom300) {
  const Curve& c = GetParam();
  EnemyShot& shot = PutEnemyShot(4, 1, 300, c.startY, 12, 12);
  shot.dx = 0, shot.dy = 8;
  g_FireWork[4] = c.mode;
  g_ShotStep[4] = 0;
  // From 283.5: 291.5, 299.5 and 307.5 straight, then three curve steps; from 284 the third step curves.
  for (int k = 0; k < 6; ++k) RunShotFrame(50);
  EXPECT_FLOAT_EQ(Left(shot.quad), c.endX);
  EXPECT_FLOAT_EQ(Top(shot.quad), c.endY);
  EXPECT_EQ(g_ShotStep[4], c.steps);
}

INSTANTIATE_TEST_SUITE_P(Modes, CurvingBullets,
                         ::testing::Values(Curve{283.5f, 0, 300, 331.5f, 0}, Curve{283.5f, 1, 301, 327.5f, 3},
                                           Curve{283.5f, 2, 299, 327.5f, 3}, Curve{284, 1, 301, 327, 4}));

TEST_F(EnemyFire, CurvingBulletLeavingResetsItsCurveStep) {
  EnemyShot& curving = PutEnemyShot(4, 1, 300, 470, 12, 12);
  EnemyShot& straight = PutEnemyShot(5, 1, 320, 470, 12, 12);
  g_FireWork[4] = 1, g_ShotStep[4] = 5;
  g_FireWork[5] = 0, g_ShotStep[5] = 5;
  straight.dy = 8;
  RunShotFrame(50);
  EXPECT_EQ(curving.active, 0);
  EXPECT_EQ(straight.active, 0);
  EXPECT_EQ(g_ShotStep[4], 0);
  EXPECT_EQ(g_ShotStep[5], 5);
}

TEST_F(EnemyFire, BeamBallsFollowTheHeadAndOnlyTheHeadCanHit) {
  g_EnemyCount = 2;
  PutEnemy(0, 5, 100, 100);
  Enemy& shooter = PutEnemy(1, 5, 300, 100);
  shooter.firePeriod = 67;
  PutPlayer(100, 400);
  g_EnemyShots[1].hitRect = HitRect{-7, -7, -7, -7};

  RunShotFrame(134);
  EXPECT_EQ(shooter.firePeriod, 1);
  EXPECT_EQ(g_FireWork[0], 1);
  RunShotFrame(135);
  RunShotFrame(136);

  ASSERT_EQ(ActiveShots(), 3);
  EXPECT_EQ(g_ShotSlope[1], g_ShotSlope[0]);
  EXPECT_EQ(g_ShotSlope[2], g_ShotSlope[0]);
  EXPECT_EQ(g_DirStepX[1], -1);
  EXPECT_EQ(g_DirStepX[2], -1);
  EXPECT_EQ(g_EnemyShots[1].hitRect.left, -7);
  HitRect head = RectAt(Left(g_EnemyShots[0].quad), Top(g_EnemyShots[0].quad), 32, 32);
  EXPECT_EQ(g_EnemyShots[0].hitRect.left, head.left);
  EXPECT_EQ(g_EnemyShots[0].hitRect.bottom, head.bottom);
  EXPECT_EQ(CountSound("rewind 7"), 1);
  EXPECT_EQ(CountSound("play 7"), 1);
}

struct BeamEnd {
  int32_t shooter;
  int32_t period0, period1;
};

class BeamEnds : public EnemyWorld, public ::testing::WithParamInterface<BeamEnd> {};

TEST_P(BeamEnds, BallAtAnEdgeEndsTheBeamAndPassesTheTurn) {
  g_EnemyCount = 2;
  PutEnemy(0, 5, 100, 100).firePeriod = GetParam().shooter == 0 ? 1 : kSilent;
  PutEnemy(1, 5, 300, 100).firePeriod = GetParam().shooter == 1 ? 1 : kSilent;
  g_FireWork[0] = GetParam().shooter;
  for (int s : {0, 1, 2}) {
    PutEnemyShot(s, 5, 300, s == 1 ? 440.0f : 200.0f + 50 * s, 32, 32);
    g_ShotSlope[s] = 9999, g_DirStepX[s] = 1, g_DirStepY[s] = 1;  // straight down at 16
  }
  PutEnemyShot(3, 0, 500, 200, 12, 24).dy = 8;
  EnemyShot& held = PutEnemyShot(4, 6, 500, 300, 16, 24);
  held.active = 0, held.dx = kBurstHeld, held.dy = 2;

  RunShotFrame(50);

  EXPECT_EQ(ActiveShots(), 0);
  EXPECT_EQ(g_Enemies[0].firePeriod, GetParam().period0);
  EXPECT_EQ(g_Enemies[1].firePeriod, GetParam().period1);
  EXPECT_FLOAT_EQ(Top(g_EnemyShots[0].quad), 216) << "the head moved before the ball left";
  EXPECT_FLOAT_EQ(Top(g_EnemyShots[2].quad), 300) << "the pass stopped at the ball that left";
  EXPECT_FLOAT_EQ(Top(g_EnemyShots[3].quad), 200);
  EXPECT_EQ(held.dy, 2) << "not even a held slot counts on in that frame";
}

INSTANTIATE_TEST_SUITE_P(Shooters, BeamEnds,
                         ::testing::Values(BeamEnd{0, kSilent, 67}, BeamEnd{1, 67, kSilent}));

class SpiralTurns : public EnemyWorld, public ::testing::WithParamInterface<int> {};

TEST_P(SpiralTurns, TwoRingsOfTwelveThenThePartnersTurn) {
  int shooter = GetParam(), partner = 1 - shooter;
  g_EnemyCount = 2;
  PutEnemy(shooter, 4, 200, 100).firePeriod = 59;
  PutEnemy(partner, 4, 400, 100).firePeriod = kSilent;
  g_FireWork[0] = g_FireWork[1] = 0;

  for (int k = 0; k < 24; ++k) {
    g_FrameCount = 118 + 2 * k;
    FireEnemyShots();
    ASSERT_EQ(ActiveShots(), k + 1) << "ball " << k;
    EXPECT_EQ(g_EnemyShots[k].dx, g_SpiralRing[k % 12][0]) << "ball " << k;
    EXPECT_EQ(g_EnemyShots[k].dy, g_SpiralRing[k % 12][1]) << "ball " << k;
    if (k == 11) {
      EXPECT_EQ(g_FireWork[shooter], 1);
    }
    if (k < 23) {
      EXPECT_EQ(g_Enemies[shooter].firePeriod, 2);
    }
  }
  EXPECT_EQ(g_Enemies[shooter].firePeriod, kSilent);
  EXPECT_EQ(g_Enemies[partner].firePeriod, 59);
  EXPECT_EQ(g_FireWork[shooter], 0);
  EXPECT_EQ(CountSound("rewind 8"), 1);
  EXPECT_EQ(CountSound("play 8"), 1);
  EXPECT_FLOAT_EQ(Left(g_EnemyShots[0].quad), 217.5f);

  g_FrameCount = 177;
  FireEnemyShots();
  EXPECT_EQ(g_EnemyShots[24].active, 1);
  EXPECT_FLOAT_EQ(Left(g_EnemyShots[24].quad), 417.5f);
}

INSTANTIATE_TEST_SUITE_P(Shooters, SpiralTurns, ::testing::Values(0, 1));

struct Launch {
  int32_t direction;
  float x, y, w, h;
};

class MissileLaunches : public EnemyWorld, public ::testing::WithParamInterface<Launch> {};

TEST_P(MissileLaunches, MissileLeavesTheLauncherInItsFacing) {
  const Launch& c = GetParam();
  StartMissilePhase();
  g_EnemyCount = 1;
  Enemy& e = PutEnemy(0, 6, 200, 100);
  e.animCount = c.direction;
  e.firePeriod = 60;
  g_FrameCount = 8040;  // a multiple of 60
  FireEnemyShots();
  const EnemyShot& m = g_EnemyShots[0];
  ASSERT_EQ(m.active, 1);
  EXPECT_EQ(m.type, 6);
  EXPECT_EQ(g_ShotDir[0], c.direction);
  EXPECT_FLOAT_EQ(Left(m.quad), c.x - 0.5f);
  EXPECT_FLOAT_EQ(Top(m.quad), c.y - 0.5f);
  EXPECT_FLOAT_EQ(m.quad.v[2].x - m.quad.v[0].x, c.w);
  EXPECT_FLOAT_EQ(m.quad.v[2].y - m.quad.v[0].y, c.h);
  const float* cell = g_SpriteUVTable[14 + c.direction];
  EXPECT_FLOAT_EQ(m.quad.v[0].u, cell[0]);
  EXPECT_FLOAT_EQ(m.quad.v[2].v, cell[3]);
  const std::vector<std::string> sounds = {"rewind 9", "play 9"};
  EXPECT_EQ(SoundLog(), sounds);
}

INSTANTIATE_TEST_SUITE_P(Facings, MissileLaunches,
                         ::testing::Values(Launch{0, 216, 112, 16, 24}, Launch{1, 212, 116, 24, 16},
                                           Launch{6, 212, 112, 24, 24}));

TEST_F(EnemyFire, MissileTurnsOnlyEveryEighthFrame) {
  StartMissilePhase();
  EnemyShot& m = PutEnemyShot(0, 6, 300, 100, 16, 24);
  g_ShotDir[0] = 2, g_ShotStep[0] = 0;
  PutPlayer(560, 130);  // to the right, nearly level

  for (int k = 1; k <= 7; ++k) RunShotFrame(8100 + k);
  EXPECT_EQ(g_ShotDir[0], 2);
  EXPECT_FLOAT_EQ(Top(m.quad), 156);

  RunShotFrame(8108);
  EXPECT_EQ(g_ShotDir[0], 1);
  EXPECT_FLOAT_EQ(Left(m.quad), 308);
  EXPECT_FLOAT_EQ(Top(m.quad), 156);
  EXPECT_FLOAT_EQ(m.quad.v[2].x, 332);
  EXPECT_FLOAT_EQ(m.quad.v[2].y, 172);
  EXPECT_FLOAT_EQ(m.quad.v[1].u, g_SpriteUVTable[15][2]);
  EXPECT_FLOAT_EQ(m.quad.v[3].v, g_SpriteUVTable[15][3]);
  EXPECT_EQ(m.hitRect.right, 324) << "the turn frame still uses the old size";
  EXPECT_EQ(m.hitRect.bottom, 180);

  RunShotFrame(8109);
  EXPECT_EQ(m.hitRect.right, 340);
  EXPECT_EQ(m.hitRect.bottom, 172);
}

TEST_F(EnemyFire, MissileTurnsDownWhileTheShipIsDestroyedAndEdgeTestUsesTheOldSize) {
  StartMissilePhase();
  EnemyShot& m = PutEnemyShot(0, 6, 300, 450, 24, 16);
  g_ShotDir[0] = 1, g_ShotStep[0] = 7;
  PutPlayer(500, 100);
  g_PlayerAlive = 0;

  RunShotFrame(8100);
  EXPECT_EQ(g_ShotDir[0], 2);
  EXPECT_FLOAT_EQ(Top(m.quad), 458);
  EXPECT_FLOAT_EQ(m.quad.v[2].y, 482);
  EXPECT_EQ(m.active, 1) << "458 is inside for the old height 16";

  RunShotFrame(8101);
  EXPECT_EQ(m.active, 0);
  EXPECT_EQ(m.dx, 0) << "leaving the field holds no slot";
}

}  // namespace
}  // namespace enemy_test
