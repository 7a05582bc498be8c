// Frame pacing: 60 game steps a second whatever the display's refresh rate, and no burst after a stall.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <random>
#include <vector>

#include "platform/pacer.h"

namespace {

// The steps given for each of refreshes display refreshes at rate hz, each interval off by up to
// jitter seconds either way (seeded), after the first call that starts the clock.
std::vector<int> StepsPerRefresh(double hz, int refreshes, double jitter) {
  FramePacer pacer;
  std::mt19937 rng(1234);
  std::uniform_real_distribution<double> noise(-jitter, jitter);
  std::vector<int> steps;
  EXPECT_EQ(pacer.Advance(0), 1);  // the first call always gives a step
  for (int i = 0; i < refreshes; ++i) steps.push_back(pacer.Advance(1.0 / hz + (jitter > 0 ? noise(rng) : 0)));
  return steps;
}

int Sum(const std::vector<int>& v, size_t from = 0, size_t to = SIZE_MAX) {
  int total = 0;
  for (size_t i = from; i < v.size() && i < to; ++i) total += v[i];
  return total;
}

TEST(FramePacer, SixtyHertzGivesExactlyOneStepPerRefresh) {
  struct Case {
    double hz, jitter;
  };
  // Jitter of vertical sync as the performance counter sees it: up to about a millisecond.
  const Case cases[] = {{60, 0},       {60, 0.0004},     {60, 0.0006},     {60, 0.0009},
                        {59.94, 0},    {59.94, 0.0004},  {59.94, 0.0008},  {60.05, 0.0003}};
  for (const Case& c : cases) {
    std::vector<int> steps = StepsPerRefresh(c.hz, 10000, c.jitter);
    for (size_t i = 0; i < steps.size(); ++i) {
      ASSERT_EQ(steps[i], 1) << c.hz << " Hz, jitter " << c.jitter << ", refresh " << i;
    }
  }
}

// Faster displays show each step for several refreshes, in a steady rhythm.
TEST(FramePacer, FasterDisplaysGiveOneStepEveryFewRefreshes) {
  struct Case {
    double hz;
    int every;  // refreshes per step
    double jitter;
  };
  const Case cases[] = {{120, 2, 0},      {120, 2, 0.0003}, {119.88, 2, 0},
                        {180, 3, 0.0002}, {240, 4, 0},      {240, 4, 0.0002}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.hz << " Hz, jitter " << c.jitter);
    std::vector<int> steps = StepsPerRefresh(c.hz, 12000, c.jitter);
    for (size_t i = 0; i + c.every <= steps.size(); i += c.every) {
      ASSERT_EQ(Sum(steps, i, i + c.every), 1) << "refreshes " << i << " to " << i + c.every - 1;
    }
    for (size_t i = 0; i < steps.size(); ++i) ASSERT_LE(steps[i], 1) << "refresh " << i;
  }
}

// Jitter as large as 0.6 ms at 120 Hz may shift the rhythm now and then, but never doubles a step
// within a refresh nor gains or loses time.
TEST(FramePacer, LargeJitterAtOneHundredTwentyHertzKeepsTheRate) {
  std::vector<int> steps = StepsPerRefresh(120, 12000, 0.0006);
  for (size_t i = 0; i < steps.size(); ++i) ASSERT_LE(steps[i], 1) << "refresh " << i;
  EXPECT_NEAR(Sum(steps), 6000, 1);
}

TEST(FramePacer, OneHundredFortyFourHertzAveragesSixtyStepsASecond) {
  std::vector<int> steps = StepsPerRefresh(144, 144 * 60, 0.0003);
  EXPECT_NEAR(Sum(steps), 60 * 60, 1);
  for (size_t i = 0; i < steps.size(); ++i) ASSERT_LE(steps[i], 1) << "refresh " << i;
  // Over every second, not only on the whole: 60 steps, give or take the one that straddles its end.
  for (size_t second = 0; second < 60; ++second) {
    EXPECT_NEAR(Sum(steps, second * 144, (second + 1) * 144), 60, 1) << "second " << second;
  }
}

TEST(FramePacer, SlowerDisplaysCatchUpEveryRefresh) {
  struct Case {
    double hz;
    int steps;
  };
  const Case cases[] = {{30, 2}, {29.97, 2}, {20, 3}, {15, 4}};
  for (const Case& c : cases) {
    std::vector<int> steps = StepsPerRefresh(c.hz, 1000, 0.0002);
    for (size_t i = 0; i < steps.size(); ++i) {
      ASSERT_EQ(steps[i], c.steps) << c.hz << " Hz, refresh " << i;
    }
  }
}

// After a stall the game catches up a few steps at most and then goes on at its pace: the lost time is
// dropped, not replayed.
TEST(FramePacer, LongStallGivesAtMostFourSteps) {
  for (double stall : {0.1, 0.5, 3.0, 3600.0}) {
    FramePacer pacer;
    pacer.Advance(0);
    pacer.Advance(1.0 / 60);
    EXPECT_EQ(pacer.Advance(stall), 4) << stall;
    for (int i = 0; i < 100; ++i) ASSERT_EQ(pacer.Advance(1.0 / 60), 1) << stall << " s, refresh " << i;
  }
}

TEST(FramePacer, TimeGoingBackwardsOrNowhereGivesNoStep) {
  FramePacer pacer;
  pacer.Advance(0);
  const double odd[] = {0, -1.0 / 60, -100, std::numeric_limits<double>::quiet_NaN()};
  for (double seconds : odd) EXPECT_EQ(pacer.Advance(seconds), 0) << seconds;
  EXPECT_EQ(pacer.Advance(1.0 / 60), 1);
  EXPECT_GT(pacer.TimeToNextStep(), 0);
  EXPECT_LE(pacer.TimeToNextStep(), FramePacer::kStepSeconds);
}

}  // namespace
