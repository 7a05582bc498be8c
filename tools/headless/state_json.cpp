// Writing the game's records and run state as the runner's state line.
#include "tools/headless/state_json.h"

#include <cmath>
#include <cstdio>

#include "app/app.h"
#include "game/game.h"
#include "title/title.h"

namespace {

constexpr int kScoreDigit = 0;   // g_Digits 0..2: the score
constexpr int kBestDigit = 7;    // g_Digits 7..9: the best score

void HitRectArray(JsonWriter& json, const HitRect& r) {
  json.BeginArray("hitRect");
  for (int32_t edge : {r.left, r.top, r.right, r.bottom}) json.Int(nullptr, edge);
  json.EndArray();
}

void IntArray(JsonWriter& json, const char* key, const int32_t* values, int count) {
  json.BeginArray(key);
  for (int i = 0; i < count; ++i) json.Int(nullptr, values[i]);
  json.EndArray();
}

void Position(JsonWriter& json, const SpriteQuad& quad) {
  json.Float("x", quad.v[0].x);
  json.Float("y", quad.v[0].y);
}

// The ship, its shots and the enemy bullets share one record.
void SpriteObjectFields(JsonWriter& json, const SpriteObject& o) {
  json.Int("active", o.active);
  json.Int("type", o.type);
  Position(json, o.quad);
  json.Int("dx", o.dx);
  json.Int("dy", o.dy);
  HitRectArray(json, o.hitRect);
}

void SpriteObjects(JsonWriter& json, const char* key, const SpriteObject* objects, int count) {
  json.BeginArray(key);
  for (int i = 0; i < count; ++i) {
    json.BeginObject();
    SpriteObjectFields(json, objects[i]);
    json.EndObject();
  }
  json.EndArray();
}

void EnemyObject(JsonWriter& json, const Enemy& e) {
  json.BeginObject();
  json.Int("active", e.active);
  json.Int("type", e.type);
  Position(json, e.quad);
  json.Int("dx", e.dx);
  json.Int("dy", e.dy);
  json.Int("animFrame", e.animFrame);
  json.Int("animPeriod", e.animPeriod);
  json.Int("animCount", e.animCount);
  json.Int("firePeriod", e.firePeriod);
  json.Int("pathStep", e.pathStep);
  json.Int("pathWait", e.pathWait);
  HitRectArray(json, e.hitRect);
  json.Float("u0", e.quad.v[0].u);
  json.EndObject();
}

void Digits(JsonWriter& json, const char* key, int first) {
  json.BeginArray(key);
  for (int k = first; k < first + 3; ++k) json.Int(nullptr, g_Digits[k].digit);
  json.EndArray();
}

void Strings(JsonWriter& json, const char* key, const std::vector<std::string>& values) {
  json.BeginArray(key);
  for (const std::string& value : values) json.String(nullptr, value);
  json.EndArray();
}

void RunState(JsonWriter& json) {
  json.Int("g_FrameNo", g_FrameNo);
  json.Int("g_Life", g_Life);
  json.Int("g_ClearPhase", g_ClearPhase);
  json.Int("g_ClearWait", g_ClearWait);
  json.Int("g_StageNo", g_StageNo);
  json.Int("g_FrameCount", g_FrameCount);
  json.Float("g_ScrollV", g_ScrollV);
  json.Int("g_KeyDirs", g_KeyDirs);
}

void PlayerState(JsonWriter& json) {
  json.Int("g_PlayerAlive", g_PlayerAlive);
  json.Int("g_PlayerDX", g_PlayerDX);
  json.Int("g_PlayerDY", g_PlayerDY);
  json.Int("g_PlayerFrame", g_PlayerFrame);
  json.Int("g_DeathTimer", g_DeathTimer);
  json.BeginObject("player");
  Position(json, g_Player.quad);
  HitRectArray(json, g_PlayerHitRect);
  json.EndObject();
  json.BeginObject("gas");
  json.Int("active", g_PlayerGas.active);
  Position(json, g_PlayerGas.quad);
  json.EndObject();
}

void ScoreState(JsonWriter& json) {
  Digits(json, "score", kScoreDigit);
  Digits(json, "best", kBestDigit);
  json.Int("g_BestTotal", g_BestTotal);
  IntArray(json, "g_RatioShown", g_RatioShown, 4);
  json.Int("g_KillCount", g_KillCount);
}

void EnemyState(JsonWriter& json) {
  json.Int("g_EnemiesAppeared", g_EnemiesAppeared);
  json.Int("g_WaveNo", g_WaveNo);
  json.Int("g_EnemyCount", g_EnemyCount);
  json.BeginArray("enemies");
  for (const Enemy& e : g_Enemies) EnemyObject(json, e);
  json.EndArray();
  SpriteObjects(json, "enemyShots", g_EnemyShots, kEnemyShots);
  SpriteObjects(json, "playerShots", g_PlayerShots, kPlayerShots);
  IntArray(json, "g_FireWork", g_FireWork, kEnemyShots);
}

void EndOfRunState(JsonWriter& json) {
  json.Int("g_PlayCount", g_PlayCount);
  IntArray(json, "g_ScoreHistory", g_ScoreHistory, 9);
  json.Int("g_GraphShown", g_GraphShown);
  json.Int("g_EndingAlpha", g_EndingAlpha);
  json.Int("g_WeatherCount", g_WeatherCount);
}

}  // namespace

void JsonWriter::Key(const char* key) {
  char last = text_.empty() ? '{' : text_.back();
  if (last != '{' && last != '[' && last != ':') text_ += ',';
  if (key == nullptr) return;
  Quote(key);
  text_ += ':';
}

void JsonWriter::Open(const char* key, char bracket) {
  Key(key);
  text_ += bracket;
}

void JsonWriter::Int(const char* key, int64_t value) {
  Key(key);
  text_ += std::to_string(value);
}

void JsonWriter::Float(const char* key, float value) {
  Key(key);
  if (!std::isfinite(value)) {
    text_ += "null";
    return;
  }
  char number[32];
  std::snprintf(number, sizeof number, "%.9g", static_cast<double>(value));
  text_ += number;
}

void JsonWriter::String(const char* key, std::string_view value) {
  Key(key);
  Quote(value);
}

void JsonWriter::Quote(std::string_view value) {
  text_ += '"';
  for (char c : value) {
    if (c == '"' || c == '\\') {
      text_ += '\\';
      text_ += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
      text_ += escape;
    } else {
      text_ += c;  // UTF-8 passes through as it is
    }
  }
  text_ += '"';
}

std::string StateJson(int64_t tick, const std::vector<std::string>& sounds,
                      const std::vector<std::string>& messages) {
  JsonWriter json;
  json.BeginObject();
  json.Int("tick", tick);
  RunState(json);
  PlayerState(json);
  ScoreState(json);
  EnemyState(json);
  EndOfRunState(json);
  Strings(json, "sounds", sounds);
  Strings(json, "messages", messages);
  json.EndObject();
  return json.Text();
}
