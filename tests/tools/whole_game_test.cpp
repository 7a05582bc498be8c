// Whole games through the real runner program, one of each ending per stage: a small bot plays in this
// process and writes every input down as a script line, then hoshikuzu-headless replays the script.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "app/app.h"
#include "game/game.h"
#include "platform/picture.h"
#include "sound/sound.h"
#include "tests/support/harness.h"
#include "tests/support/json_reader.h"
#include "tests/support/program_run.h"
#include "tools/headless/state_json.h"
#include "tools/headless/variables.h"

namespace {

namespace fs = std::filesystem;
using Screen = PixelVector;  // as the decoder and the textures keep pixels

constexpr uint32_t kPink = 0xFFFFAEC9u;  // the graph line
constexpr uint32_t kOpaque = 0xFF000000u;

// The slot operations as the runner's state line names them, collected since the last kept state.
std::vector<std::string> g_Sounds;
void RecordSound(const char* operation, int slot) { g_Sounds.push_back(std::string(operation) + " " + std::to_string(slot)); }

struct SoundRecording {
  SoundRecording() { g_SoundSlotObserver = RecordSound; }
  ~SoundRecording() { g_SoundSlotObserver = nullptr; }
};

int32_t Trunc(float v) { return static_cast<int32_t>(v); }
int32_t ShipX() { return Trunc(g_Player.quad.v[0].x) + 24; }
int32_t ShipY() { return Trunc(g_Player.quad.v[0].y) + 24; }
int32_t Score() { return 100 * g_Digits[0].digit + 10 * g_Digits[1].digit + g_Digits[2].digit; }

// Plays in this process, delivering each input as the runner would and writing it down as a script line;
// keeps the state line and the picture of the ticks a test wants to compare with the program's.
class Bot {
 public:
  explicit Bot(uint32_t seed) : seed(seed), game_(seed) { g_Sounds.clear(); }

  int64_t Now() const { return tick_; }

  void Char(char c) {
    game_.Type(std::string(1, c));
    Write(std::string("char ") + c);
  }
  void KeyUp(const char* name, uint32_t virtualKey) {
    game_.KeyUp(virtualKey);
    Write(std::string("keyup ") + name);
  }
  void Set(const char* name, int value) {
    WriteGameVariable(*FindGameVariable(name), value);
    Write(std::string("set ") + name + " " + std::to_string(value));
  }
  void Tick(int n = 1) {
    for (int i = 0; i < n; ++i) game_.Tick(), ++tick_;
  }
  // Keeps the state line and the picture after the tick just run.
  void Keep() {
    std::vector<std::string> messages;
    for (; messagesSeen_ < game_.host.Messages().size(); ++messagesSeen_) {
      const HeadlessHost::Message& m = game_.host.Messages()[messagesSeen_];
      messages.push_back(m.caption + ": " + m.text);
    }
    states[tick_ - 1] = StateJson(tick_ - 1, g_Sounds, messages);
    screens[tick_ - 1] = Screen(game_.host.Frame(), game_.host.Frame() + 640 * 480);
    g_Sounds.clear();
  }

  // Holds the direction keys that bring the ship's centre toward (x, y), letting the others go first.
  void Steer(int32_t x, int32_t y) {
    uint8_t want = 0;
    if (x > ShipX() + 3) want |= 2;
    if (x < ShipX() - 3) want |= 8;
    if (y > ShipY() + 3) want |= 4;
    if (y < ShipY() - 3) want |= 1;
    static constexpr struct {
      uint8_t bit;
      char press;
      const char* release;
      uint32_t key;
    } kKeys[] = {{1, '8', "KP8", kVkNumpad8}, {2, '6', "KP6", kVkNumpad6}, {4, '2', "KP2", kVkNumpad2},
                 {8, '4', "KP4", kVkNumpad4}};
    for (const auto& k : kKeys) {
      if ((g_KeyDirs & k.bit) && !(want & k.bit)) KeyUp(k.release, k.key);
    }
    for (const auto& k : kKeys) {
      if ((want & k.bit) && !(g_KeyDirs & k.bit)) Char(k.press);
    }
  }
  // A volley whenever the last Z has gone up, otherwise the release: one volley every other frame.
  void Fire() { g_hWnd->m_FireArmed ? Char('z') : KeyUp("Z", kVkZ); }

