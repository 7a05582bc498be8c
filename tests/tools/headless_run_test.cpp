// The runner program end to end: scripted games, determinism, screenshots, sound, messages, exit statuses.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "platform/picture.h"
#include "tests/support/json_reader.h"
#include "tests/support/program_run.h"

namespace {

namespace fs = std::filesystem;

using Outcome = ProgramOutcome;

// Runs hoshikuzu-headless in a folder of this test's own, so tests can run side by side.
class HeadlessProgram : public ::testing::Test {
 protected:
  void SetUp() override { dir_ = FreshFolderForThisTest(); }
  void TearDown() override { fs::remove_all(dir_); }

  std::string PathOf(const std::string& name) const { return (dir_ / name).string(); }

  // Runs the program with args; a non-empty script is written to run.txt and given as --input.
  Outcome Run(const std::string& args, const std::string& script = "") {
    std::string all = args;
    if (!script.empty()) {
      std::ofstream(PathOf("run.txt"), std::ios::binary) << script;
      all += " --input '" + PathOf("run.txt") + "'";
    }
    return RunHeadless(all, dir_);
  }

  fs::path dir_;
};

// Every line of out, each of which must be one JSON object.
std::vector<JsonValue> States(const std::string& out) {
  std::vector<JsonValue> states;
  std::istringstream lines(out);
  for (std::string line; std::getline(lines, line);) {
    JsonValue state;
    std::string error;
    EXPECT_TRUE(ParseJson(line, &state, &error)) << error << "\n" << line;
    EXPECT_EQ(state.kind, JsonValue::Kind::Object);
    states.push_back(state);
  }
  return states;
}

std::vector<std::string> Strings(const JsonValue& array) {
  std::vector<std::string> strings;
  for (const JsonValue& item : array.items) strings.push_back(item.string);
  return strings;
}

bool Contains(const std::vector<std::string>& strings, const std::string& s) {
  return std::find(strings.begin(), strings.end(), s) != strings.end();
}

Picture ReadPng(const std::string& path) {
  std::string bytes = ReadAll(path);
  Picture picture;
  std::string error;
  EXPECT_TRUE(DecodePicture(std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()), &picture, &error))
      << path << ": " << error;
  return picture;
}

TEST_F(HeadlessProgram, FliesAndFiresThroughAScript) {
  Outcome run = Run("--frames 150 --state 1,2,51,81,149 --shot 149:" + PathOf("flight.png"),
                    "1 char K      # the second stage\n"
                    "2 char S\n"
                    "10 char 8     # up for 30 frames\n"
                    "40 keyup KP8\n"
                    "50 char z     # a volley\n"
                    "70 keyup Z\n"
                    "80 char z     # and the next\n");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  std::vector<JsonValue> s = States(run.out);
  ASSERT_EQ(s.size(), 5u);
  EXPECT_EQ(s[0]["tick"].number, 1);
  EXPECT_EQ(s[0]["g_FrameNo"].number, 1);
  EXPECT_EQ(s[0]["g_Life"].number, -1);
  EXPECT_EQ(s[0]["g_StageNo"].number, 1);

  EXPECT_EQ(s[1]["g_FrameNo"].number, 11);
  EXPECT_EQ(s[1]["g_Life"].number, 32);
  EXPECT_EQ(s[1]["g_StageNo"].number, 1);
  EXPECT_EQ(s[1]["g_FrameCount"].number, 1);
  EXPECT_TRUE(Contains(Strings(s[1]["sounds"]), "play 1")) << "the stage's music";

  // 30 frames up at 6 pixels a frame, then a volley of two shots on their way up.
  EXPECT_EQ(s[2]["player"]["x"].number, s[1]["player"]["x"].number);
  EXPECT_EQ(s[2]["player"]["y"].number, s[1]["player"]["y"].number - 180);
  int flying = 0;
  for (const JsonValue& shot : s[2]["playerShots"].items) {
    if (shot["active"].number == 0) continue;
    ++flying;
    EXPECT_LT(shot["dy"].number, 0);
  }
  EXPECT_EQ(flying, 2);
  EXPECT_EQ(Strings(s[2]["sounds"]), (std::vector<std::string>{"rewind 2", "play 2"}));
  EXPECT_TRUE(Contains(Strings(s[3]["sounds"]), "play 2")) << "Z released, so the next Z fires";

  Picture shot = ReadPng(PathOf("flight.png"));
  EXPECT_EQ(shot.width, 640);
  EXPECT_EQ(shot.height, 480);
  std::set<uint32_t> colours(shot.pixels.begin(), shot.pixels.end());
  EXPECT_GT(colours.size(), 16u) << "a picture of the stage, not a blank";
}

