// The state line: valid JSON with the game's names, every record in place, floats that read back exactly.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "app/app.h"
#include "game/game.h"
#include "tests/support/json_reader.h"
#include "tools/headless/state_json.h"
#include "tools/headless/variables.h"

namespace {

// The state line reads program-wide records; each test puts back what it changed for the tests after it.
class StateLine : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const GameVariable& v : GameVariables()) saved_.push_back(ReadGameVariable(v));
    std::memcpy(enemies_, g_Enemies, sizeof enemies_);
    std::memcpy(shots_, g_EnemyShots, sizeof shots_);
    std::memcpy(player_, g_PlayerObjects, sizeof player_);
  }
  void TearDown() override {
    for (size_t i = 0; i < saved_.size(); ++i) WriteGameVariable(GameVariables()[i], saved_[i]);
    std::memcpy(g_Enemies, enemies_, sizeof enemies_);
    std::memcpy(g_EnemyShots, shots_, sizeof shots_);
    std::memcpy(g_PlayerObjects, player_, sizeof player_);
  }

  static JsonValue Parsed(const std::vector<std::string>& sounds = {}, const std::vector<std::string>& messages = {}) {
    std::string line = StateJson(42, sounds, messages);
    EXPECT_EQ(line.find('\n'), std::string::npos);
    JsonValue state;
    std::string error;
    EXPECT_TRUE(ParseJson(line, &state, &error)) << error << "\n" << line;
    return state;
  }

 private:
  std::vector<double> saved_;
  Enemy enemies_[kEnemySlots];
  EnemyShot shots_[kEnemyShots];
  SpriteObject player_[2 + kPlayerShots];
};

std::vector<std::string> Keys(const JsonValue& object) {
  std::vector<std::string> keys;
  for (const auto& member : object.members) keys.push_back(member.first);
  return keys;
}

TEST_F(StateLine, HasTheGameNamesInOrder) {
  JsonValue state = Parsed();
  EXPECT_EQ(Keys(state),
            (std::vector<std::string>{
                "tick", "g_FrameNo", "g_Life", "g_ClearPhase", "g_ClearWait", "g_StageNo", "g_FrameCount", "g_ScrollV",
                "g_KeyDirs", "g_PlayerAlive", "g_PlayerDX", "g_PlayerDY", "g_PlayerFrame", "g_DeathTimer", "player",
                "gas", "score", "best", "g_BestTotal", "g_RatioShown", "g_KillCount", "g_EnemiesAppeared", "g_WaveNo",
                "g_EnemyCount", "enemies", "enemyShots", "playerShots", "g_FireWork", "g_PlayCount", "g_ScoreHistory",
                "g_GraphShown", "g_EndingAlpha", "g_WeatherCount", "sounds", "messages"}));
  EXPECT_EQ(state["tick"].number, 42);
  EXPECT_EQ(state["enemies"].items.size(), 10u);
  EXPECT_EQ(state["enemyShots"].items.size(), 40u);
  EXPECT_EQ(state["playerShots"].items.size(), 18u);
  EXPECT_EQ(state["g_FireWork"].items.size(), 40u);
  EXPECT_EQ(state["g_ScoreHistory"].items.size(), 9u);
  EXPECT_EQ(state["g_RatioShown"].items.size(), 4u);
  EXPECT_EQ(Keys(state["enemies"][0]),
            (std::vector<std::string>{"active", "type", "x", "y", "dx", "dy", "animFrame", "animPeriod", "animCount",
                                      "firePeriod", "pathStep", "pathWait", "hitRect", "u0"}));
  EXPECT_EQ(Keys(state["enemyShots"][0]),
            (std::vector<std::string>{"active", "type", "x", "y", "dx", "dy", "hitRect"}));
  EXPECT_EQ(Keys(state["player"]), (std::vector<std::string>{"x", "y", "hitRect"}));
  EXPECT_EQ(Keys(state["gas"]), (std::vector<std::string>{"active", "x", "y"}));
}

// Each variable at its largest value among all the others at their smallest: a key wired to the wrong
// variable shows the wrong one.
TEST_F(StateLine, ShowsEachSettableVariableUnderItsOwnName) {
  for (const GameVariable& chosen : GameVariables()) {
    for (const GameVariable& v : GameVariables()) WriteGameVariable(v, v.min);
    WriteGameVariable(chosen, chosen.max);
    JsonValue state = Parsed();
    for (const GameVariable& v : GameVariables()) {
      ASSERT_EQ(state[v.name].kind, JsonValue::Kind::Number) << v.name;
      EXPECT_EQ(state[v.name].number, &v == &chosen ? v.max : v.min) << v.name << " with " << chosen.name << " set";
    }
  }
}

