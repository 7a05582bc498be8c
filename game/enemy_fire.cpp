// Enemy fire: who fires when, and how each kind of bullet flies, turns and leaves the field.
#include <cmath>

#include "game/game.h"
#include "sound/sound.h"

EnemyShot g_EnemyShots[kEnemyShots];
int32_t g_ShotDir[kEnemyShots];
int32_t g_ShotStep[kEnemyShots];
float g_ShotSlope[kEnemyShots];
int32_t g_DirStepX[kEnemyShots];
int32_t g_DirStepY[kEnemyShots];
int32_t g_FireWork[kEnemyShots];

const int32_t g_SpiralRing[12][2] = {
    {8, 0}, {7, 4}, {4, 7}, {0, 8}, {-4, 7}, {-7, 4}, {-8, 0}, {-7, -4}, {-4, -7}, {0, -8}, {4, -7}, {7, -4},
};

// A quarter circle in 45 steps: step k moves (A[44 - k], A[k]), from straight down toward sideways.
const int32_t g_QuarterCircle[45] = {
    6, 7, 7, 7, 7, 7, 7, 7, 6, 7, 6, 7, 6, 6, 6, 6, 6, 6, 6, 5, 5, 5, 5,
    5, 5, 4, 4, 4, 4, 4, 3, 3, 3, 3, 2, 3, 2, 2, 1, 1, 2, 0, 1, 0, 0,
};