TEST_F(HeadlessProgram, SameSeedSameRunOtherSeedOtherEnemies) {
  const std::string script = "1 char S\n30 char 6\n60 keyup KP6\n70 char z\n";
  auto args = [&](int seed, const char* shot) {
    return "--seed " + std::to_string(seed) + " --frames 130 --state-every 10 --state 101 --shot 129:" + PathOf(shot);
  };
  Outcome first = Run(args(1, "a.png"), script);
  Outcome again = Run(args(1, "b.png"), script);
  Outcome other = Run(args(2, "c.png"), script);
  ASSERT_EQ(first.status, 0) << first.err;
  EXPECT_EQ(first.out, again.out);
  EXPECT_EQ(ReadAll(PathOf("a.png")), ReadAll(PathOf("b.png")));

  // Tick 101 runs frame 100 of the stage, where the first enemies come in.
  auto enemiesAt101 = [](const std::string& out) {
    std::vector<double> x;
    int active = 0;
    for (const JsonValue& state : States(out)) {
      if (state["tick"].number != 101) continue;
      for (const JsonValue& e : state["enemies"].items) x.push_back(e["x"].number), active += e["active"].number != 0;
    }
    EXPECT_EQ(active, 4);
    return x;
  };
  std::vector<double> one = enemiesAt101(first.out), two = enemiesAt101(other.out);
  ASSERT_EQ(one.size(), 10u);
  EXPECT_NE(one, two);
}

TEST_F(HeadlessProgram, ClosingEndsTheRunEarly) {
  for (const char* script : {"5 close\n", "5 char Q\n", "5 char q\n"}) {
    SCOPED_TRACE(script);
    Outcome run = Run("--frames 20 --state-every 1", script);
    EXPECT_EQ(run.status, 0);
    std::vector<JsonValue> states = States(run.out);
    ASSERT_EQ(states.size(), 5u);
    EXPECT_EQ(states.back()["tick"].number, 4);
    EXPECT_NE(run.err.find("the program closed before tick 5"), std::string::npos) << run.err;
  }
}

TEST_F(HeadlessProgram, SetChangesTheGameBeforeItsTick) {
  // Jump the stage clock to the second wave's start and keep only three ships.
  Outcome run = Run("--frames 6 --state 4,5", "1 char S\n5 set g_Life 3\n5 set g_FrameCount 1000\n");
  ASSERT_EQ(run.status, 0) << run.err;
  std::vector<JsonValue> s = States(run.out);
  ASSERT_EQ(s.size(), 2u);
  EXPECT_EQ(s[0]["g_Life"].number, 32);
  EXPECT_EQ(s[0]["g_WaveNo"].number, 0);
  EXPECT_EQ(s[1]["g_Life"].number, 3);
  EXPECT_EQ(s[1]["g_FrameCount"].number, 1001);
  EXPECT_EQ(s[1]["g_WaveNo"].number, 1);
}

TEST_F(HeadlessProgram, MessageBoxesGoToStandardErrorAndTheStateLine) {
  const std::string message = "ERROR: ID3DXLineインスタンスの生成に失敗しました";
  for (bool quiet : {false, true}) {
    SCOPED_TRACE(quiet ? "quiet" : "not quiet");
    Outcome run = Run(std::string("--fail line --frames 2 --state 0,1") + (quiet ? " --quiet" : ""));
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, quiet ? "" : message + "\n");
    std::vector<JsonValue> s = States(run.out);
    ASSERT_EQ(s.size(), 2u);
    EXPECT_EQ(Strings(s[0]["messages"]), std::vector<std::string>{message});
    EXPECT_TRUE(s[1]["messages"].items.empty()) << "each message is listed once";
  }
}

