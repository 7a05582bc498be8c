// The stage weather after frame 6000: how many particles, and how balloons, rain and snow move and restart.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/app.h"
#include "game/game.h"
#include "platform/random.h"
#include "tests/support/harness.h"
#include "tests/support/quad_checks.h"

namespace {

using Screen = std::vector<uint32_t>;

constexpr int32_t kQuietFrame = 6001;  // weather shows, but the count does not grow
constexpr uint32_t kSeed = 4242;

// Draws one play frame at stage clock f, as the play frame does after its updates.
Screen DrawAt(int32_t f) {
  g_FrameCount = f;
  g_Device->Clear(0xFF000000u);
  g_Device->BeginScene();
  DrawPlayfield();
  g_Device->EndScene();
  return Screen(g_Device->Pixels(), g_Device->Pixels() + 640 * 480);
}

// One frame with only particle 0 in use and the random sequence restarted from kSeed.
void StepParticleZero() {
  g_WeatherCount = 1;
  SeedRand(kSeed);
  DrawAt(kQuietFrame);
}

// The random values the weather step of particle 0 takes first.
int FirstRand(int range) {
  SeedRand(kSeed);
  return Rand() % range;
}

class WeatherCount : public testing::TestWithParam<int> {};

TEST_P(WeatherCount, GrowsOnEveryHundredthFrameAfter6000) {
  const int stage = GetParam();
  GameHarness game;
  game.StartStage(stage);
  const Screen clear = DrawAt(5999);
  for (int32_t hundred = 59; hundred <= 94; ++hundred) {
    for (int32_t f = hundred * 100 - 1; f <= hundred * 100 + 1; ++f) {
      const Screen screen = DrawAt(f);
      int32_t steps = f > 6000 ? (f - 6000) / 100 : 0;
      int32_t expected = stage == 0 ? std::min(steps, 10) : std::min(5 * steps, 160);
      ASSERT_EQ(g_WeatherCount, expected) << "frame " << f;
      if (stage == 3) {
        ASSERT_TRUE(screen == clear) << "stage 3 draws no weather, frame " << f;
      }
    }
  }
  if (stage != 3) {
    EXPECT_FALSE(DrawAt(9401) == clear) << "the particles are drawn";
  }
}

INSTANTIATE_TEST_SUITE_P(ByStage, WeatherCount, testing::Values(0, 1, 2, 3),
                         [](const testing::TestParamInfo<int>& info) { return "Stage" + std::to_string(info.param); });

struct Box {
  int left = 640, top = 480, right = 0, bottom = 0;  // right and bottom exclusive
};

Box Differences(const Screen& a, const Screen& b) {
  Box box;
  for (int y = 0; y < 480; ++y) {
    for (int x = 0; x < 640; ++x) {
      if (a[y * 640 + x] == b[y * 640 + x]) continue;
      box = Box{std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1), std::max(box.bottom, y + 1)};
    }
  }
  return box;
}

class WeatherDrawing : public testing::TestWithParam<int> {};

TEST_P(WeatherDrawing, AParticleIsDrawnWhereThePreviousFrameLeftItThenMoved) {
  const int stage = GetParam();
  GameHarness game;
  game.StartStage(stage);
  // Particle 0 somewhere in the open, away from the score bar drawn over the weather.
  const float w = stage == 1 ? 1 : 8, h = stage == 1 ? 16 : 8, hp = stage == 1 ? 0 : 0.5f;
  SetQuadPosition(g_Weather[0], 300 - hp, 200 - hp, 300 + w - hp, 200 + h - hp);
  g_BalloonW[0] = w;
  g_BalloonH[0] = h;
  g_SnowSize[0] = 8;
  g_WeatherAlpha[0] = stage == 1 ? 200 : 255;
  g_WeatherCount = 0;
  const Screen without = DrawAt(kQuietFrame);
  StepParticleZero();
  const Box drawn = Differences(without, Screen(g_Device->Pixels(), g_Device->Pixels() + 640 * 480));
  ASSERT_LT(drawn.left, drawn.right) << "the particle was drawn";
  EXPECT_GE(drawn.left, 300);
  EXPECT_LE(drawn.right, 300 + static_cast<int>(w));
  EXPECT_GE(drawn.top, 200);
  EXPECT_LE(drawn.bottom, 200 + static_cast<int>(h));
  EXPECT_NE(g_Weather[0].v[0].y, 200 - hp) << "and moved after";
}

INSTANTIATE_TEST_SUITE_P(ByStage, WeatherDrawing, testing::Values(0, 1, 2),
                         [](const testing::TestParamInfo<int>& info) { return "Stage" + std::to_string(info.param); });

struct BalloonCase {
  const char* name;
  float width, height;
  float topAfterRise;
  bool restarts;
};

