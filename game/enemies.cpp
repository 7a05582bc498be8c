// The enemy schedule of a stage: four waves, three paired phases and the boss, on the stage clock.
#include "game/game.h"
#include "platform/random.h"
#include "sound/sound.h"

Enemy g_Enemies[kEnemySlots];
int32_t g_EnemyCount = 0;
int32_t g_WaveNo = 0;
const int32_t g_WaveSizes[5] = {10, 10, 6, 6, 2};
int32_t g_EnemiesAppeared = 0;
const int32_t g_Type5Frames[4] = {0, 1, 0, 2};
SpriteQuad g_BurstQuad;

namespace {

constexpr int kMusic = 0, kCue = 3, kBossMusic = 11;
constexpr int32_t kSpiralFire = 59, kBeamFire = 67, kBossFire = 79;
constexpr int kSpawnsPerTick = 4;
constexpr float kColumn6 = 0.166666f;   // a column of the spiral and beam enemies' sheet

// The start position and picture of a spawn: x at random along the top, stored less the half pixel.
void PlaceEnemy(Enemy& e, float top, float size, float u0, float u1, int xRange = 593) {
  float x = static_cast<float>(Rand() % xRange), hp = g_HalfPixel;
  SetQuad(e.quad, x - hp, top - hp, x + size - hp, top + size - hp, u0, 0, u1, 1);
}

bool IsFree(const Enemy& e) { return e.active == 0 && e.animPeriod != kExploding; }

void Enter(Enemy& e, int32_t type, int32_t animPeriod) {
  e.active = 1;
  e.type = type;
  e.animPeriod = animPeriod;
  e.animCount = 0;
}

// Waves 0 to 3 start the slot's path from the beginning; later spawns resume it.
void WaveSpawn(Enemy& e) {
  Enter(e, g_WaveNo, 20);
  e.animFrame = e.dx = e.dy = e.pathStep = e.pathWait = 0;
  PlaceEnemy(e, 32, 48, 0.25f * g_WaveNo, 0.25f * g_WaveNo + 0.125f);
  g_EnemiesAppeared += 1;
}

void SpiralSpawn(int slot, int32_t firePeriod) {
  Enemy& e = g_Enemies[slot];
  Enter(e, 4, 4);
  e.firePeriod = firePeriod;
  PlaceEnemy(e, 32, 48, 0, kColumn6);
  g_FireWork[slot] = 0;  // the rings it has fired this turn
  g_EnemiesAppeared += 1;
}

void BeamSpawn(Enemy& e, int32_t firePeriod) {
  Enter(e, 5, 10);
  e.firePeriod = firePeriod;
  PlaceEnemy(e, 40, 48, 0.5f, 0.5f + kColumn6);
  g_EnemiesAppeared += 1;
}

void MissileSpawn(Enemy& e) {
  e.active = 1;
  e.type = 6;
  e.animCount = 2;  // facing down
  PlaceEnemy(e, 32, 48, 0.25f, 0.375f);
  g_EnemiesAppeared += 1;
}

void SwitchOffEnemyShots() {
  for (EnemyShot& shot : g_EnemyShots) shot.active = 0;
}

void Waves(int32_t f) {
  if (f == 100) {
    g_EnemyCount = g_WaveSizes[g_WaveNo];
    for (int i = 0; i < 4; ++i) g_Enemies[i].active = 1;  // placed by the stage set-up
    g_EnemiesAppeared += 4;
  }
  if (f > 0 && f % 1000 == 0 && f <= 4000 && g_WaveNo < 4) {
    g_WaveNo += 1;
    g_EnemyCount = g_WaveSizes[g_WaveNo];
  }
  if (f % 100 == 0 && f > 100 && f < 3800) {
    int spawned = 0;
    for (int i = 0; i < g_EnemyCount && spawned < kSpawnsPerTick; ++i) {
      if (IsFree(g_Enemies[i])) WaveSpawn(g_Enemies[i]), ++spawned;
    }
  }
}

// One of the two spiral enemies fires while the other keeps silent; a respawn keeps it so.
void SpiralPhase(int32_t f) {
  if (f == 4000) {
    for (int i = 2; i < kEnemySlots; ++i) g_Enemies[i].active = 0;
    for (int i = 0; i < g_EnemyCount; ++i) SpiralSpawn(i, i == 0 ? kSpiralFire : kSilent);
    SwitchOffEnemyShots();
  }
  if (f % 100 == 0 && f > 4000 && f < 5800) {
    for (int i = 0; i < g_EnemyCount && i < 2; ++i) {
      if (!IsFree(g_Enemies[i])) continue;
      int32_t partner = g_Enemies[1 - i].firePeriod, own = g_Enemies[i].firePeriod;
      SpiralSpawn(i, partner == kSilent ? kSpiralFire : (partner <= kSpiralFire ? kSilent : own));
    }
  }
}

void BeamPhase(int32_t f) {
  if (f == 6000) {
    g_EnemyCount = 2;
    g_FireWork[0] = 0;
    BeamSpawn(g_Enemies[0], kBeamFire);
    BeamSpawn(g_Enemies[1], kSilent);
    SwitchOffEnemyShots();
  }
  if (f % 50 == 0 && f > 6000 && f < 7800) {
    int32_t v = 1000;  // the fire period of the last slot still in play
    for (int i = 0; i < g_EnemyCount; ++i) {
      Enemy& e = g_Enemies[i];
      if (!IsFree(e)) {
        v = e.firePeriod;
        continue;
      }
      BeamSpawn(e, v <= kBeamFire ? kSilent : (v == kSilent ? kBeamFire : e.firePeriod));
    }
  }
}

void SetDirectionSteps(int32_t speed) {
  static constexpr int32_t kStepX[kDirections] = {0, 1, 0, -1, -1, 1, 1, -1};
  static constexpr int32_t kStepY[kDirections] = {-1, 0, 1, 0, -1, -1, 1, 1};
  for (int d = 0; d < kDirections; ++d) {
    g_DirStepX[d] = kStepX[d] * speed;
    g_DirStepY[d] = kStepY[d] * speed;
  }
}

void MissilePhase(int32_t f) {
  if (f == 8000) {
    for (int i = 0; i < g_EnemyCount; ++i) {
      g_Enemies[i].firePeriod = 60 + 20 * (Rand() % 4);
      MissileSpawn(g_Enemies[i]);
    }
    for (EnemyShot& shot : g_EnemyShots) shot.active = shot.dx = shot.dy = 0;
    SetSpriteQuad(g_BurstQuad, 0, 0, 0, 32, 32);
    // Per direction: the missile's offset from the launcher (x, y), then its size (width, height).
    static constexpr int32_t kMissileWork[32] = {
        16, 12, 12, 16, 16, 12, 12, 16, 12, 12, 12, 12, 12, 12, 12, 12,
        16, 24, 24, 16, 16, 24, 24, 16, 24, 24, 24, 24, 24, 24, 24, 24,
    };
    for (int k = 0; k < 32; ++k) g_FireWork[k] = kMissileWork[k];
    SetDirectionSteps(8);
  }
  if (f % 50 == 0 && f > 8000 && f < 9800) {
    for (int i = 0; i < g_EnemyCount; ++i) {
      if (IsFree(g_Enemies[i])) MissileSpawn(g_Enemies[i]);
    }
  }
}

void BossArrives() {
  RewindSoundSlot(kMusic);
  g_EnemyCount = 1;
  Enemy& boss = g_Enemies[0];
  boss.active = 1;
  boss.type = 7;
  boss.animPeriod = 10;
  boss.firePeriod = kBossFire;
  PlaceEnemy(boss, 32, 64, 0, 0.25f, 577);
  g_Enemies[1].active = 0;
  g_Enemies[1].animPeriod = 10;
  Enemy& pupil = g_Enemies[2];
  pupil.active = 1;
  float x = static_cast<float>(static_cast<int32_t>(boss.quad.v[0].x) + 24) - g_HalfPixel;
  float y = static_cast<float>(static_cast<int32_t>(boss.quad.v[0].y) + 26) - g_HalfPixel;
  SetQuad(pupil.quad, x, y, x + 16, y + 16, 0.6f, 0, 1, 0.66666f);
  SetDirectionSteps(16);
  for (int k = 0; k < 4; ++k) g_FireWork[k] = 0;  // salvo re-aims, hits, breaks, explosion step
  RewindSoundSlot(kBossMusic);
  for (HitSpark& spark : g_HitSparks) spark.active = 0;
  for (int i = 3; i < kEnemySlots; ++i) g_Enemies[i].active = 0;
  SwitchOffEnemyShots();
  PlaySoundSlot(kBossMusic);
}

bool BossDown() { return g_Enemies[0].type >= 7 && g_Enemies[0].active == 0; }

}  // namespace

void UpdateEnemies() {
  int32_t f = g_FrameCount;
  Waves(f);
  SpiralPhase(f);
  BeamPhase(f);
  MissilePhase(f);
  if (f == 10000) BossArrives();
  if (f > 0 && f % 1000 == 0 && !BossDown()) {
    RewindSoundSlot(kCue);
    PlaySoundSlot(kCue);
  }
  if (f >= 4001 && f <= 9999) EvadePlayerShots();
  if (f >= 8001 && f <= 9999) FaceEnemiesToPlayer();
  AnimateEnemies();
  MoveEnemies();
}