TEST_F(StateLine, ShowsEachRecordAtItsPlace) {
  Enemy& e = g_Enemies[3];
  SetQuad(e.quad, 123.25f, -7.5f, 171.25f, 40.5f, 0.375f, 0, 0.5f, 1);
  e.hitRect = HitRect{1, 2, 3, 4};
  e.type = 6;
  e.animCount = 5;
  e.pathWait = kEvasiveStep;
  g_EnemyShots[39].active = 1;
  g_EnemyShots[39].dy = -8;
  SetQuad(g_EnemyShots[39].quad, 9.5f, 10.5f, 17.5f, 18.5f, 0, 0, 1, 1);
  g_PlayerShots[17].type = 7;
  g_PlayerHitRect = HitRect{297, 409, 341, 453};
  SetQuad(g_PlayerGas.quad, 311, 275, 327, 299, 0, 0, 1, 1);
  JsonValue state = Parsed();
  const JsonValue& enemy = state["enemies"][3];
  EXPECT_EQ(enemy["x"].number, 123.25);
  EXPECT_EQ(enemy["y"].number, -7.5);
  EXPECT_EQ(enemy["u0"].number, 0.375);
  EXPECT_EQ(enemy["hitRect"][3].number, 4);
  EXPECT_EQ(enemy["type"].number, 6);
  EXPECT_EQ(enemy["animCount"].number, 5);
  EXPECT_EQ(enemy["pathWait"].number, kEvasiveStep);
  EXPECT_EQ(state["enemyShots"][39]["active"].number, 1);
  EXPECT_EQ(state["enemyShots"][39]["dy"].number, -8);
  EXPECT_EQ(state["enemyShots"][39]["y"].number, 10.5);
  EXPECT_EQ(state["playerShots"][17]["type"].number, 7);
  EXPECT_EQ(state["player"]["hitRect"][0].number, 297);
  EXPECT_EQ(state["gas"]["y"].number, 275);
}

TEST_F(StateLine, ScoreDigitsAndTables) {
  int32_t digits[10] = {1, 2, 3, 9, 9, 9, 9, 4, 5, 6};
  DigitRecord saved[10];
  std::memcpy(saved, g_Digits, sizeof saved);
  for (int k = 0; k < 10; ++k) g_Digits[k].digit = digits[k];
  int32_t work = g_FireWork[39], history = g_ScoreHistory[8];
  g_FireWork[39] = 77;
  g_ScoreHistory[8] = 88;
  JsonValue state = Parsed();
  std::memcpy(g_Digits, saved, sizeof saved);
  g_FireWork[39] = work;
  g_ScoreHistory[8] = history;
  EXPECT_EQ(state["score"][0].number, 1);
  EXPECT_EQ(state["score"][2].number, 3);
  EXPECT_EQ(state["best"][0].number, 4);
  EXPECT_EQ(state["best"][2].number, 6);
  EXPECT_EQ(state["g_FireWork"][39].number, 77);
  EXPECT_EQ(state["g_ScoreHistory"][8].number, 88);
}

TEST_F(StateLine, FloatsThatAreNotFiniteShowAsNull) {
  g_Enemies[0].quad.v[0].x = std::numeric_limits<float>::quiet_NaN();
  g_Player.quad.v[0].y = std::numeric_limits<float>::infinity();
  g_ScrollV = -std::numeric_limits<float>::infinity();
  JsonValue state = Parsed();
  EXPECT_EQ(state["enemies"][0]["x"].kind, JsonValue::Kind::Null);
  EXPECT_EQ(state["player"]["y"].kind, JsonValue::Kind::Null);
  EXPECT_EQ(state["g_ScrollV"].kind, JsonValue::Kind::Null);
}

TEST_F(StateLine, SoundsAndMessagesInOrderAndEscaped) {
  std::vector<std::string> sounds = {"rewind 2", "play 2"};
  std::vector<std::string> messages = {"ERROR: テクスチャ読み込みに失敗しました", "a \"quoted\" \\ path\nand\ta\x01 control"};
  JsonValue state = Parsed(sounds, messages);
  ASSERT_EQ(state["sounds"].items.size(), 2u);
  EXPECT_EQ(state["sounds"][0].string, "rewind 2");
  EXPECT_EQ(state["sounds"][1].string, "play 2");
  ASSERT_EQ(state["messages"].items.size(), 2u);
  EXPECT_EQ(state["messages"][0].string, messages[0]);
  EXPECT_EQ(state["messages"][1].string, messages[1]);
}

TEST(JsonWriterFloat, ReadsBackExactly) {
  const float kValues[] = {0.1f, 1.0f / 3, 295.5f, -0.0245f, 1e-45f, 1.17549435e-38f, 3.40282347e38f, 16777215.0f,
                           -123456.789f, 0.0f};
  for (float value : kValues) {
    JsonWriter json;
    json.Float(nullptr, value);
    float back = std::strtof(json.Text().c_str(), nullptr);
    EXPECT_EQ(std::memcmp(&back, &value, sizeof value), 0) << json.Text();
  }
  JsonWriter json;
  json.BeginArray();
  json.Float(nullptr, 295.5f);
  json.Float(nullptr, 0.1f);
  json.Float(nullptr, -0.0f);
  json.EndArray();
  EXPECT_EQ(json.Text(), "[295.5,0.100000001,-0]");
}

}  // namespace