  // From the title: the stage chosen and started in tick 1.
  void StartStage(int stage) {
    Tick();
    for (int i = 0; i < stage; ++i) Char('K');
    Char('S');
    Tick();
  }

  std::string script;
  std::map<int64_t, std::string> states;
  std::map<int64_t, Screen> screens;
  const uint32_t seed;

 private:
  void Write(const std::string& event) { script += std::to_string(tick_) + " " + event + "\n"; }

  SoundRecording sounds_;
  GameHarness game_;
  int64_t tick_ = 0;
  size_t messagesSeen_ = 0;
};

// Under the boss and firing, out of its way while it hangs low; lives are topped up to outlast it.
void FightTheBoss(Bot& bot, int64_t limit) {
  while (g_ClearPhase == 0 && bot.Now() < limit) {
    if (g_Life < 16) bot.Set("g_Life", 32);
    const Enemy& boss = g_Enemies[0];
    if (boss.type == 7) {
      int32_t bx = Trunc(boss.quad.v[0].x) + 32, by = Trunc(boss.quad.v[0].y);
      bool low = by + 64 > 330;
      int32_t x = !low ? bx : (bx < 320 ? bx + 200 : bx - 200);
      bot.Steer(x, 432);
      bot.Fire();
    }
    bot.Tick();
  }
}

// The small enemy nearest the ship along x, or null.
const Enemy* NearestEnemy() {
  const Enemy* nearest = nullptr;
  for (int i = 0; i < g_EnemyCount; ++i) {
    const Enemy& e = g_Enemies[i];
    if (!e.active || e.type >= 7) continue;
    auto distance = [](const Enemy& a) { return std::abs(Trunc(a.quad.v[0].x) + 24 - ShipX()); };
    if (nearest == nullptr || distance(e) < distance(*nearest)) nearest = &e;
  }
  return nearest;
}

// Below the nearest enemy, firing, until the score reaches target.
void HuntEnemies(Bot& bot, int32_t target, int64_t limit) {
  while (Score() < target && bot.Now() < limit) {
    if (g_Life < 16) bot.Set("g_Life", 32);
    if (const Enemy* e = NearestEnemy()) bot.Steer(Trunc(e->quad.v[0].x) + 24, 432);
    bot.Fire();
    bot.Tick();
  }
}

// With one life left, straight into the nearest enemy until the game is over.
void RamEnemies(Bot& bot, int64_t limit) {
  bot.Set("g_Life", 1);
  while (g_Life > 0 && bot.Now() < limit) {
    if (const Enemy* e = NearestEnemy()) bot.Steer(Trunc(e->quad.v[0].x) + 24, Trunc(e->quad.v[0].y) + 24);
    bot.Tick();
  }
}

using Outcome = ProgramOutcome;

// Each test's files stay in a folder of its own after the run, to be looked at; the next run clears it.
class WholeGame : public testing::TestWithParam<int> {
 protected:
  void SetUp() override { dir_ = FreshFolderForThisTest(); }

  std::string PathOf(const std::string& name) const { return (dir_ / name).string(); }
  std::string ShotOf(int64_t tick) const { return PathOf("tick" + std::to_string(tick) + ".png"); }

  // Replays the bot's script through the program, asking for a state line and a picture at every kept tick.
  Outcome Replay(const Bot& bot) {
    std::ofstream(PathOf("script.txt"), std::ios::binary) << bot.script;
    std::string ticks, shots;
    for (const auto& [tick, state] : bot.states) {
      ticks += (ticks.empty() ? "" : ",") + std::to_string(tick);
      shots += " --shot " + std::to_string(tick) + ":" + ShotOf(tick);
    }
    int64_t frames = bot.states.rbegin()->first + 1;
    return RunHeadless("--quiet --seed " + std::to_string(bot.seed) + " --frames " + std::to_string(frames) +
                           " --state " + ticks + shots + " --input '" + PathOf("script.txt") + "'",
                       dir_);
  }