TEST_F(HeadlessProgram, WithoutADisplayNoFrameRunsAndTheScreenshotIsBlack) {
  Outcome run = Run("--fail graphics --quiet --frames 3 --state 2 --shot 2:" + PathOf("black.png"));
  ASSERT_EQ(run.status, 0) << run.err;
  std::vector<JsonValue> s = States(run.out);
  ASSERT_EQ(s.size(), 1u);
  EXPECT_EQ(s[0]["g_Life"].number, -2) << "the title set-up never ran";
  EXPECT_EQ(Strings(s[0]["messages"]), std::vector<std::string>{"hoshikuzu: D3D No Create "});
  Picture shot = ReadPng(PathOf("black.png"));
  ASSERT_EQ(shot.pixels.size(), 640u * 480u);
  EXPECT_TRUE(std::all_of(shot.pixels.begin(), shot.pixels.end(), [](uint32_t p) { return p == 0xFF000000u; }));
}

uint32_t Le(const std::string& bytes, size_t at, int size) {
  uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) value = value << 8 | static_cast<uint8_t>(bytes[at + i]);
  return value;
}

TEST_F(HeadlessProgram, WavHoldsTheWholeRun) {
  constexpr size_t kBytes = 11025 * 4;  // one second of 16-bit stereo at the sounds' own rate
  for (bool withSound : {true, false}) {
    SCOPED_TRACE(withSound ? "with a sound engine" : "without one");
    std::string args = "--quiet --frames 60 --wav " + PathOf("mix.wav") + (withSound ? "" : " --fail audio-engine");
    Outcome run = Run(args, "1 char S\n");
    ASSERT_EQ(run.status, 0) << run.err;
    std::string wav = ReadAll(PathOf("mix.wav"));
    ASSERT_EQ(wav.size(), 44 + kBytes);
    EXPECT_EQ(wav.substr(0, 4), "RIFF");
    EXPECT_EQ(Le(wav, 4, 4), wav.size() - 8);
    EXPECT_EQ(wav.substr(8, 8), "WAVEfmt ");
    EXPECT_EQ(Le(wav, 22, 2), 2u);
    EXPECT_EQ(Le(wav, 24, 4), 11025u);
    EXPECT_EQ(Le(wav, 34, 2), 16u);
    EXPECT_EQ(Le(wav, 40, 4), kBytes);
    bool sound = std::any_of(wav.begin() + 44, wav.end(), [](char b) { return b != 0; });
    EXPECT_EQ(sound, withSound);
  }
}

TEST_F(HeadlessProgram, MistakesStopWithStatus2BeforeTheRun) {
  Outcome badLine = Run("--state-every 1", "1 char S\n2 jump\n");
  EXPECT_EQ(badLine.status, 2);
  EXPECT_EQ(badLine.out, "");
  EXPECT_EQ(badLine.err, PathOf("run.txt") + ":2: unknown event 'jump': char, keyup, close or set\n");

  Outcome badOption = Run("--frames");
  EXPECT_EQ(badOption.status, 2);
  EXPECT_NE(badOption.err.find("--frames needs a value"), std::string::npos) << badOption.err;

  Outcome noScript = Run("--input " + PathOf("missing.txt"));
  EXPECT_EQ(noScript.status, 2);
  EXPECT_NE(noScript.err.find("cannot read the input script"), std::string::npos) << noScript.err;
}

TEST_F(HeadlessProgram, AScreenshotThatCannotBeWrittenFailsTheRun) {
  Outcome run = Run("--frames 2 --shot 1:" + PathOf("no/such/folder/shot.png"));
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("cannot write the screenshot"), std::string::npos) << run.err;
}

TEST_F(HeadlessProgram, HelpDocumentsTheOptionsScriptStateAndStatuses) {
  Outcome help = Run("--help");
  ASSERT_EQ(help.status, 0);
  Outcome state = Run("--frames 1 --state 0");
  std::vector<JsonValue> s = States(state.out);
  ASSERT_EQ(s.size(), 1u);
  std::vector<std::string> words = {"--seed", "--frames", "--input", "--state", "--state-every", "--shot", "--wav",
                                    "--fail", "--quiet", "char", "keyup", "close", "set", "KP8", "0x41",
                                    "Exit status", "audio-output"};
  const JsonValue* records[] = {&s[0], &s[0]["enemies"][0], &s[0]["enemyShots"][0], &s[0]["player"], &s[0]["gas"]};
  for (const JsonValue* record : records) {
    for (const auto& member : record->members) words.push_back(member.first);
  }
  for (const std::string& word : words) EXPECT_NE(help.out.find(word), std::string::npos) << word;
}

}  // namespace
