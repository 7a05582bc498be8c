// Enemy movement along random paths, sidesteps away from player shots, and aiming at the ship.
#include <cmath>

#include "game/game.h"

int32_t g_MovePatterns[kEnemySlots][20];

// By pattern direction 0..8; directions 1 and 4 both go straight down, so no pattern stands still.
const int32_t g_PathStepX[9] = {-4, 0, 4, -4, 0, 4, -4, 0, 4};
const int32_t g_PathStepY[9] = {4, 4, 4, 0, 4, 0, -4, -4, -4};

namespace {

constexpr int32_t kEvasiveMark = 9000;

int32_t Trunc(float v) { return static_cast<int32_t>(v); }

void ShiftX(Enemy& e, float amount) { MoveSpriteQuad(e.quad, amount, 0); }
void ShiftY(Enemy& e, float amount) { MoveSpriteQuad(e.quad, 0, amount); }

// Small enemies turn back at the sides and the top; below the playfield they leave play.
void KeepSmallEnemyInBounds(Enemy& e) {
  if (e.quad.v[0].x < 0) ShiftX(e, -e.quad.v[0].x), e.dx = -e.dx;
  if (e.quad.v[0].x > 592) ShiftX(e, 592 - e.quad.v[0].x), e.dx = -e.dx;
  float top = e.type == 5 ? 40 : 32;  // its beam starts 7 pixels above it, and must start below the bar
  if (e.quad.v[0].y < top) ShiftY(e, top - e.quad.v[0].y), e.dy = -e.dy;
  if (e.quad.v[0].y > 432) e.active = 0;
}

// The boss turns back at all four edges.
void KeepBossInBounds(Enemy& e) {
  if (e.quad.v[0].x < 0) ShiftX(e, -e.quad.v[0].x), e.dx = -e.dx;
  if (e.quad.v[0].x > 576) ShiftX(e, 576 - e.quad.v[0].x), e.dx = -e.dx;
  if (e.quad.v[0].y < 32) ShiftY(e, 32 - e.quad.v[0].y), e.dy = -e.dy;
  if (e.quad.v[0].y > 416) ShiftY(e, 416 - e.quad.v[0].y), e.dy = -e.dy;
}

void TakeNextPair(int slot, Enemy& e) {
  const int32_t* row = g_MovePatterns[slot];
  int32_t d = row[e.pathStep];
  e.dx = g_PathStepX[d];
  e.dy = g_PathStepY[d];
  e.pathWait = row[e.pathStep + 1];
  e.pathStep += 2;
  if (e.pathStep > 18) e.pathStep = 0;
}

bool HeldByOwnBeam(int slot, const Enemy& e) {
  return e.type == 5 && g_EnemyShots[0].active && e.pathWait < kEvasiveMark && slot == g_FireWork[0];
}

// Sets a one-frame sidestep of 8 pixels; also 8 up unless the enemy is at the top.
void Sidestep(Enemy& e, int32_t dx, int32_t topLimit) {
  int32_t ey = Trunc(e.quad.v[0].y);
  e.dx = dx;
  e.dy = ey <= topLimit ? 0 : -8;
  e.pathWait = kEvasiveStep;
}

// True when the shot made the enemy step aside.
bool Evade(Enemy& e, const SpriteObject& shot) {
  int32_t ex = Trunc(e.quad.v[0].x), ey = Trunc(e.quad.v[0].y);
  int32_t sx = Trunc(shot.quad.v[0].x), sy = Trunc(shot.quad.v[0].y);
  if (ex <= sx + 8 && sx <= ex + 48 && ey + 48 <= sy && sy <= ey + 96) {
    // A shot closing in from below: step away from its side (dead centre sends the enemy right).
    Sidestep(e, sx + 4 <= ex + 24 ? 8 : -8, 0);
    return true;
  }
  if (ey - 8 <= sy && sy <= ey + 48) {
    if (sx + 8 <= ex && sx >= ex - 16) {
      Sidestep(e, 8, 32);
      return true;
    }
    if (sx >= ex + 48 && sx + 8 <= ex + 64) {
      Sidestep(e, -8, 32);
      return true;
    }
  }
  return false;
}

}  // namespace

void MoveEnemies() {
  for (int i = 0; i < g_EnemyCount && i < kEnemySlots; ++i) {
    Enemy& e = g_Enemies[i];
    if (e.active == 0) continue;
    // The boss stands still while its salvo is out; so does a beam enemy while its beam is.
    if (e.type == 7 && g_EnemyShots[0].active) return;
    if (HeldByOwnBeam(i, e)) continue;
    if (e.pathWait > kEvasiveMark) e.pathWait -= kEvasiveMark;
    if (e.pathWait > 0) {
      MoveSpriteQuad(e.quad, static_cast<float>(e.dx), static_cast<float>(e.dy));
      e.type == 7 ? KeepBossInBounds(e) : KeepSmallEnemyInBounds(e);
      e.pathWait -= 1;
    } else {
      TakeNextPair(i, e);
    }
    int32_t size = e.type == 7 ? 64 : 48;
    int32_t left = Trunc(e.quad.v[0].x), top = Trunc(e.quad.v[0].y);
    e.hitRect = HitRect{left, top, left + size, top + size};
  }
}

void EvadePlayerShots() {
  for (int i = 0; i < g_EnemyCount && i < kEnemySlots; ++i) {
    Enemy& e = g_Enemies[i];
    if (e.active != 1) continue;
    for (int s = 0; s < kPlayerShots; ++s) {
      if (g_PlayerShots[s].active && Evade(e, g_PlayerShots[s])) break;
    }
  }
}

void FaceEnemiesToPlayer() {
  for (int i = 0; i < g_EnemyCount && i < kEnemySlots; ++i) {
    Enemy& e = g_Enemies[i];
    if (e.active == 0 || e.animPeriod == kExploding) continue;
    int32_t d = AimDirection(i, 24, 24, 0);
    if (d == e.animCount) continue;
    e.animCount = d;
    SetQuadU(e.quad, 0.125f * d, 0.125f * d + 0.125f);
  }
}

int AimDirection(int index, int offsetX, int offsetY, int fromShot) {
  if (g_PlayerAlive == 0) return 2;
  int32_t px = Trunc(g_Player.quad.v[0].x) + 24, py = Trunc(g_Player.quad.v[0].y) + 24;
  const SpriteQuad& from = fromShot ? g_EnemyShots[index].quad : g_Enemies[index].quad;
  int32_t dx = px - (Trunc(from.v[0].x) + offsetX);
  int32_t dy = py - (Trunc(from.v[0].y) + offsetY);
  if (dx == 0) return dy > 0 ? 2 : 0;
  if (dy == 0) return dx > 0 ? 1 : 3;
  // The tangents of 22.5 and 67.5 degrees: each direction covers a 45-degree sector around it.
  auto ratio = static_cast<float>(std::fabs(static_cast<double>(dy) / dx));
  if (ratio <= 0.414214f) return dx > 0 ? 1 : 3;
  if (ratio >= 2.414214f) return dy > 0 ? 2 : 0;
  if (dx > 0) return dy < 0 ? 5 : 6;
  return dy < 0 ? 4 : 7;
}