  // The program's state lines by tick, each the same text the bot's game gave at that tick.
  std::map<int64_t, JsonValue> ExpectSameStates(const Bot& bot, const Outcome& run) {
    std::map<int64_t, JsonValue> states;
    std::istringstream lines(run.out);
    for (std::string line; std::getline(lines, line);) {
      JsonValue state;
      std::string error;
      EXPECT_TRUE(ParseJson(line, &state, &error)) << error;
      int64_t tick = static_cast<int64_t>(state["tick"].number);
      auto kept = bot.states.find(tick);
      EXPECT_TRUE(kept != bot.states.end() && kept->second == line) << "tick " << tick << " differs from the bot's game";
      states[tick] = state;
    }
    EXPECT_EQ(states.size(), bot.states.size());
    return states;
  }

  // The program's picture of tick is the bot's.
  Screen ExpectSameScreen(const Bot& bot, int64_t tick) {
    std::string bytes = ReadAll(ShotOf(tick));
    Picture picture;
    std::string error;
    EXPECT_TRUE(DecodePicture(std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()), &picture, &error))
        << error;
    EXPECT_TRUE(picture.pixels == bot.screens.at(tick)) << "the picture of tick " << tick;
    return picture.pixels;
  }

  fs::path dir_;
};

// Only the stage clock and the lives are set by the scripts; everything else is played.
void ExpectOnlyClockAndLivesSet(const std::string& script) {
  std::istringstream lines(script);
  for (std::string line; std::getline(lines, line);) {
    if (line.find(" set ") == std::string::npos) continue;
    EXPECT_TRUE(line.find(" set g_FrameCount ") != std::string::npos || line.find(" set g_Life ") != std::string::npos)
        << line;
  }
}

// Every column between the first two dots has a pixel that the line changed, near the line and nowhere
// else on the graph picture (the score bar above it shows the new run's score).
void ExpectLineBetweenTheFirstTwoDots(const Screen& oneDot, const Screen& twoDots, const JsonValue& heights) {
  const double y0 = 322.5 - heights.items[0].number, y1 = 322.5 - heights.items[1].number;
  const int top = static_cast<int>(std::min(y0, y1)) - 1, bottom = static_cast<int>(std::max(y0, y1)) + 2;
  for (int x = 107; x <= 137; ++x) {
    int changed = 0;
    for (int y = 42; y < 362; ++y) {
      if (oneDot[y * 640 + x] == twoDots[y * 640 + x]) continue;
      ++changed;
      EXPECT_TRUE(y >= top && y < bottom) << "changed at " << x << ", " << y;
    }
    EXPECT_GT(changed, 0) << "no line at x " << x;
  }
}

TEST_P(WholeGame, TheBossFallsToShotsAndTheEndingFadesIn) {
  const int stage = GetParam();
  Bot bot(100 + stage);
  bot.StartStage(stage);
  bot.Set("g_FrameCount", 9990);  // ten frames before the boss
  FightTheBoss(bot, 6000);
  ASSERT_EQ(g_ClearPhase, 1) << "the bot did not bring the boss down";
  ASSERT_EQ(g_FireWork[2], 6);
  const int64_t fell = bot.Now() - 1;
  bot.Keep();
  bot.Tick(99);
  bot.Keep();
  bot.Tick();
  bot.Keep();
  bot.Tick(768);
  bot.Keep();
  bot.Tick();
  bot.Keep();
  const Screen ending = [] {
    Screen texels = g_TexEnding->Texels();
    for (uint32_t& texel : texels) texel |= kOpaque;
    return texels;
  }();
  ExpectOnlyClockAndLivesSet(bot.script);

  Outcome run = Replay(bot);
  ASSERT_EQ(run.status, 0) << run.err;
  std::map<int64_t, JsonValue> s = ExpectSameStates(bot, run);
  ASSERT_EQ(s.size(), 5u);
  const JsonValue& fall = s[fell];
  EXPECT_EQ(fall["g_ClearPhase"].number, 1);
  EXPECT_EQ(fall["g_ClearWait"].number, 1);
  EXPECT_EQ(fall["g_FireWork"].items[2].number, 6) << "six breaks";
  EXPECT_GT(fall["g_Life"].number, 0);
  for (int slot = 0; slot < 3; ++slot) EXPECT_EQ(fall["enemies"].items[slot]["active"].number, 0);
  EXPECT_EQ(s[fell + 99]["g_ClearPhase"].number, 1);
  EXPECT_EQ(s[fell + 99]["g_ClearWait"].number, 100);
  const JsonValue& start = s[fell + 100];
  EXPECT_EQ(start["g_ClearPhase"].number, 2);
  EXPECT_EQ(start["g_EndingAlpha"].number, 0);
  EXPECT_EQ(s[fell + 868]["g_EndingAlpha"].number, 256);
  EXPECT_EQ(s[fell + 869]["g_FrameCount"].number, start["g_FrameCount"].number) << "the ending has no stage clock";
  EXPECT_TRUE(ExpectSameScreen(bot, fell + 869) == ending) << "the whole screen is the ending picture";
  EXPECT_FALSE(ExpectSameScreen(bot, fell + 99) == ending);
}