TEST(Balloons, RiseOneOrTwoPixelsSwellBelow48WideAndRestartBelowTheScreenOnceAbove) {
  GameHarness game;
  game.StartStage(0);
  const BalloonCase cases[] = {
      {"new", 6, 8, 400.5f, false},
      {"47.9 wide", 47.9f, 63.8f, 300.5f, false},
      {"48 wide", 48, 64, 300.5f, false},
      {"top reaching -0.5", 6, 8, -0.5f, false},
      {"top reaching -1", 6, 8, -1, true},
  };
  const float left = 100.5f;
  for (const BalloonCase& c : cases) {
    SCOPED_TRACE(c.name);
    const float rise = static_cast<float>(FirstRand(2) + 1);
    const float top = c.topAfterRise + rise;
    SetQuad(g_Weather[0], left, top, left + c.width, top + c.height, 0, 0, 1, 1);
    g_BalloonW[0] = c.width;
    g_BalloonH[0] = c.height;
    StepParticleZero();
    if (c.restarts) {
      SeedRand(kSeed);
      Rand();
      float x = static_cast<float>(Rand() % 633);
      float y = static_cast<float>(320 + Rand() % 281);
      ExpectQuad(g_Weather[0], {x - 0.5f, y - 0.5f, x + 5.5f, y + 7.5f}, {0, 0, 1, 1});
      EXPECT_EQ(g_BalloonW[0], 6.0f);
      EXPECT_EQ(g_BalloonH[0], 8.0f);
      continue;
    }
    const bool swells = static_cast<int>(c.width) < 48;
    const float w = swells ? c.width * 1.01f : c.width, h = swells ? c.height * 1.01f : c.height;
    EXPECT_EQ(g_BalloonW[0], w);
    EXPECT_EQ(g_BalloonH[0], h);
    ExpectQuad(g_Weather[0], {left, top - rise, left + w, top + h - rise}, {0, 0, 1, 1});
  }
}

TEST(Balloons, StopSwellingAt48WideWithTheirShapeKept) {
  GameHarness game;
  game.StartStage(0);
  SetSpriteQuad(g_Weather[0], 0, 300, 640, 306, 648);
  g_BalloonW[0] = 6;
  g_BalloonH[0] = 8;
  float last = 0;
  int frames = 0;
  for (; frames < 300 && g_BalloonW[0] != last; ++frames) {
    last = g_BalloonW[0];
    StepParticleZero();
  }
  ASSERT_LT(frames, 300);
  const float w = g_BalloonW[0], h = g_BalloonH[0];
  EXPECT_GE(w, 48.0f);
  EXPECT_LT(w, 48 * 1.01f);
  EXPECT_NEAR(h / w, 8.0f / 6.0f, 1e-4);
  const SpriteQuad& q = g_Weather[0];
  EXPECT_NEAR(q.v[1].x - q.v[0].x, w, 1e-3);
  EXPECT_NEAR(q.v[3].y - q.v[0].y, h, 1e-3);
  EXPECT_GT(q.v[0].y, 0.0f) << "still on its way up";
}

struct RainCase {
  int alpha;
  float topAfterFall;
  bool restarts;
};

TEST(Rain, FallsFourToTwentyPixelsAtItsOwnAlphaAndRestartsAtTheTopOncePast464) {
  GameHarness game;
  game.StartStage(1);
  const RainCase cases[] = {{64, 100, false}, {212, 464, false}, {150, 465, true}, {99, 480, true}};
  for (const RainCase& c : cases) {
    SCOPED_TRACE("top after the fall " + std::to_string(c.topAfterFall));
    const float fall = static_cast<float>(4 + FirstRand(17));
    const float top = c.topAfterFall - fall;
    SetQuad(g_Weather[0], 200, top, 201, top + 16, 0, 0, 1, 1);
    g_WeatherAlpha[0] = c.alpha;
    StepParticleZero();
    const uint32_t color = static_cast<uint32_t>(c.alpha) << 24 | 0xFFFFFFu;
    ExpectQuad(g_Weather[0], c.restarts ? QuadRect{200, 32, 201, 48} : QuadRect{200, top + fall, 201, top + 16 + fall},
               {0, 0, 1, 1}, color);
    EXPECT_EQ(g_WeatherAlpha[0], c.alpha);
  }
}

struct SnowCase {
  int size, alpha;
  float topAfterFall;
  int alphaAfter;  // as drawn this frame
  bool restarts;
};

TEST(Snow, FallsAtHalfItsSizeFadesAndRestartsAtTheTopWhenFadedOrPast464) {
  GameHarness game;
  game.StartStage(2);
  const SnowCase cases[] = {
      {4, 255, 200.5f, 249, false},  {5, 255, 200.5f, 250, false}, {9, 255, 200.5f, 254, false},
      {12, 255, 200.5f, 254, false}, {4, 6, 200.5f, 0, true},      {4, 3, 200.5f, 0, true},
      {12, 200, 464.5f, 199, false}, {12, 200, 465, 199, true},
  };
  const float left = 300.5f;
  for (const SnowCase& c : cases) {
    SCOPED_TRACE("size " + std::to_string(c.size) + ", alpha " + std::to_string(c.alpha) + ", top after " +
                 std::to_string(c.topAfterFall));
    const float s = static_cast<float>(c.size), top = c.topAfterFall - s * 0.5f;
    SetQuad(g_Weather[0], left, top, left + s, top + s, 0, 0, 1, 1);
    g_SnowSize[0] = c.size;
    g_WeatherAlpha[0] = c.alpha;
    StepParticleZero();
    const uint32_t color = static_cast<uint32_t>(c.alphaAfter) << 24 | 0xFFFFFFu;
    const QuadRect at = c.restarts ? QuadRect{left, 32, left + s, 32 + s} : QuadRect{left, c.topAfterFall, left + s, c.topAfterFall + s};
    ExpectQuad(g_Weather[0], at, {0, 0, 1, 1}, color);
    EXPECT_EQ(g_WeatherAlpha[0], c.restarts ? 255 : c.alphaAfter);
  }
}

}  // namespace
