// The collision passes of a frame: shots against enemies and missiles, bullets and bodies against the ship.
#include <algorithm>

#include "game/game.h"
#include "sound/sound.h"

int32_t g_KillCount = 0;

// Score per destroyed enemy by type; the boss gives none.
const int32_t g_EnemyPoints[8] = {1, 1, 2, 2, 3, 3, 5, 0};

namespace {

constexpr int kShipHitSound = 4, kShipHitCrash = 5, kDestroySound = 6, kMissileDownSound = 10;

void Restart(int slot) {
  RewindSoundSlot(slot);
  PlaySoundSlot(slot);
}

// Adds to the three score digits with their carries, refreshing only the pictures that changed.
void AddScore(int32_t points) {
  DigitRecord& hundreds = g_Digits[0];
  DigitRecord& tens = g_Digits[1];
  DigitRecord& ones = g_Digits[2];
  ones.digit += points;
  if (ones.digit > 9) {
    ones.digit -= 10;
    tens.digit += 1;
    if (tens.digit > 9) {
      tens.digit = 0;
      hundreds.digit += 1;
      SetDigitPicture(hundreds, hundreds.digit);
    }
    SetDigitPicture(tens, tens.digit);
  }
  SetDigitPicture(ones, ones.digit);
}

// The first active shot in slot order that overlaps rect, or null.
SpriteObject* ShotHitting(const HitRect& rect) {
  for (int s = 0; s < kPlayerShots; ++s) {
    if (g_PlayerShots[s].active && RectsOverlap(g_PlayerShots[s].hitRect, rect)) return &g_PlayerShots[s];
  }
  return nullptr;
}

void DestroyEnemy(Enemy& e, SpriteObject& shot) {
  g_KillCount += 1;
  AddScore(g_EnemyPoints[e.type & 7]);
  RewindSoundSlot(kDestroySound);
  shot.active = 0;
  e.active = 0;
  e.animPeriod = kExploding;
  e.animCount = -1;  // its explosion shows every column for two frames
  PlaySoundSlot(kDestroySound);
  // Destroying either beam enemy wipes out the beam without passing the turn.
  if (g_EnemyShots[0].type == 5) ClearEnemyShots();
}

void ShootDownMissiles() {
  for (EnemyShot& missile : g_EnemyShots) {
    if (missile.active == 0) continue;
    SpriteObject* shot = ShotHitting(missile.hitRect);
    if (shot == nullptr) continue;
    RewindSoundSlot(kMissileDownSound);
    float x = missile.quad.v[0].x, y = missile.quad.v[0].y;
    shot->active = 0;
    SetQuadPosition(g_BurstQuad, x, y, x + 32, y + 32);
    missile.active = 0;
    missile.dx = kBurstHeld;
    missile.dy = 0;
    PlaySoundSlot(kMissileDownSound);
  }
}

void DestroyShip() {
  Restart(kShipHitSound);
  Restart(kShipHitCrash);
  g_PlayerGas.active = 0;
  g_PlayerAlive = 0;
}

}  // namespace

bool RectsOverlap(const HitRect& a, const HitRect& b) {
  return std::max(a.left, b.left) < std::min(a.right, b.right) && std::max(a.top, b.top) < std::min(a.bottom, b.bottom);
}

void HitEnemies() {
  if (g_Enemies[0].type == 7) {
    HitBoss();
    return;
  }
  for (int i = 0; i < g_EnemyCount && i < kEnemySlots; ++i) {
    Enemy& e = g_Enemies[i];
    if (e.active == 0) continue;
    if (SpriteObject* shot = ShotHitting(e.hitRect)) DestroyEnemy(e, *shot);
  }
  if (g_EnemyShots[0].type == 6) ShootDownMissiles();
}

void HitPlayerByShots() {
  if (g_PlayerAlive == 0) return;
  // During a beam or a chain salvo only the head can hit.
  int32_t phase = g_EnemyShots[0].type;
  int n = phase == 5 || phase == 7 ? 1 : kEnemyShots;
  for (int b = 0; b < n; ++b) {
    EnemyShot& bullet = g_EnemyShots[b];
    if (bullet.active == 0 || !RectsOverlap(bullet.hitRect, g_PlayerHitRect)) continue;
    bullet.active = 0;
    DestroyShip();
    if (phase == 5) EndBeam();
    if (phase == 7) EndSalvo();
    return;
  }
}

void HitPlayerByEnemies() {
  bool bossOn = g_Enemies[0].type >= 7;
  if (g_EnemiesAppeared > 0 && !bossOn) UpdateHitRatio();
  if (g_PlayerAlive == 0) return;
  for (int i = 0; i < g_EnemyCount && i < kEnemySlots; ++i) {
    Enemy& e = g_Enemies[i];
    if (e.active == 0 || !RectsOverlap(e.hitRect, g_PlayerHitRect)) continue;
    Restart(kShipHitSound);
    Restart(kShipHitCrash);
    e.active = 0;
    g_PlayerGas.active = 0;
    g_PlayerAlive = 0;
    if (!bossOn) {
      // Rammed enemies explode but score nothing.
      e.animPeriod = kExploding;
      e.animCount = 0;
      Restart(kDestroySound);
    }
    if (g_Enemies[0].type == 5) ClearEnemyShots();
    if (bossOn) {
      EndSalvo();
      e.active = 1;  // the boss survives the collision
    }
    return;
  }
}