TEST_P(WholeGame, TheLastLifeLostShowsTheGraphAndYRecordsTheNextRun) {
  const int stage = GetParam();
  Bot bot(200 + stage);
  bot.StartStage(stage);
  HuntEnemies(bot, 5, 3000);
  ASSERT_GE(Score(), 5) << "the bot shot too few enemies";
  RamEnemies(bot, 6000);
  ASSERT_EQ(g_Life, 0);
  const int64_t lost = bot.Now() - 1;
  const int32_t score = Score();
  bot.Keep();
  while (g_GraphShown == 0 && bot.Now() < lost + 200) bot.Tick();
  const int64_t graph = bot.Now() - 1;
  bot.Keep();
  bot.Tick(10);
  bot.Char('y');
  bot.Tick();
  const int64_t again = bot.Now() - 1;
  bot.Keep();
  RamEnemies(bot, again + 3000);
  ASSERT_EQ(g_Life, 0);
  while (g_GraphShown == 0 && bot.Now() < again + 3200) bot.Tick();
  const int64_t second = bot.Now() - 1;
  bot.Keep();
  ExpectOnlyClockAndLivesSet(bot.script);

  Outcome run = Replay(bot);
  ASSERT_EQ(run.status, 0) << run.err;
  std::map<int64_t, JsonValue> s = ExpectSameStates(bot, run);
  ASSERT_EQ(s.size(), 4u);
  EXPECT_EQ(s[lost]["g_Life"].number, 0);
  EXPECT_EQ(graph - lost, 126) << "125 frames of shutter, then the graph";
  const JsonValue& first = s[graph];
  EXPECT_EQ(first["g_GraphShown"].number, 1);
  EXPECT_EQ(first["g_PlayCount"].number, 1);
  EXPECT_EQ(first["g_ScoreHistory"].items[0].number, static_cast<int>(score * 0.4 + 0.5));
  const Screen one = ExpectSameScreen(bot, graph);
  EXPECT_EQ(std::count(one.begin(), one.end(), kPink), 0) << "one dot, no line";

  EXPECT_EQ(s[again]["g_Life"].number, 32);
  EXPECT_EQ(s[again]["g_FrameCount"].number, 1);
  EXPECT_EQ(s[again]["g_PlayCount"].number, 1);
  EXPECT_EQ(s[again]["g_BestTotal"].number, score);

  EXPECT_EQ(s[second]["g_GraphShown"].number, 1);
  EXPECT_EQ(s[second]["g_PlayCount"].number, 2);
  const Screen two = ExpectSameScreen(bot, second);
  ExpectLineBetweenTheFirstTwoDots(one, two, s[second]["g_ScoreHistory"]);
}

INSTANTIATE_TEST_SUITE_P(ByStage, WholeGame, testing::Values(0, 1, 2, 3),
                         [](const testing::TestParamInfo<int>& info) { return "Stage" + std::to_string(info.param); });

}  // namespace
