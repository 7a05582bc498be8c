// The invariants of the game's state, grouped by the area of the game that keeps them.
#include "tools/soak/invariants.h"

#include <cmath>
#include <cstdint>

#include "app/app.h"
#include "game/game.h"
#include "render/render.h"
#include "sound/sound.h"
#include "title/title.h"

namespace {

// Collects the broken rules in words: "g_Enemies[3].pathStep is 5: an even number from 0 to 18".
class Checker {
 public:
  void InRange(const std::string& what, int64_t value, int64_t lo, int64_t hi) {
    if (value < lo || value > hi) Broken(what, value, std::to_string(lo) + " to " + std::to_string(hi));
  }
  void OneOf(const std::string& what, int64_t value, std::initializer_list<int64_t> allowed, const char* rule) {
    for (int64_t a : allowed) {
      if (value == a) return;
    }
    Broken(what, value, rule);
  }
  void Finite(const std::string& what, const SpriteQuad& quad) {
    for (const SpriteVertex& v : quad.v) {
      if (!std::isfinite(v.x) || !std::isfinite(v.y) || !std::isfinite(v.u) || !std::isfinite(v.v)) {
        broken_.push_back(what + " has a vertex that is not a finite number");
        return;
      }
    }
  }
  void That(bool holds, const std::string& rule) {
    if (!holds) broken_.push_back(rule);
  }
  void Broken(const std::string& what, int64_t value, const std::string& rule) {
    broken_.push_back(what + " is " + std::to_string(value) + ": must be " + rule);
  }
  std::vector<std::string> Take() { return std::move(broken_); }

