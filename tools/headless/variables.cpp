// The table of settable game numbers: where each lives and which values keep the game inside its tables.
#include "tools/headless/variables.h"

#include <cstdint>
#include <cstring>

#include "app/app.h"
#include "game/game.h"
#include "render/render.h"
#include "title/title.h"

namespace {

using T = VariableType;

// Built on first use: some of these are references bound in other files.
std::span<const GameVariable> Table() {
  static const GameVariable kTable[] = {
      // name               type    address              min     max
      {"g_FrameNo",         T::U8,  &g_FrameNo,          0,      255},   // the game reports bad scenes itself
      {"g_Life",            T::I32, &g_Life,             -2,     32},
      {"g_ClearPhase",      T::I32, &g_ClearPhase,       0,      2},
      {"g_ClearWait",       T::I32, &g_ClearWait,        0,      101},
      {"g_StageNo",         T::I32, &g_StageNo,          0,      3},
      {"g_FrameCount",      T::I32, &g_FrameCount,       0,      1e9},
      {"g_ScrollV",         T::F32, &g_ScrollV,          -2,     2},     // background and shutter: -1 to 0
      {"g_KeyDirs",         T::U8,  &g_KeyDirs,          0,      15},
      {"g_PlayerAlive",     T::I32, &g_PlayerAlive,      0,      1},
      {"g_PlayerDX",        T::I32, &g_PlayerDX,         -6,     6},
      {"g_PlayerDY",        T::I32, &g_PlayerDY,         -6,     6},
      {"g_PlayerFrame",     T::I32, &g_PlayerFrame,      0,      7},     // indexes the per-facing tables
      {"g_DeathTimer",      T::I32, &g_DeathTimer,       -1,     15},
      {"g_BestTotal",       T::I32, &g_BestTotal,        0,      999},
      {"g_KillCount",       T::I32, &g_KillCount,        0,      1e6},
      {"g_EnemiesAppeared", T::I32, &g_EnemiesAppeared,  0,      1e6},
      {"g_WaveNo",          T::I32, &g_WaveNo,           0,      4},     // indexes g_WaveSizes
      {"g_EnemyCount",      T::I32, &g_EnemyCount,       0,      kEnemySlots},
      {"g_PlayCount",       T::I32, &g_PlayCount,        0,      9},     // indexes g_ScoreHistory
      {"g_GraphShown",      T::I32, &g_GraphShown,       0,      1},
      {"g_EndingAlpha",     T::I32, &g_EndingAlpha,      0,      256},
      {"g_WeatherCount",    T::I32, &g_WeatherCount,     0,      kBalloons},  // the smallest weather table
  };
  return kTable;
}

}  // namespace

std::span<const GameVariable> GameVariables() { return Table(); }

const GameVariable* FindGameVariable(std::string_view name) {
  for (const GameVariable& variable : Table()) {
    if (name == variable.name) return &variable;
  }
  return nullptr;
}

double ReadGameVariable(const GameVariable& variable) {
  switch (variable.type) {
    case T::U8: return *static_cast<const uint8_t*>(variable.address);
    case T::I32: return *static_cast<const int32_t*>(variable.address);
    case T::F32: return *static_cast<const float*>(variable.address);
  }
  return 0;
}

void WriteGameVariable(const GameVariable& variable, double value) {
  switch (variable.type) {
    case T::U8: *static_cast<uint8_t*>(variable.address) = static_cast<uint8_t>(value); break;
    case T::I32: *static_cast<int32_t*>(variable.address) = static_cast<int32_t>(value); break;
    case T::F32: *static_cast<float*>(variable.address) = static_cast<float>(value); break;
  }
}
