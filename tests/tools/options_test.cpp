// The runner's command line: what each option sets, and the message for each kind of mistake.
#include <gtest/gtest.h>

#include "tools/headless/options.h"

namespace {

bool Parse(std::vector<std::string_view> args, RunOptions* options, std::string* error) {
  return ParseCommandLine(args, options, error);
}

TEST(CommandLine, DefaultsWithoutOptions) {
  RunOptions o;
  std::string error;
  ASSERT_TRUE(Parse({}, &o, &error));
  EXPECT_EQ(o.seed, 1u);
  EXPECT_EQ(o.frames, 600);
  EXPECT_TRUE(o.inputPath.empty());
  EXPECT_TRUE(o.stateTicks.empty());
  EXPECT_EQ(o.stateEvery, 0);
  EXPECT_TRUE(o.wavPath.empty());
}

TEST(CommandLine, EveryOptionSetsItsField) {
  RunOptions o;
  std::string error;
  ASSERT_TRUE(Parse({"--seed", "4294967295", "--frames=30", "--input", "run.txt", "--state", "1,5", "--state=9",
                     "--state-every", "10", "--shot", "3:a.png", "--shot=4:b:c.png", "--wav", "mix.wav", "--fail",
                     "line", "--fail=audio-output", "--quiet", "--help"},
                    &o, &error))
      << error;
  EXPECT_EQ(o.seed, 4294967295u);
  EXPECT_EQ(o.frames, 30);
  EXPECT_EQ(o.inputPath, "run.txt");
  EXPECT_EQ(o.stateTicks, (std::vector<int64_t>{1, 5, 9}));
  EXPECT_EQ(o.stateEvery, 10);
  ASSERT_EQ(o.shots.size(), 2u);
  EXPECT_EQ(o.shots[0].tick, 3);
  EXPECT_EQ(o.shots[0].path, "a.png");
  EXPECT_EQ(o.shots[1].tick, 4);
  EXPECT_EQ(o.shots[1].path, "b:c.png");  // only the first colon ends the tick
  EXPECT_EQ(o.wavPath, "mix.wav");
  EXPECT_EQ(o.faults, (std::vector<Fault>{Fault::Line, Fault::AudioOutput}));
  EXPECT_TRUE(o.quiet);
  EXPECT_TRUE(o.help);
}

TEST(CommandLine, MistakesAreNamed) {
  struct Case {
    std::vector<std::string_view> args;
    const char* error;
  } const kCases[] = {
      {{"--seed"}, "--seed needs a value"},
      {{"--seed", "-1"}, "--seed takes a whole number from 0 to 4294967295, not '-1'"},
      {{"--seed", "4294967296"}, "--seed takes a whole number from 0 to 4294967295, not '4294967296'"},
      {{"--frames", "ten"}, "--frames takes a whole number from 0 to 4611686018427387903, not 'ten'"},
      {{"--state", "1,,2"}, "--state takes a whole number from 0 to 4611686018427387903, not ''"},
      {{"--state", "1,"}, "--state takes a whole number from 0 to 4611686018427387903, not ''"},
      {{"--state-every", "0"}, "--state-every takes a whole number from 1 to 4611686018427387903, not '0'"},
      {{"--shot", "5"}, "--shot takes TICK:FILE.png, not '5'"},
      {{"--shot", "5:"}, "--shot takes TICK:FILE.png, not '5:'"},
      {{"--shot", "x:a.png"}, "--shot takes a whole number from 0 to 4611686018427387903, not 'x'"},
      {{"--fail", "nothing"}, "--fail takes one of graphics, display-mode, device0, device1, device2, line, "
                              "antialias, audio-engine, audio-output, not 'nothing'"},
      {{"--bogus"}, "unknown option '--bogus'"},
      {{"frames"}, "unknown option 'frames'"},
      {{"--quiet=1"}, "--quiet takes no value"},
  };
  for (const Case& c : kCases) {
    RunOptions o;
    std::string error;
    EXPECT_FALSE(Parse(c.args, &o, &error)) << c.error;
    EXPECT_EQ(error, c.error);
  }
}

}  // namespace
