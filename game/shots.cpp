// The player's shots: volleys of two from the ship's muzzles, flying straight until they leave the field.
#include "game/game.h"
#include "sound/sound.h"

const int32_t g_MuzzleOffset[2][kDirections][2] = {
    // first shot's x, y from the ship, by facing
    {{2, 15}, {21, 2}, {2, 21}, {15, 2}, {1, 27}, {11, 1}, {12, 36}, {2, 12}},
    // second shot's
    {{38, 15}, {21, 38}, {38, 21}, {15, 38}, {26, 2}, {36, 26}, {37, 11}, {27, 37}},
};

const int32_t g_ShotVelocity[kDirections][2] = {
    // dx   dy: 16 up but 20 down, 18 sideways, 18 per axis on upward diagonals and 20 on downward ones
    {0, -16}, {18, 0}, {0, 20}, {-18, 0}, {-18, -18}, {18, -18}, {20, 20}, {-20, 20},
};

const int32_t g_ShotSize[kDirections][2] = {
    // width height
    {8, 12}, {12, 8}, {8, 12}, {12, 8}, {10, 10}, {10, 10}, {10, 10}, {10, 10},
};

const int32_t g_ShotHitSize[kDirections][2] = {
    {8, 12}, {12, 8}, {8, 12}, {12, 8}, {10, 10}, {10, 10}, {10, 10}, {10, 10},
};

namespace {

constexpr int kShotSound = 2;
constexpr int kShotsPerVolley = 2;

void Launch(SpriteObject& shot, int direction, int muzzle) {
  shot.active = 1;
  shot.type = direction;
  float x = g_Player.quad.v[0].x + g_MuzzleOffset[muzzle][direction][0];
  float y = g_Player.quad.v[0].y + g_MuzzleOffset[muzzle][direction][1];
  float hp = g_HalfPixel;
  const float* uv = g_SpriteUVTable[direction];
  SetQuad(shot.quad, x - hp, y - hp, x + g_ShotSize[direction][0] - hp, y + g_ShotSize[direction][1] - hp, uv[0],
          uv[1], uv[2], uv[3]);
  shot.dx = g_ShotVelocity[direction][0];
  shot.dy = g_ShotVelocity[direction][1];
  // Parked far to the right until its first update, so it is first drawn standing at the muzzle.
  shot.quad.v[0].x += kNewShotMarker;
}

void SetShotHitRect(SpriteObject& shot) {
  auto x = static_cast<int32_t>(shot.quad.v[0].x);
  auto y = static_cast<int32_t>(shot.quad.v[0].y);
  shot.hitRect = HitRect{x, y, x + g_ShotHitSize[shot.type][0], y + g_ShotHitSize[shot.type][1]};
}

bool OutOfField(const SpriteQuad& quad) {
  float x = quad.v[0].x, y = quad.v[0].y;
  return x < 0 || y < 32 || x > 628 || y > 468;
}

}  // namespace

void FireVolley() {
  if (g_PlayerAlive == 0) return;
  RewindSoundSlot(kShotSound);
  int fired = 0;
  for (int slot = 0; slot < kPlayerShots && fired < kShotsPerVolley; ++slot) {
    if (g_PlayerShots[slot].active == 0) Launch(g_PlayerShots[slot], g_PlayerFrame, fired++);
  }
  // The shot sound starts again at every volley, also when no shot was free.
  PlaySoundSlot(kShotSound);
}

void UpdatePlayerShots() {
  for (int slot = 0; slot < kPlayerShots; ++slot) {
    SpriteObject& shot = g_PlayerShots[slot];
    if (shot.active == 0) continue;
    if (shot.quad.v[0].x > kNewShotMarker) {
      shot.quad.v[0].x -= kNewShotMarker;
      SetShotHitRect(shot);
      continue;
    }
    MoveSpriteQuad(shot.quad, static_cast<float>(shot.dx), static_cast<float>(shot.dy));
    SetShotHitRect(shot);
    if (OutOfField(shot.quad)) shot.active = 0;
  }
}