namespace {

struct BulletType {
  int32_t launchX, launchY;  // from the firing enemy's corner
  int32_t width, height;     // picture, hit rectangle and edge test
  float speed;               // aimed bullets: pixels per frame on the major axis
};

constexpr BulletType kBullets[6] = {
    {18, 48, 12, 24, 0},    // 0: falls straight down
    {18, 18, 12, 12, 0},    // 1: falls, then may curve from y 300
    {16, 16, 12, 12, 8},    // 2: aimed
    {16, 16, 16, 16, 4},    // 3: aimed, slow, signs shared by all type-3 bullets
    {18, 18, 12, 12, 0},    // 4: spiral ring
    {8, -7, 32, 32, 16},    // 5: a ball of a beam
};

constexpr int kBeamSound = 7, kSpiralSound = 8, kMissileSound = 9;
constexpr int32_t kSpiralFire = 59, kBeamFire = 67;
constexpr float kSlopeVertical = 9999, kSlopeHorizontal = 9000, kSlopeSteep = 2000;

int32_t Trunc(float v) { return static_cast<int32_t>(v); }

void Restart(int slot) {
  RewindSoundSlot(slot);
  PlaySoundSlot(slot);
}

int LowestFreeShot() {
  for (int j = 0; j < kEnemyShots; ++j) {
    if (g_EnemyShots[j].active == 0 && g_EnemyShots[j].dx != kBurstHeld) return j;
  }
  return -1;
}

void FireMissile(const Enemy& e, int j) {
  RewindSoundSlot(kMissileSound);
  int32_t d = e.animCount >= 0 && e.animCount < kDirections ? e.animCount : 2;
  g_ShotDir[j] = d;
  g_ShotStep[j] = 0;
  EnemyShot& shot = g_EnemyShots[j];
  shot.type = 6;
  shot.active = 1;
  float x = static_cast<float>(Trunc(e.quad.v[0].x) + g_FireWork[2 * d]);
  float y = static_cast<float>(Trunc(e.quad.v[0].y) + g_FireWork[2 * d + 1]);
  SetSpriteQuad(shot.quad, 14 + d, x, y, x + g_FireWork[16 + 2 * d], y + g_FireWork[17 + 2 * d]);
  PlaySoundSlot(kMissileSound);
}

// Each spiral enemy fires two full rings of 12 per turn, then hands the turn to its partner.
void FireSpiralBall(int i, int j) {
  Enemy& e = g_Enemies[i];
  if (e.firePeriod > 9) {
    e.firePeriod = 2;
    Restart(kSpiralSound);
  }
  int32_t k = g_ShotDir[i] >= 0 && g_ShotDir[i] < 12 ? g_ShotDir[i] : 0;
  g_EnemyShots[j].dx = g_SpiralRing[k][0];
  g_EnemyShots[j].dy = g_SpiralRing[k][1];
  g_ShotDir[i] = k + 1;
  if (k + 1 <= 11) return;
  g_ShotDir[i] = 0;
  if (++g_FireWork[i] <= 1) return;
  g_FireWork[i] = 0;
  g_Enemies[0].firePeriod = i == 0 ? kSilent : kSpiralFire;
  g_Enemies[1].firePeriod = i == 0 ? kSpiralFire : kSilent;
}

// A beam is a ball every frame along the head's line until a ball leaves the field.
void FireBeamBall(int i, int j) {
  Enemy& e = g_Enemies[i];
  if (e.firePeriod > 29) {
    e.firePeriod = 1;
    Restart(kBeamSound);
  }
  if (j == 0) {
    AimShot(0, 5, 16);
  } else {
    g_DirStepX[j] = g_DirStepX[0];
    g_DirStepY[j] = g_DirStepY[0];
    g_ShotSlope[j] = g_ShotSlope[0];
  }
  g_FireWork[0] = i;
}

void FireBullet(int i, int j) {
  const Enemy& e = g_Enemies[i];
  int32_t t = e.type;
  const BulletType& b = kBullets[t];
  if (t == 1) g_ShotStep[j] = 0;
  EnemyShot& shot = g_EnemyShots[j];
  shot.active = 1;
  shot.type = t;
  float x = static_cast<float>(Trunc(e.quad.v[0].x) + b.launchX);
  float y = static_cast<float>(Trunc(e.quad.v[0].y) + b.launchY);
  SetSpriteQuad(shot.quad, 5 + t, x, y, x + b.width, y + b.height);
  if (t == 5) FireBeamBall(i, j);
  if (t == 2 || t == 3) AimShot(j, t, 8);
  if (t == 4) FireSpiralBall(i, j);
  // Types 0 and 1 keep the step the stage set-up gave every slot: 8 pixels a frame straight down.
}

void CurveStep(int slot, int32_t mode, float* mx, float* my) {
  int32_t k = g_ShotStep[slot] < 0 ? 0 : (g_ShotStep[slot] > 44 ? 44 : g_ShotStep[slot]);
  *mx = static_cast<float>(mode == 1 ? g_QuarterCircle[44 - k] : -g_QuarterCircle[44 - k]);
  *my = static_cast<float>(g_QuarterCircle[k]);
  g_ShotStep[slot] += 1;
}

// The major axis moves the full speed, the minor axis speed times the stored ratio.
void AimedStep(int slot, int32_t type, float* mx, float* my) {
  float v = kBullets[type].speed;
  int signSlot = type == 3 ? 0 : slot;
  float sx = static_cast<float>(g_DirStepX[signSlot]), sy = static_cast<float>(g_DirStepY[signSlot]);
  float s = g_ShotSlope[slot];
  *mx = *my = 0;
  if (s >= kSlopeHorizontal) {
    if (s == kSlopeHorizontal) *mx = sx * v;
    if (s == kSlopeVertical) *my = sy * v;
  } else if (s >= 1000) {
    *mx = sx * std::fabs(s - kSlopeSteep) * v;
    *my = sy * v;
  } else {
    *mx = sx * v;
    *my = sy * std::fabs(s) * v;
  }
}

void BulletStep(int slot, const EnemyShot& shot, float* mx, float* my) {
  *mx = static_cast<float>(shot.dx);
  *my = static_cast<float>(shot.dy);
  int32_t mode = g_FireWork[slot];
  if (shot.type == 1 && shot.quad.v[0].y >= 300 && (mode == 1 || mode == 2)) CurveStep(slot, mode, mx, my);
  if (shot.type == 2 || shot.type == 3 || shot.type == 5) AimedStep(slot, shot.type, mx, my);
}

// Types 0 to 5: move, take a hit rectangle, retire at the edges. False when a beam ended.
bool StepBullet(int slot) {
  EnemyShot& shot = g_EnemyShots[slot];
  float mx, my;
  BulletStep(slot, shot, &mx, &my);
  MoveSpriteQuad(shot.quad, mx, my);
  const BulletType& b = kBullets[shot.type];
  float x = shot.quad.v[0].x, y = shot.quad.v[0].y;
  // Only the head of a beam can hit; the balls behind it keep no rectangle.
  if (shot.type != 5 || slot == 0) shot.hitRect = HitRect{Trunc(x), Trunc(y), Trunc(x) + b.width, Trunc(y) + b.height};
  if (!(x > 640 - b.width || y > 480 - b.height || x < 0 || y < 32)) return true;
  shot.active = 0;
  if (shot.type == 1 && g_FireWork[slot] != 0) g_ShotStep[slot] = 0;
  if (shot.type != 5) return true;
  EndBeam();
  return false;
}

// Missiles fly in eight directions and turn toward the ship every eighth frame.
void StepMissile(int slot) {
  EnemyShot& shot = g_EnemyShots[slot];
  int32_t d = g_ShotDir[slot] & 7;
  int32_t w = g_FireWork[16 + 2 * d], h = g_FireWork[17 + 2 * d];
  if (++g_ShotStep[slot] > 7) {
    g_ShotStep[slot] = 0;
    int32_t n = AimDirection(slot, w / 2, h / 2, 1);
    if (n != d) {
      g_ShotDir[slot] = n;
      float x = static_cast<float>(Trunc(shot.quad.v[0].x)), y = static_cast<float>(Trunc(shot.quad.v[0].y));
      const float* uv = g_SpriteUVTable[14 + n];
      SetQuadPosition(shot.quad, x, y, x + g_FireWork[16 + 2 * n], y + g_FireWork[17 + 2 * n]);
      SetQuadUV(shot.quad, uv[0], uv[1], uv[2], uv[3]);
    }
  }
  int32_t c = g_ShotDir[slot] & 7;
  MoveSpriteQuad(shot.quad, static_cast<float>(g_DirStepX[c]), static_cast<float>(g_DirStepY[c]));
  // In the frame of a turn the rectangle and the edge test still use the old direction's size.
  int32_t x = Trunc(shot.quad.v[0].x), y = Trunc(shot.quad.v[0].y);
  shot.hitRect = HitRect{x, y, x + w, y + h};
  if (x > 640 - w || y > 480 - h || x < 0 || y < 32) shot.active = 0;
}

// A missile shot down holds its slot for six frames while its burst shows.
void StepHeldSlot(EnemyShot& shot) {
  if (++shot.dy > 5) shot.dy = shot.dx = 0;
}

}  // namespace

