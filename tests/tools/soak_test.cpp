// The soak's tools: the invariant checker on planted breaks and on the game's own odd values, and a
// recorded soak run replayed exactly by the headless runner.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <regex>

#include "game/game.h"
#include "app/app.h"
#include "tests/support/harness.h"
#include "tests/support/program_run.h"
#include "tools/headless/state_json.h"
#include "tools/soak/invariants.h"
#include "tools/soak/random_player.h"
#include "tools/soak/soak_run.h"

namespace {

struct Plant {
  const char* name;
  void (*plant)();
  const char* broken;  // what the first broken rule says; null when the value is one the game keeps
};

void PrintTo(const Plant& p, std::ostream* os) { *os << p.name; }

class Invariants : public ::testing::TestWithParam<Plant> {};

TEST_P(Invariants, NameWhatBrokeAndAllowTheGamesOwnValues) {
  GameHarness game;
  game.StartStage(0);
  game.Tick(150);
  ASSERT_EQ(BrokenInvariants(), std::vector<std::string>{}) << "a game in play holds everything";
  GetParam().plant();
  std::vector<std::string> broken = BrokenInvariants();
  if (GetParam().broken == nullptr) {
    EXPECT_EQ(broken, std::vector<std::string>{});
  } else {
    ASSERT_FALSE(broken.empty());
    EXPECT_EQ(broken.front().rfind(GetParam().broken, 0), 0u) << broken.front();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Plants, Invariants,
    ::testing::Values(
        Plant{"Scene", [] { g_FrameNo = 2; }, "g_FrameNo is 2"},
        Plant{"Wave", [] { g_WaveNo = 5; }, "g_WaveNo is 5"},
        Plant{"EnemyCount", [] { g_EnemyCount = 11; }, "g_EnemyCount is 11"},
        Plant{"OddPathStep", [] { g_Enemies[3].pathStep = 5; }, "g_Enemies[3].pathStep is 5"},
        Plant{"AnimFrame", [] { g_Enemies[2].animFrame = 2; }, "g_Enemies[2].animFrame is 2"},
        Plant{"TensDigit", [] { g_Digits[1].digit = 10; }, "g_Digits[1].digit is 10"},
        Plant{"RatioDigit", [] { g_RatioShown[3] = 10; }, "g_RatioShown[3] is 10"},
        Plant{"NotANumber", [] { g_EnemyShots[7].quad.v[2].y = NAN; }, "g_EnemyShots[7] has a vertex"},
        Plant{"MissileDirection",
              [] { g_EnemyShots[0].active = 1, g_EnemyShots[0].type = 6, g_ShotDir[0] = 9; }, "g_ShotDir[0] is 9"},
        Plant{"ParkedShot",
              [] { g_PlayerShots[4].active = 1, g_PlayerShots[4].quad.v[0].x += kNewShotMarker; },
              "g_PlayerShots[4] is still parked"},
        // What the game itself does: a hundreds digit past nine, the ratio's ints lent to the clear
        // wait and the ending's fade.
        Plant{"HundredsPastNine", [] { g_Digits[0].digit = 12; }, nullptr},
        Plant{"ClearWait", [] { g_ClearPhase = 1, g_ClearWait = 57; }, nullptr},
        Plant{"EndingFade", [] { g_ClearPhase = 2, g_EndingAlpha = 256, g_EndingTick = 2, g_ClearWait = 101; },
              nullptr}),
    [](const ::testing::TestParamInfo<Plant>& info) { return std::string(info.param.name); });

std::string WithoutSounds(const std::string& state) {
  return std::regex_replace(state, std::regex("\"sounds\":\\[[^\\]]*\\]"), "");
}

// The script a soak run keeps, given to hoshikuzu-headless, brings the game to the very same state.
TEST(SoakScript, ReplaysTheRunExactlyInTheHeadlessRunner) {
  constexpr int64_t kTicks = 3000;
  constexpr uint32_t kGameSeed = 7;
  std::filesystem::path dir = FreshFolderForThisTest();
  std::string scriptPath = (dir / "run.txt").string();
  std::FILE* script = std::fopen(scriptPath.c_str(), "w");
  ASSERT_NE(script, nullptr);
  RandomPlayer player(42, 1, kTicks);
  std::string inProcess;
  RunResult result = RunProgram(kGameSeed, kTicks, [&](int64_t tick, std::vector<ScriptEvent>* events) {
    if (tick == kTicks - 1) inProcess = StateJson(tick - 1, {}, {});
    player.EventsFor(tick, events);
  }, script);
  std::fclose(script);
  ASSERT_FALSE(result.broken) << result.what;
  ASSERT_GT(player.Counts().events, 50);

  ProgramOutcome run = RunHeadless("--quiet --seed " + std::to_string(kGameSeed) + " --frames " +
                                        std::to_string(kTicks - 1) + " --state " + std::to_string(kTicks - 2) +
                                        " --input '" + scriptPath + "'",
                                    dir);
  ASSERT_EQ(run.status, 0) << run.err;
  std::string replayed = run.out.substr(0, run.out.find('\n'));
  EXPECT_EQ(WithoutSounds(replayed), WithoutSounds(inProcess));
  std::filesystem::remove_all(dir);
}

}  // namespace
