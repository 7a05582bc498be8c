// The player's ship: its start, its movement inside the playfield, its exhaust, and its destruction.
#include "app/app.h"
#include "game/game.h"
#include "sound/sound.h"

SpriteObject g_PlayerObjects[2 + kPlayerShots];
SpriteObject& g_Player = g_PlayerObjects[0];
SpriteObject& g_PlayerGas = g_PlayerObjects[1];
SpriteObject* const g_PlayerShots = g_PlayerObjects + 2;
int32_t& g_PlayerAlive = g_PlayerObjects[0].active;
int32_t& g_PlayerDX = g_PlayerObjects[0].dx;
int32_t& g_PlayerDY = g_PlayerObjects[0].dy;
int32_t& g_PlayerFrame = g_PlayerObjects[0].type;
HitRect& g_PlayerHitRect = g_PlayerObjects[0].hitRect;
int32_t g_DeathTimer = 0;
int32_t g_ShownShipFrame = 0;
int32_t g_ExhaustTimer = 0;
uint8_t g_ExhaustRow = 0;

const int32_t g_ExhaustOffset[kDirections][2] = {
    // x    y       the flame sits behind the ship, by facing
    {16, 48},     // up
    {-24, 16},    // right
    {16, -24},    // down
    {48, 16},     // left
    {33, 33},     // up-left
    {-8, 33},     // up-right
    {-8, -8},     // down-right
    {33, -8},     // down-left
};

const int32_t g_ExhaustSize[kDirections][2] = {
    // width height
    {16, 24}, {24, 16}, {16, 24}, {24, 16}, {22, 22}, {22, 22}, {22, 22}, {22, 22},
};

const float g_ExhaustUV[2][kDirections][4] = {
    {   // row A: left u, top v, right u, bottom v, by facing
        {0, 0, 0.09f, 0.5f}, {0.09f, 0, 0.23f, 0.33f}, {0.23f, 0, 0.31f, 0.5f}, {0.31f, 0, 0.43f, 0.33f},
        {0.43f, 0, 0.5632f, 0.458f}, {0.5632f, 0, 0.69f, 0.458f}, {0.69f, 0, 0.816f, 0.458f},
        {0.816f, 0, 0.948f, 0.458f},
    },
    {   // row B
        {0, 0.5f, 0.0977f, 1}, {0.0977f, 0.5f, 0.24f, 0.83f}, {0.24f, 0.5f, 0.339f, 1},
        {0.339f, 0.5f, 0.48f, 0.83f}, {0.482f, 0.5f, 0.609f, 1}, {0.609f, 0.5f, 0.741f, 1},
        {0.741f, 0.5f, 0.862f, 1}, {0.862f, 0.5f, 1, 1},
    },
};

namespace {

constexpr float kStartLeft = 296, kStartTop = 408, kShipSize = 48;
constexpr int32_t kExplosionFrames = 15;
constexpr int kGameOverSound = 16;

// The run is over: every sound stops, the game-over phrase plays, and the scroll offset becomes the shutter's.
void EndRun() {
  for (int k = 0; k < g_SoundSlotCount; ++k) RewindSoundSlot(k);
  g_ScrollV = 0;
  PlaySoundSlot(kGameOverSound);
}

void PlaceNewShip() {
  float hp = g_HalfPixel;
  SetQuad(g_Player.quad, kStartLeft - hp, kStartTop - hp, kStartLeft + kShipSize - hp, kStartTop + kShipSize - hp,
          0, 0, 0.125f, 1);
  g_PlayerAlive = 1;
  g_PlayerDX = 0;
  g_PlayerDY = 0;
  g_PlayerFrame = 0;
  g_ShownShipFrame = 0;
  g_DeathTimer = -1;
  g_PlayerGas.active = 1;
  g_PlayerGas.dx = 0;
  g_PlayerGas.dy = 0;
  g_PlayerGas.type = 0;
  auto x = static_cast<float>(static_cast<int32_t>(g_Player.quad.v[0].x));
  auto y = static_cast<float>(static_cast<int32_t>(g_Player.quad.v[0].y));
  SetQuad(g_PlayerGas.quad, x + 16 - hp, y + 48 - hp, x + 32 - hp, y + 72 - hp, 0, 0, 0.09f, 0.5f);
}

void FlyShip() {
  MoveSpriteQuad(g_Player.quad, static_cast<float>(g_PlayerDX), static_cast<float>(g_PlayerDY));
  ClampToPlayfield(g_Player.quad);
  if (g_PlayerFrame != g_ShownShipFrame) {
    g_ShownShipFrame = g_PlayerFrame;
    SetQuadU(g_Player.quad, g_PlayerFrame * 0.125f, g_PlayerFrame * 0.125f + 0.125f);
  }
  auto x = static_cast<int32_t>(g_Player.quad.v[0].x);
  auto y = static_cast<int32_t>(g_Player.quad.v[0].y);
  g_PlayerHitRect = HitRect{x + 2, y + 2, x + 46, y + 46};
  // The flame follows at whole pixels; its picture changes only every third frame.
  const int32_t* offset = g_ExhaustOffset[g_PlayerFrame];
  const int32_t* size = g_ExhaustSize[g_PlayerFrame];
  float gx = static_cast<float>(x + offset[0]), gy = static_cast<float>(y + offset[1]);
  SetQuadPosition(g_PlayerGas.quad, gx, gy, gx + size[0], gy + size[1]);
  if (++g_ExhaustTimer > 2) {
    AnimateExhaust();
    g_ExhaustTimer = 0;
  }
}

void Explode() {
  g_DeathTimer += 1;
  if (g_DeathTimer >= kExplosionFrames) {
    ResetPlayer();
    return;
  }
  if (g_DeathTimer % 5 == 0) {
    float left = (g_DeathTimer / 5) * 0.3333f;
    SetQuadUV(g_Player.quad, left, 0, left + 0.3333f, 1);
  }
}

}  // namespace

void ResetPlayer() {
  if (g_PlayerAlive != 0) {
    for (int i = 0; i < kPlayerShots; ++i) g_PlayerShots[i].active = 0;
  } else {
    if (g_Life > 0) g_Life -= 1;
    if (g_Life == 0) {
      EndRun();
      return;
    }
    // Shots still in flight keep flying across the new ship's arrival.
  }
  PlaceNewShip();
}

void UpdatePlayer() {
  if (g_PlayerAlive != 0) {
    FlyShip();
  } else {
    Explode();
  }
}

void ClampToPlayfield(SpriteQuad& quad) {
  // Below the 32-row score bar, and 24 rows clear of the bottom for the flame of a ship facing up.
  if (quad.v[0].x < 0) MoveSpriteQuad(quad, 0 - quad.v[0].x, 0);
  if (quad.v[0].y < 32) MoveSpriteQuad(quad, 0, 32 - quad.v[0].y);
  if (quad.v[2].x > 638) MoveSpriteQuad(quad, 638 - quad.v[2].x, 0);
  if (quad.v[2].y > 456) MoveSpriteQuad(quad, 0, 456 - quad.v[2].y);
}

void AnimateExhaust() {
  g_ExhaustRow ^= 1;
  const float* uv = g_ExhaustUV[g_ExhaustRow == 1 ? 0 : 1][g_PlayerFrame];
  SetQuadUV(g_PlayerGas.quad, uv[0], uv[1], uv[2], uv[3]);
}
