// The enemy schedule: waves, the paired phases with their fire turns, the missile set-up and the boss.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

#include "game/game.h"
#include "tests/game/enemy_support.h"

namespace enemy_test {
namespace {

void RunEnemyFrame(int32_t frame) {
  g_FrameCount = frame;
  UpdateEnemies();
}

bool IsExploding(const Enemy& e) { return e.active == 0 && e.animPeriod == kExploding; }

using Waves = EnemyWorld;

TEST_F(Waves, FirstWaveEntersAtFrame100AndFirstSpawnIsAt200) {
  for (int f = 0; f < 100; ++f) RunEnemyFrame(f);
  EXPECT_EQ(g_WaveNo, 0) << "frame 0 must not advance the wave";
  for (const Enemy& e : g_Enemies) EXPECT_EQ(e.active, 0);
  EXPECT_EQ(CountSound("play 3"), 0);

  RunEnemyFrame(100);
  EXPECT_EQ(g_EnemyCount, 10);
  EXPECT_EQ(g_EnemiesAppeared, 4);
  for (int i = 0; i < kEnemySlots; ++i) EXPECT_EQ(g_Enemies[i].active, i < 4 ? 1 : 0) << "slot " << i;

  for (int f = 101; f < 200; ++f) RunEnemyFrame(f);
  EXPECT_EQ(g_EnemiesAppeared, 4) << "no spawn before frame 200";
  RunEnemyFrame(200);
  EXPECT_EQ(g_EnemiesAppeared, 8);
}

TEST_F(Waves, SpawnTickFillsAtMostFourLowestFreeSlotsAndSkipsExplodingOnes) {
  g_EnemyCount = 10;
  Enemy& exploding = g_Enemies[1];
  exploding.animPeriod = kExploding;
  exploding.animCount = 2;
  PutEnemy(3, 0, 300, 200).pathWait = 50;
  Enemy& reused = g_Enemies[0];
  reused.animFrame = 1, reused.dx = 4, reused.dy = -4, reused.pathStep = 8, reused.pathWait = 33;

  RunEnemyFrame(300);

  for (int slot : {0, 2, 4, 5}) {
    EXPECT_EQ(g_Enemies[slot].active, 1) << "slot " << slot;
    EXPECT_EQ(g_Enemies[slot].type, 0);
  }
  EXPECT_TRUE(IsExploding(exploding));
  for (int slot = 6; slot < kEnemySlots; ++slot) EXPECT_EQ(g_Enemies[slot].active, 0) << "slot " << slot;
  EXPECT_EQ(g_EnemiesAppeared, 4);
  // A wave spawn starts the slot's path from its first pair, which it takes in this frame without moving.
  EXPECT_EQ(reused.animFrame, 0);
  EXPECT_EQ(reused.pathStep, 2);
  EXPECT_EQ(reused.pathWait, g_MovePatterns[0][1]);
  EXPECT_FLOAT_EQ(Top(reused.quad), 31.5f);
}

struct WaveChange {
  int32_t frame;
  int32_t newWave;
  int32_t slotsInPlay;
};

class WaveChanges : public EnemyWorld, public ::testing::WithParamInterface<WaveChange> {};

TEST_P(WaveChanges, SpawnAtTheChangeAlreadyUsesTheNewType) {
  const WaveChange& c = GetParam();
  g_WaveNo = c.newWave - 1;
  g_EnemyCount = g_WaveSizes[g_WaveNo];
  RunEnemyFrame(c.frame);
  EXPECT_EQ(g_WaveNo, c.newWave);
  EXPECT_EQ(g_EnemyCount, c.slotsInPlay);
  const Enemy& first = g_Enemies[0];
  EXPECT_EQ(first.active, 1);
  EXPECT_EQ(first.type, c.newWave);
  EXPECT_FLOAT_EQ(ULeft(first.quad), 0.25f * c.newWave);
  EXPECT_FLOAT_EQ(URight(first.quad), 0.25f * c.newWave + 0.125f);
}

INSTANTIATE_TEST_SUITE_P(Frames, WaveChanges,
                         ::testing::Values(WaveChange{1000, 1, 10}, WaveChange{2000, 2, 6}, WaveChange{3000, 3, 6}));

// A stage clock set back (only a test or a replayed script can do that) meets a wave counter already at
// the last wave: it stays there instead of running past the table of wave sizes.
TEST_F(Waves, TheWaveCounterNeverRunsPastTheLastWave) {
  g_WaveNo = 4;
  g_EnemyCount = 2;
  RunEnemyFrame(1000);
  EXPECT_EQ(g_WaveNo, 4);
  EXPECT_EQ(g_EnemyCount, 2);
}

TEST_F(Waves, SlotsAboveTheShrunkCountStayFrozen) {
  g_WaveNo = 1;
  g_EnemyCount = 10;
  for (int slot = 0; slot < kEnemySlots; ++slot) {
    Enemy& e = PutEnemy(slot, 1, 50.0f * slot, 200);
    e.dx = 4, e.dy = 4, e.pathWait = 30, e.animCount = 5;
  }
  Enemy before[kEnemySlots];
  std::copy(std::begin(g_Enemies), std::end(g_Enemies), before);

  RunEnemyFrame(2000);
  RunEnemyFrame(2001);

  EXPECT_EQ(g_EnemyCount, 6);
  for (int slot = 0; slot < 6; ++slot) EXPECT_EQ(g_Enemies[slot].pathWait, 28) << "slot " << slot;
  for (int slot = 6; slot < kEnemySlots; ++slot) {
    EXPECT_EQ(g_Enemies[slot].active, 1) << "slot " << slot;
    EXPECT_EQ(g_Enemies[slot].pathWait, 30) << "slot " << slot;
    EXPECT_EQ(g_Enemies[slot].animCount, 5) << "slot " << slot;
    EXPECT_EQ(Top(g_Enemies[slot].quad), Top(before[slot].quad)) << "slot " << slot;
  }
}

TEST_F(Waves, Frame4000BringsTheSpiralPairAndClearsEverythingElse) {
  g_WaveNo = 3;
  g_EnemyCount = 6;
  for (int slot = 0; slot < kEnemySlots; ++slot) PutEnemy(slot, 3, 50.0f * slot, 200);
  g_Enemies[1].active = 0;
  g_Enemies[1].animPeriod = kExploding;
  g_Enemies[0].pathStep = 4;  // resumed, not restarted
  g_FireWork[0] = g_FireWork[1] = 7;
  PutEnemyShot(0, 3, 100, 100, 16, 16);
  PutEnemyShot(17, 3, 200, 100, 16, 16);
  int32_t appeared = g_EnemiesAppeared;

  RunEnemyFrame(4000);

  EXPECT_EQ(g_WaveNo, 4);
  EXPECT_EQ(g_EnemyCount, 2);
  for (int slot = 0; slot < 2; ++slot) {
    const Enemy& e = g_Enemies[slot];
    EXPECT_EQ(e.active, 1);
    EXPECT_EQ(e.type, 4);
    EXPECT_EQ(e.animPeriod, 4);
    EXPECT_EQ(g_FireWork[slot], 0);
    EXPECT_FLOAT_EQ(ULeft(e.quad), 0);
    EXPECT_FLOAT_EQ(URight(e.quad), 0.166666f);
    EXPECT_FLOAT_EQ(Top(e.quad), 31.5f);
  }
  EXPECT_EQ(g_Enemies[0].firePeriod, 59);
  EXPECT_EQ(g_Enemies[1].firePeriod, kSilent);
  EXPECT_EQ(g_Enemies[0].pathStep, 6);
  for (int slot = 2; slot < kEnemySlots; ++slot) EXPECT_EQ(g_Enemies[slot].active, 0) << "slot " << slot;
  for (const EnemyShot& shot : g_EnemyShots) EXPECT_EQ(shot.active, 0);
  EXPECT_EQ(g_EnemiesAppeared, appeared + 2);
}

struct SpiralRespawn {
  int slot;
  int32_t partnerPeriod;
  int32_t ownPeriod;
  int32_t expected;
};

class SpiralRespawns : public EnemyWorld, public ::testing::WithParamInterface<SpiralRespawn> {};

TEST_P(SpiralRespawns, PartnerRuleKeepsOneFiring) {
  const SpiralRespawn& c = GetParam();
  g_WaveNo = 4;
  g_EnemyCount = 2;
  PutEnemy(1 - c.slot, 4, 300, 200).firePeriod = c.partnerPeriod;
  Enemy& e = PutEnemy(c.slot, 4, 100, 100);
  e.active = 0;
  e.firePeriod = c.ownPeriod;
  e.pathStep = 6, e.pathWait = 20, e.dx = 4, e.dy = 0;
  g_FireWork[c.slot] = 1;

  RunEnemyFrame(4100);

  EXPECT_EQ(e.active, 1);
  EXPECT_EQ(e.type, 4);
  EXPECT_EQ(e.firePeriod, c.expected);
  EXPECT_EQ(g_FireWork[c.slot], 0);
  EXPECT_EQ(g_EnemiesAppeared, 1);
  // The respawned enemy goes on with the pair it had when it left.
  EXPECT_EQ(e.pathStep, 6);
  EXPECT_EQ(e.pathWait, 19);
}

INSTANTIATE_TEST_SUITE_P(Cases, SpiralRespawns,
                         ::testing::Values(SpiralRespawn{0, kSilent, kSilent, 59}, SpiralRespawn{1, kSilent, kSilent, 59},
                                           SpiralRespawn{1, 59, 59, kSilent}, SpiralRespawn{0, 2, 59, kSilent},
                                           SpiralRespawn{1, 100, 77, 77}));

enum class SlotState { kFree, kActive, kExploding };

struct BeamRespawn {
  SlotState state0;
  int32_t period0;
  SlotState state1;
  int32_t period1;
  int32_t expected0;
  int32_t expected1;
};

class BeamRespawns : public EnemyWorld, public ::testing::WithParamInterface<BeamRespawn> {};

void SetState(Enemy& e, SlotState state, int32_t period) {
  e.firePeriod = period;
  e.active = state == SlotState::kActive ? 1 : 0;
  e.animPeriod = state == SlotState::kExploding ? kExploding : 10;
}

TEST_P(BeamRespawns, RunningValueChoosesTheFirePeriod) {
  const BeamRespawn& c = GetParam();
  g_WaveNo = 4;
  g_EnemyCount = 2;
  SetState(PutEnemy(0, 5, 100, 100), c.state0, c.period0);
  SetState(PutEnemy(1, 5, 300, 100), c.state1, c.period1);

  RunEnemyFrame(6050);

  EXPECT_EQ(g_Enemies[0].firePeriod, c.expected0);
  EXPECT_EQ(g_Enemies[1].firePeriod, c.expected1);
  int respawns = (c.state0 == SlotState::kFree) + (c.state1 == SlotState::kFree);
  EXPECT_EQ(g_EnemiesAppeared, respawns);
}

constexpr auto kFree = SlotState::kFree, kIn = SlotState::kActive, kBoom = SlotState::kExploding;
INSTANTIATE_TEST_SUITE_P(
    Cases, BeamRespawns,
    ::testing::Values(BeamRespawn{kFree, kSilent, kIn, 67, kSilent, 67},   // slot 0 keeps its own
                      BeamRespawn{kFree, 67, kIn, kSilent, 67, kSilent},   // even against a silent partner
                      BeamRespawn{kIn, 67, kFree, 67, 67, kSilent}, BeamRespawn{kIn, 1, kFree, kSilent, 1, kSilent},
                      BeamRespawn{kIn, kSilent, kFree, kSilent, kSilent, 67},
                      BeamRespawn{kBoom, 67, kFree, 67, 67, kSilent},
                      BeamRespawn{kFree, 67, kFree, kSilent, 67, kSilent},  // a respawn leaves the value at 1000
                      BeamRespawn{kIn, 500, kFree, 42, 500, 42}));

TEST_F(Waves, Frame8000SetsUpTheMissilePhase) {
  g_WaveNo = 4;
  g_EnemyCount = 2;
  PutEnemy(0, 5, 100, 100);
  Enemy& exploding = PutEnemy(1, 5, 300, 100);
  exploding.active = 0;
  exploding.animPeriod = kExploding;
  exploding.animCount = 3;
  EnemyShot& old = PutEnemyShot(5, 5, 100, 100, 32, 32);
  old.dx = 3, old.dy = 4;
  // Each launcher draws its fire period first, then its place.
  SeedRand(77);
  int32_t period[2], x[2];
  for (int slot = 0; slot < 2; ++slot) {
    period[slot] = 60 + 20 * (Rand() % 4);
    x[slot] = Rand() % 593;
  }
  SeedRand(77);

  RunEnemyFrame(8000);

  for (int slot = 0; slot < 2; ++slot) {
    const Enemy& e = g_Enemies[slot];
    EXPECT_EQ(e.active, 1);
    EXPECT_EQ(e.type, 6);
    EXPECT_EQ(e.animCount, 2);
    EXPECT_TRUE(e.firePeriod == 60 || e.firePeriod == 80 || e.firePeriod == 100 || e.firePeriod == 120)
        << e.firePeriod;
    EXPECT_FLOAT_EQ(ULeft(e.quad), 0.25f);
    EXPECT_FLOAT_EQ(URight(e.quad), 0.375f);
  }
  for (int slot = 0; slot < 2; ++slot) {
    EXPECT_EQ(g_Enemies[slot].firePeriod, period[slot]) << "slot " << slot;
    EXPECT_FLOAT_EQ(Left(g_Enemies[slot].quad), x[slot] - 0.5f) << "slot " << slot;
  }
  EXPECT_EQ(g_EnemiesAppeared, 2);
  EXPECT_EQ(exploding.animPeriod, kExploding) << "the still-exploding slot keeps its marker";
  for (const EnemyShot& shot : g_EnemyShots) {
    EXPECT_EQ(shot.active, 0);
    EXPECT_EQ(shot.dx, 0);
    EXPECT_EQ(shot.dy, 0);
  }
  EXPECT_FLOAT_EQ(Left(g_BurstQuad), -0.5f);
  EXPECT_FLOAT_EQ(g_BurstQuad.v[2].x, 31.5f);
  EXPECT_FLOAT_EQ(g_BurstQuad.v[2].y, 31.5f);
  EXPECT_FLOAT_EQ(g_BurstQuad.v[2].u, 1);
  const int32_t work[32] = {16, 12, 12, 16, 16, 12, 12, 16, 12, 12, 12, 12, 12, 12, 12, 12,
                            16, 24, 24, 16, 16, 24, 24, 16, 24, 24, 24, 24, 24, 24, 24, 24};
  for (int k = 0; k < 32; ++k) EXPECT_EQ(g_FireWork[k], work[k]) << "entry " << k;
  const int32_t stepX[8] = {0, 8, 0, -8, -8, 8, 8, -8}, stepY[8] = {-8, 0, 8, 0, -8, -8, 8, 8};
  for (int d = 0; d < 8; ++d) EXPECT_TRUE(g_DirStepX[d] == stepX[d] && g_DirStepY[d] == stepY[d]) << "dir " << d;
}

TEST_F(Waves, SlotExplodingAt8000KeepsFacingDown) {
  g_WaveNo = 4;
  g_EnemyCount = 2;
  PutEnemy(0, 5, 100, 100);
  PutEnemy(1, 5, 300, 100).active = 0;
  g_Enemies[1].animPeriod = kExploding;
  RunEnemyFrame(8000);
  // Both level with the ship, which is to their left: a facing enemy turns left.
  PutQuad(g_Enemies[0].quad, 400, 31.5f, 48, 48, 0.25f, 0.375f);
  PutQuad(g_Enemies[1].quad, 300, 31.5f, 48, 48, 0.25f, 0.375f);
  PutPlayer(0, 31.5f);

  RunEnemyFrame(8001);

  EXPECT_EQ(g_Enemies[0].animCount, 3);
  EXPECT_FLOAT_EQ(ULeft(g_Enemies[0].quad), 0.375f);
  EXPECT_EQ(g_Enemies[1].animCount, 2);
  EXPECT_FLOAT_EQ(ULeft(g_Enemies[1].quad), 0.25f);
}

TEST_F(Waves, BossArrivesAtFrame10000) {
  g_WaveNo = 4;
  g_EnemyCount = 2;
  for (int slot = 0; slot < kEnemySlots; ++slot) PutEnemy(slot, 6, 50.0f * slot, 100);
  Enemy& boss = g_Enemies[0];
  boss.pathStep = 8, boss.pathWait = 0, boss.animCount = 4;
  for (int k = 0; k < 4; ++k) g_FireWork[k] = 5;
  for (int s : {0, 9, 39}) PutEnemyShot(s, 6, 100, 100, 16, 24);
  for (HitSpark& spark : g_HitSparks) spark.active = 1;
  g_EnemiesAppeared = 123;

  RunEnemyFrame(10000);

  const std::vector<std::string> sounds = {"rewind 0", "rewind 11", "play 11", "rewind 3", "play 3"};
  EXPECT_EQ(SoundLog(), sounds);
  EXPECT_EQ(g_EnemyCount, 1);
  EXPECT_EQ(boss.active, 1);
  EXPECT_EQ(boss.type, 7);
  EXPECT_EQ(boss.animPeriod, 10);
  EXPECT_EQ(boss.firePeriod, 79);
  EXPECT_EQ(boss.animCount, 4);
  EXPECT_EQ(boss.pathStep, 10) << "the boss goes on with slot 0's path";
  EXPECT_FLOAT_EQ(Top(boss.quad), 31.5f);
  EXPECT_FLOAT_EQ(boss.quad.v[2].x - boss.quad.v[0].x, 64);
  EXPECT_GE(Left(boss.quad), -0.5f);
  EXPECT_LE(Left(boss.quad), 575.5f);
  EXPECT_FLOAT_EQ(URight(boss.quad), 0.25f);
  EXPECT_EQ(g_Enemies[1].active, 0);
  EXPECT_EQ(g_Enemies[1].animPeriod, 10);

  const Enemy& pupil = g_Enemies[2];
  EXPECT_EQ(pupil.active, 1);
  float px = static_cast<float>(static_cast<int32_t>(Left(boss.quad)) + 24) - 0.5f;
  float py = static_cast<float>(static_cast<int32_t>(Top(boss.quad)) + 26) - 0.5f;
  EXPECT_FLOAT_EQ(Left(pupil.quad), px);
  EXPECT_FLOAT_EQ(Top(pupil.quad), py);
  EXPECT_FLOAT_EQ(pupil.quad.v[2].x, px + 16);
  EXPECT_FLOAT_EQ(pupil.quad.v[2].y, py + 16);
  EXPECT_FLOAT_EQ(ULeft(pupil.quad), 0.6f);
  EXPECT_FLOAT_EQ(URight(pupil.quad), 1);
  EXPECT_FLOAT_EQ(pupil.quad.v[2].v, 0.66666f);

  for (int slot = 3; slot < kEnemySlots; ++slot) EXPECT_EQ(g_Enemies[slot].active, 0) << "slot " << slot;
  for (const EnemyShot& shot : g_EnemyShots) EXPECT_EQ(shot.active, 0);
  for (const HitSpark& spark : g_HitSparks) EXPECT_EQ(spark.active, 0);
  for (int k = 0; k < 4; ++k) EXPECT_EQ(g_FireWork[k], 0) << "entry " << k;
  EXPECT_EQ(g_DirStepX[1], 16);
  EXPECT_EQ(g_DirStepY[0], -16);
  EXPECT_EQ(g_EnemiesAppeared, 123);
}

struct Cue {
  int32_t frame;
  int32_t slot0Type;
  int32_t slot0Active;
  int32_t slot0AnimPeriod;
  bool plays;
};

class Cues : public EnemyWorld, public ::testing::WithParamInterface<Cue> {};

TEST_P(Cues, PlaysEveryThousandFramesUnlessTheBossIsDown) {
  const Cue& c = GetParam();
  g_WaveNo = 1;
  g_EnemyCount = 1;
  g_FireWork[2] = 1;
  Enemy& e = PutEnemy(0, c.slot0Type, 200, 200);
  e.active = c.slot0Active;
  e.animPeriod = c.slot0AnimPeriod;
  RunEnemyFrame(c.frame);
  EXPECT_EQ(CountSound("rewind 3"), c.plays ? 1 : 0);
  EXPECT_EQ(CountSound("play 3"), c.plays ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Frames, Cues,
                         ::testing::Values(Cue{0, 0, 0, 20, false}, Cue{1000, 1, 1, 20, true},
                                           Cue{5000, 4, 0, 10, true}, Cue{1500, 1, 1, 20, false},
                                           Cue{11000, 7, 1, 10, true}, Cue{11000, 7, 0, kExploding, false},
                                           Cue{12000, 7, 0, 10, false}));

struct EvasionWindow {
  int32_t frame;
  bool evades;
};

class EvasionWindows : public EnemyWorld, public ::testing::WithParamInterface<EvasionWindow> {};

TEST_P(EvasionWindows, EnemiesSidestepOnlyFrom4001To9999) {
  g_WaveNo = 4;
  g_EnemyCount = 2;
  Enemy& e = PutEnemy(1, 4, 200, 200);
  e.pathWait = 50, e.dx = 0, e.dy = 4;
  PutPlayerShot(0, 190, 210);  // just to its left
  RunEnemyFrame(GetParam().frame);
  EXPECT_EQ(e.dx, GetParam().evades ? 8 : 0);
}

INSTANTIATE_TEST_SUITE_P(Frames, EvasionWindows,
                         ::testing::Values(EvasionWindow{3999, false}, EvasionWindow{4001, true},
                                           EvasionWindow{9999, true}));

}  // namespace
}  // namespace enemy_test
