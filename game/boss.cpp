// The final boss: its pupil that follows the ship, its snaking chain salvo, and the hits that break it.
#include "game/game.h"
#include "sound/sound.h"

int32_t g_ChainDir = 0;
HitSpark g_HitSparks[6];

const int32_t g_PupilOffset[kDirections][2] = {
    // x   y from the body's corner, so the pupil looks toward the ship
    {24, 16}, {34, 20}, {24, 26}, {14, 20}, {18, 18}, {30, 18}, {30, 24}, {18, 24},
};

const int32_t g_ChainLaunch[kDirections][2] = {
    // x   y of a chain bullet from the pupil's corner, by the salvo's direction
    {-8, -24}, {8, -8}, {-8, 8}, {-24, -8}, {-24, -24}, {8, -24}, {8, 8}, {-24, 8},
};

namespace {

constexpr int kSalvoSound = 12, kBreakSound = 13, kLastBreakSound = 14, kHitSound = 15;
constexpr int32_t kRestFire = 79;
constexpr int32_t kHitsPerBout = 11;
constexpr int32_t kBouts = 6;

// g_FireWork during the boss: 0 the head's re-aims this salvo, 1 hits since the last break, 2 breaks.
int32_t& g_HeadReaims = g_FireWork[0];
int32_t& g_BossHits = g_FireWork[1];
int32_t& g_BossBreaks = g_FireWork[2];

// Where the head was, and which way it went, at the start of this frame's step: each follower takes
// the place of the bullet before it.
int32_t g_FollowX = 0, g_FollowY = 0, g_FollowDir = 0;

int32_t Trunc(float v) { return static_cast<int32_t>(v); }

Enemy& Body() { return g_Enemies[0]; }
Enemy& Flash() { return g_Enemies[1]; }
Enemy& Pupil() { return g_Enemies[2]; }

void ShowChainDirection(SpriteQuad& quad, int32_t d) { SetQuadU(quad, d * 0.125f, d * 0.125f + 0.125f); }

int32_t ReaimLimit() { return g_BossBreaks < 3 ? 0 : (g_BossBreaks < 5 ? 10 : 20); }

void ShowFlash() {
  Flash().active = 1;
  Flash().type = 7;
  float x = static_cast<float>(Trunc(Pupil().quad.v[0].x) - 4) - g_HalfPixel;
  float y = static_cast<float>(Trunc(Pupil().quad.v[0].y) - 4) - g_HalfPixel;
  SetQuad(Flash().quad, x, y, x + 24, y + 24, 0, 0, 0.6f, 1);
  Pupil().active = 0;
}

void StepHead(EnemyShot& head) {
  g_FollowX = Trunc(head.quad.v[0].x);
  g_FollowY = Trunc(head.quad.v[0].y);
  g_FollowDir = g_ShotDir[0];
  if (g_HeadReaims < ReaimLimit()) {
    g_HeadReaims += 1;
    int32_t n = AimDirection(0, 16, 16, 1);
    if (n != g_ShotDir[0]) {
      g_ShotDir[0] = n;
      ShowChainDirection(head.quad, n);
    }
  }
  int32_t e = g_ShotDir[0] & 7;
  MoveSpriteQuad(head.quad, static_cast<float>(g_DirStepX[e]), static_cast<float>(g_DirStepY[e]));
  int32_t x = Trunc(head.quad.v[0].x), y = Trunc(head.quad.v[0].y);
  head.hitRect = HitRect{x, y, x + 32, y + 32};
}

void StepFollower(int slot, EnemyShot& shot) {
  int32_t ownX = Trunc(shot.quad.v[0].x), ownY = Trunc(shot.quad.v[0].y), ownDir = g_ShotDir[slot];
  float x = static_cast<float>(g_FollowX), y = static_cast<float>(g_FollowY);
  SetQuadPosition(shot.quad, x, y, x + 32, y + 32);
  if (ownDir != g_FollowDir) {
    g_ShotDir[slot] = g_FollowDir;
    ShowChainDirection(shot.quad, g_FollowDir & 7);
  }
  g_FollowX = ownX, g_FollowY = ownY, g_FollowDir = ownDir;
}

void Break(Enemy& body) {
  ClearEnemyShots();
  g_BossBreaks += 1;
  Pupil().active = 0;
  Flash().active = 0;
  body.active = 0;
  body.animPeriod = kExploding;
  body.animCount = 0;
  body.firePeriod = kSilent;
  g_BossHits = 0;
  bool last = g_BossBreaks >= kBouts;
  RewindSoundSlot(last ? kLastBreakSound : kBreakSound);
  // Broken: the last column of the boss's sheet; the last time, the first of its explosion.
  last ? SetQuadU(body.quad, 0, 0.33333f) : SetQuadU(body.quad, 0.75f, 1);
  PlaySoundSlot(last ? kLastBreakSound : kBreakSound);
}

void AddSpark(const SpriteObject& shot) {
  for (HitSpark& spark : g_HitSparks) {
    if (spark.active) continue;
    float x = static_cast<float>(Trunc(shot.quad.v[0].x)), y = static_cast<float>(Trunc(shot.quad.v[0].y));
    SetSpriteQuad(spark.quad, 26 + (shot.type & 7), x, y, x + 16, y + 16);
    spark.active = 1;
    return;
  }
}

}  // namespace