 private:
  std::vector<std::string> broken_;
};

std::string Indexed(const char* table, int i, const char* field = nullptr) {
  std::string s = std::string(table) + "[" + std::to_string(i) + "]";
  return field != nullptr ? s + "." + field : s;
}

void CheckScene(Checker& c) {
  c.OneOf("g_FrameNo", g_FrameNo, {0, 1, 10, 11}, "a scene: 0, 1, 10 or 11");
  c.InRange("g_Life", g_Life, -2, 32);
  c.InRange("g_ClearPhase", g_ClearPhase, 0, 2);
  c.InRange("g_StageNo", g_StageNo, 0, 3);
  c.InRange("g_KeyDirs", g_KeyDirs, 0, 15);
  c.InRange("g_SoundSlotCount", g_SoundSlotCount, 0, kSoundSlots);
  c.InRange("g_PlayCount", g_PlayCount, 0, 9);
  c.InRange("g_GraphShown", g_GraphShown, 0, 1);
  // Balloons stop at ten; rain and snow fill the whole table.
  c.InRange("g_WeatherCount", g_WeatherCount, 0, g_StageNo == 0 ? 10 : kWeatherParticles);
  c.That(std::isfinite(g_ScrollV), "g_ScrollV must be a finite number");
}

void CheckPlayer(Checker& c) {
  c.InRange("g_PlayerAlive", g_PlayerAlive, 0, 1);
  c.InRange("g_PlayerGas.active", g_PlayerGas.active, 0, 1);
  c.InRange("g_PlayerFrame", g_PlayerFrame, 0, kDirections - 1);
  c.InRange("g_ShownShipFrame", g_ShownShipFrame, 0, kDirections - 1);
  c.OneOf("g_PlayerDX", g_PlayerDX, {-6, 0, 6}, "-6, 0 or 6");
  c.OneOf("g_PlayerDY", g_PlayerDY, {-6, 0, 6}, "-6, 0 or 6");
  c.InRange("g_DeathTimer", g_DeathTimer, -1, 15);
  c.InRange("g_ExhaustRow", g_ExhaustRow, 0, 1);
  c.Finite("g_Player", g_Player.quad);
  c.Finite("g_PlayerGas", g_PlayerGas.quad);
  for (int s = 0; s < kPlayerShots; ++s) {
    const SpriteObject& shot = g_PlayerShots[s];
    c.InRange(Indexed("g_PlayerShots", s, "active"), shot.active, 0, 1);
    // The direction picks the shot's size and hit size from tables of eight.
    c.InRange(Indexed("g_PlayerShots", s, "type"), shot.type, 0, kDirections - 1);
    c.Finite(Indexed("g_PlayerShots", s), shot.quad);
    // A new shot is parked off to the right only until the next play frame.
    c.That(shot.active == 0 || shot.quad.v[0].x < kNewShotMarker,
           Indexed("g_PlayerShots", s) + " is still parked at x + 9999 after a frame");
  }
}

// The score's hundreds digit may pass 9: it is shown through the digit strip's wrap-around.
void CheckScore(Checker& c) {
  c.That(g_Digits[0].digit >= 0, "g_Digits[0].digit (the score's hundreds) must not be negative");
  c.That(g_Digits[7].digit >= 0, "g_Digits[7].digit (the best score's hundreds) must not be negative");
  for (int k : {1, 2, 8, 9}) c.InRange(Indexed("g_Digits", k, "digit"), g_Digits[k].digit, 0, 9);
  c.That(g_BestTotal >= 0, "g_BestTotal must not be negative");
  for (int k = 0; k < 10; ++k) c.Finite(Indexed("g_Digits", k), g_Digits[k].quad);
  // The hit ratio's digits, 000.0 to 100.0, until the boss falls; from then on the first three ints
  // also serve the stage-clear wait (entry 2) and the ending's fade (entries 0 and 1).
  bool ending = g_ClearPhase == 2;
  c.InRange("g_RatioShown[0]", g_RatioShown[0], 0, ending ? 256 : 1);
  c.InRange("g_RatioShown[1]", g_RatioShown[1], 0, ending ? 2 : 9);
  c.InRange("g_RatioShown[2]", g_RatioShown[2], 0, g_ClearPhase == 0 ? 9 : 101);
  c.InRange("g_RatioShown[3]", g_RatioShown[3], 0, 9);
  if (g_ClearPhase == 0 && g_RatioShown[0] == 1) {
    c.That(g_RatioShown[1] == 0 && g_RatioShown[2] == 0 && g_RatioShown[3] == 0, "the hit ratio must not pass 100.0");
  }
  c.That(g_KillCount <= g_EnemiesAppeared, "g_KillCount must not pass g_EnemiesAppeared");
}

// Animation frames by type: two for the small enemies, three for the spiral, four for the beam.
int64_t LastAnimFrame(int32_t type) { return type <= 3 ? 1 : type == 4 ? 2 : 3; }

void CheckEnemy(Checker& c, int i) {
  const Enemy& e = g_Enemies[i];
  c.InRange(Indexed("g_Enemies", i, "active"), e.active, 0, 1);
  c.InRange(Indexed("g_Enemies", i, "type"), e.type, 0, 7);
  if (e.type >= 0 && e.type <= 5) c.InRange(Indexed("g_Enemies", i, "animFrame"), e.animFrame, 0, LastAnimFrame(e.type));
  // A launcher's facing picks its missile's direction.
  if (e.type == 6 && e.active) c.InRange(Indexed("g_Enemies", i, "animCount"), e.animCount, 0, kDirections - 1);
  c.OneOf(Indexed("g_Enemies", i, "pathStep"), e.pathStep, {0, 2, 4, 6, 8, 10, 12, 14, 16, 18},
          "an even number from 0 to 18");
  c.OneOf(Indexed("g_Enemies", i, "animPeriod"), e.animPeriod, {4, 10, 20, kExploding}, "4, 10, 20 or 999");
  c.Finite(Indexed("g_Enemies", i), e.quad);
}

void CheckEnemies(Checker& c) {
  c.InRange("g_WaveNo", g_WaveNo, 0, 4);
  c.InRange("g_EnemyCount", g_EnemyCount, 0, kEnemySlots);
  for (int i = 0; i < kEnemySlots; ++i) CheckEnemy(c, i);
  c.Finite("g_BurstQuad", g_BurstQuad);
  for (int k = 0; k < 6; ++k) c.Finite(Indexed("g_HitSparks", k), g_HitSparks[k].quad);
  if (g_Enemies[0].type == 7) {
    // The boss's work values: hits toward a break, breaks, the final explosion's step, the salvo's way.
    c.InRange("g_FireWork[1] (the boss's hits)", g_FireWork[1], 0, 10);
    c.InRange("g_FireWork[2] (the boss's breaks)", g_FireWork[2], 0, 6);
    c.InRange("g_FireWork[3] (the boss's explosion step)", g_FireWork[3], 0, 3);
    c.InRange("g_ChainDir", g_ChainDir, 0, kDirections - 1);
  }
}

void CheckEnemyShot(Checker& c, int s) {
  const EnemyShot& shot = g_EnemyShots[s];
  c.InRange(Indexed("g_EnemyShots", s, "active"), shot.active, 0, 1);
  c.InRange(Indexed("g_EnemyShots", s, "type"), shot.type, 0, 7);
  c.Finite(Indexed("g_EnemyShots", s), shot.quad);
  // The spiral enemies keep their ring step here by enemy slot: 0 to 11.
  c.InRange(Indexed("g_ShotDir", s), g_ShotDir[s], 0, 11);
  if (shot.active == 0) return;
  if (shot.type == 6 || shot.type == 7) c.InRange(Indexed("g_ShotDir", s), g_ShotDir[s], 0, kDirections - 1);
  // A missile's turn timer; a curving bullet's step through the 45-entry quarter circle.
  if (shot.type == 6) c.InRange(Indexed("g_ShotStep", s), g_ShotStep[s], 0, 7);
  if (shot.type == 1) c.InRange(Indexed("g_ShotStep", s), g_ShotStep[s], 0, 44);
}

void CheckWeather(Checker& c) {
  int count = g_WeatherCount < 0 ? 0 : (g_WeatherCount > kWeatherParticles ? kWeatherParticles : g_WeatherCount);
  for (int k = 0; k < count; ++k) {
    c.Finite(Indexed("g_Weather", k), g_Weather[k]);
    if (g_StageNo == 1 || g_StageNo == 2) c.InRange(Indexed("g_WeatherAlpha", k), g_WeatherAlpha[k], 0, 255);
    if (g_StageNo == 2) c.InRange(Indexed("g_SnowSize", k), g_SnowSize[k], 4, 12);
  }
}

void CheckScreens(Checker& c) {
  c.Finite("g_Background", g_Background);
  c.Finite("g_ShutterQuad", g_ShutterQuad);
  c.Finite("g_GraphQuad", g_GraphQuad);
  c.Finite("g_EndingQuad", g_EndingQuad);
  c.Finite("g_TitleQuad", g_TitleQuad);
  for (int k = 0; k < 9; ++k) c.Finite(Indexed("g_DotQuads", k), g_DotQuads[k]);
}

}  // namespace

std::vector<std::string> BrokenInvariants() {
  Checker c;
  CheckScene(c);
  // The records of play hold their start values from the first stage set-up on; before it, zeros.
  if (g_FrameNo != 11) return c.Take();
  CheckPlayer(c);
  CheckScore(c);
  CheckEnemies(c);
  for (int s = 0; s < kEnemyShots; ++s) CheckEnemyShot(c, s);
  CheckWeather(c);
  CheckScreens(c);
  return c.Take();
}

ClockBefore ReadClock() { return ClockBefore{g_FrameNo, g_Life, g_ClearPhase, g_FrameCount}; }

std::string BrokenClock(const ClockBefore& before) {
  int64_t expected;
  if (before.frameNo == 10) {
    expected = 1;  // the set-up and the first play frame
  } else if (before.frameNo == 11 && before.life >= 1 && before.clearPhase <= 1) {
    expected = static_cast<int64_t>(before.frameCount) + 1;
  } else {
    expected = before.frameCount;  // title, game over and ending leave the stage clock alone
  }
  if (g_FrameCount == expected) return "";
  return "g_FrameCount went from " + std::to_string(before.frameCount) + " to " + std::to_string(g_FrameCount) +
         ": this frame must leave it at " + std::to_string(expected);
}