void ClearEnemyShots() {
  for (EnemyShot& shot : g_EnemyShots) shot.active = 0;
}

void EndBeam() {
  ClearEnemyShots();
  if (g_FireWork[0] == 0) {
    g_Enemies[0].firePeriod = kSilent;
    g_Enemies[1].firePeriod = kBeamFire;
  } else if (g_FireWork[0] == 1) {
    g_Enemies[0].firePeriod = kBeamFire;
    g_Enemies[1].firePeriod = kSilent;
  }
}

void UpdateEnemyShots() {
  if (g_FrameCount > 100) FireEnemyShots();
  if (g_FrameCount > 10000 && g_Enemies[1].active == 0) PlaceBossPupil();
  for (int s = 0; s < kEnemyShots; ++s) {
    EnemyShot& shot = g_EnemyShots[s];
    if (shot.type == 6 && shot.active == 0 && shot.dx == kBurstHeld) {
      StepHeldSlot(shot);
    } else if (shot.active == 0 || shot.type < 0 || shot.type > 7) {
      continue;
    } else if (shot.type == 7) {
      if (!StepChainShot(s)) return;
    } else if (shot.type == 6) {
      StepMissile(s);
    } else if (!StepBullet(s)) {
      return;
    }
  }
}

void FireEnemyShots() {
  for (int i = 0; i < g_EnemyCount && i < kEnemySlots; ++i) {
    const Enemy& e = g_Enemies[i];
    if (e.firePeriod <= 0 || static_cast<uint32_t>(g_FrameCount) % static_cast<uint32_t>(e.firePeriod) != 0) continue;
    if (e.active == 0) continue;
    int j = LowestFreeShot();
    if (j < 0) continue;  // every slot busy: this shot is lost
    if (e.type == 7) {
      FireChainShot(i, j);
    } else if (e.type == 6) {
      FireMissile(e, j);
    } else if (e.type >= 0 && e.type <= 5) {
      FireBullet(i, j);
    }
  }
}

void AimShot(int slot, int type, int half) {
  int32_t dx = Trunc(g_Player.quad.v[0].x) - Trunc(g_EnemyShots[slot].quad.v[0].x) - half + 24;
  int32_t dy = Trunc(g_Player.quad.v[0].y) - Trunc(g_EnemyShots[slot].quad.v[0].y) - half + 24;
  int signSlot = type == 3 ? 0 : slot;  // the newest type-3 bullet steers every type-3 bullet in flight
  g_DirStepX[signSlot] = dx > 0 ? 1 : -1;
  g_DirStepY[signSlot] = dy > 0 ? 1 : -1;
  float slope;
  if (dx == 0) {
    slope = kSlopeVertical;
  } else if (dy == 0) {
    slope = kSlopeHorizontal;
  } else {
    float q = static_cast<float>(dy) / static_cast<float>(dx);
    slope = std::fabs(q) <= 1 ? q : static_cast<float>(dx) / static_cast<float>(dy) + kSlopeSteep;
  }
  g_ShotSlope[slot] = slope;
}