void PlaceBossPupil() {
  int32_t d = AimDirection(0, 32, 32, 0);
  float x = static_cast<float>(Trunc(Body().quad.v[0].x) + g_PupilOffset[d][0]);
  float y = static_cast<float>(Trunc(Body().quad.v[0].y) + g_PupilOffset[d][1]);
  SetQuadPosition(Pupil().quad, x, y, x + 16, y + 16);
}

void FireChainShot(int enemySlot, int shotSlot) {
  Enemy& body = g_Enemies[enemySlot];
  if (body.firePeriod > 29) {
    // A salvo begins: from now on one chain bullet a frame.
    body.firePeriod = 1;
    RewindSoundSlot(kSalvoSound);
    PlaySoundSlot(kSalvoSound);
  }
  EnemyShot& shot = g_EnemyShots[shotSlot];
  shot.type = 7;
  int32_t d;
  if (shotSlot == 0) {
    d = AimDirection(0, 32, 32, 0);
    g_ChainDir = d;
    g_ShotDir[0] = d;
    ShowFlash();
  } else {
    d = g_ChainDir & 7;
    g_ShotDir[shotSlot] = d;
  }
  shot.active = 1;
  // Parked off-screen until the bullet pass of this same frame brings it to the launch point.
  float x = static_cast<float>(Trunc(Pupil().quad.v[0].x) + g_ChainLaunch[d][0]) + kNewShotMarker;
  float y = static_cast<float>(Trunc(Pupil().quad.v[0].y) + g_ChainLaunch[d][1]);
  SetSpriteQuad(shot.quad, 26 + d, x, y, x + 32, y + 32);
}

bool StepChainShot(int slot) {
  EnemyShot& shot = g_EnemyShots[slot];
  if (shot.quad.v[0].x > kNewShotMarker) {
    MoveSpriteQuad(shot.quad, -kNewShotMarker, 0);
    int32_t x = Trunc(shot.quad.v[0].x), y = Trunc(shot.quad.v[0].y);
    if (slot == 0) shot.hitRect = HitRect{x, y, x + 32, y + 32};
    return true;
  }
  slot == 0 ? StepHead(shot) : StepFollower(slot, shot);
  int32_t x = Trunc(shot.quad.v[0].x), y = Trunc(shot.quad.v[0].y);
  if (x > 608 || y > 448 || x < 0 || y < 32) {
    EndSalvo();
    return false;
  }
  return true;
}

void HitBoss() {
  Enemy& body = Body();
  // Tested once: shots later in the same pass still hit the broken body and count toward the next bout.
  if (body.active == 0) return;
  for (int s = 0; s < kPlayerShots; ++s) {
    SpriteObject& shot = g_PlayerShots[s];
    if (shot.active == 0 || !RectsOverlap(shot.hitRect, body.hitRect)) continue;
    RewindSoundSlot(kHitSound);
    g_BossHits += 1;
    shot.active = 0;
    if (g_BossHits >= kHitsPerBout) Break(body);
    PlaySoundSlot(kHitSound);
    AddSpark(shot);
  }
}

void EndSalvo() {
  ClearEnemyShots();
  Body().firePeriod = kRestFire;
  g_HeadReaims = 0;
  Flash().active = 0;
  Pupil().active = 1;
}
