// Small helpers for the enemy tests: a fresh stage state, records placed by hand, and a log of sounds.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/game.h"
#include "platform/random.h"
#include "sound/sound.h"

namespace enemy_test {

// Every sound slot operation since the fixture started, as "play 11", "rewind 0" and so on.
inline std::vector<std::string>& SoundLog() {
  static std::vector<std::string> log;
  return log;
}

inline void RecordSound(const char* operation, int slot) {
  SoundLog().push_back(std::string(operation) + " " + std::to_string(slot));
}

inline int CountSound(const std::string& entry) {
  int n = 0;
  for (const std::string& e : SoundLog()) n += e == entry;
  return n;
}

// Places a quad at stored (already half-pixel adjusted) coordinates, opaque white.
inline void PutQuad(SpriteQuad& quad, float x, float y, float w, float h, float u0 = 0, float u1 = 1) {
  SetQuad(quad, x, y, x + w, y + h, u0, 0, u1, 1);
}

inline float Left(const SpriteQuad& quad) { return quad.v[0].x; }
inline float Top(const SpriteQuad& quad) { return quad.v[0].y; }
inline float ULeft(const SpriteQuad& quad) { return quad.v[0].u; }
inline float URight(const SpriteQuad& quad) { return quad.v[1].u; }

inline HitRect RectAt(float x, float y, int w, int h) {
  auto l = static_cast<int32_t>(x), t = static_cast<int32_t>(y);
  return HitRect{l, t, l + w, t + h};
}

inline int EnemySize(int type) { return type == 7 ? 64 : 48; }

// An enemy in play at stored position (x, y), standing still until a test gives it a path.
inline Enemy& PutEnemy(int slot, int type, float x, float y) {
  Enemy& e = g_Enemies[slot];
  e = Enemy{};
  int size = EnemySize(type);
  PutQuad(e.quad, x, y, static_cast<float>(size), static_cast<float>(size));
  e.active = 1;
  e.type = type;
  e.animPeriod = type <= 3 ? 20 : type == 4 ? 4 : 10;
  e.animCount = type == 6 ? 2 : 0;
  e.firePeriod = kSilent;
  e.hitRect = RectAt(x, y, size, size);
  return e;
}

// A player shot of direction 0 (8 x 12) in flight at stored position (x, y).
inline SpriteObject& PutPlayerShot(int slot, float x, float y, int direction = 0) {
  SpriteObject& s = g_PlayerShots[slot];
  s = SpriteObject{};
  PutQuad(s.quad, x, y, 8, 12);
  s.active = 1;
  s.type = direction;
  s.hitRect = RectAt(x, y, 8, 12);
  return s;
}

inline EnemyShot& PutEnemyShot(int slot, int type, float x, float y, int w, int h) {
  EnemyShot& s = g_EnemyShots[slot];
  s = EnemyShot{};
  PutQuad(s.quad, x, y, static_cast<float>(w), static_cast<float>(h));
  s.active = 1;
  s.type = type;
  s.hitRect = RectAt(x, y, w, h);
  return s;
}

// The ship alive at stored position (x, y), with the hit rectangle its flight would give it.
inline void PutPlayer(float x, float y) {
  PutQuad(g_Player.quad, x, y, 48, 48, 0, 0.125f);
  g_PlayerAlive = 1;
  g_PlayerGas.active = 1;
  auto l = static_cast<int32_t>(x), t = static_cast<int32_t>(y);
  g_PlayerHitRect = HitRect{l + 2, t + 2, l + 46, t + 46};
}

// The state a stage starts from, then nothing in play; sounds are logged instead of heard.
class EnemyWorld : public ::testing::Test {
 protected:
  void SetUp() override {
    SeedRand(1);
    g_HalfPixel = 0.5f;
    g_Life = 32;
    g_ClearPhase = 0;
    ResetStage();
    g_EnemyCount = 0;
    for (HitSpark& spark : g_HitSparks) spark.active = 0;
    for (DigitRecord& d : g_Digits) d.digit = 0;
    for (int s = 0; s < kPlayerShots; ++s) g_PlayerShots[s].active = 0;
    PutPlayer(296, 407.5f);
    SoundLog().clear();
    g_SoundSlotObserver = RecordSound;
  }
  void TearDown() override { g_SoundSlotObserver = nullptr; }
};

}  // namespace enemy_test
