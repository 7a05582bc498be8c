// The score bar: hit-ratio digits, the best score, the gauge of ships lost, and a score past 999.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/app.h"
#include "game/game.h"
#include "tests/support/harness.h"
#include "tests/support/quad_checks.h"

namespace {

constexpr int kRatioRecord = 3, kBestRecord = 7;

void ExpectShows(const DigitRecord& record, float d) { ExpectQuadUV(record.quad, {d * 0.1f, 0, d * 0.1f + 0.1f, 1}); }

void ShowDigits(int first, std::vector<int> digits) {
  for (size_t k = 0; k < digits.size(); ++k) {
    g_Digits[first + k].digit = digits[k];
    SetDigitPicture(g_Digits[first + k], digits[k]);
  }
}

struct RatioCase {
  int kills, appeared;
  int digits[4];  // hundreds, tens, ones, tenths of a per cent
};

TEST(HitRatio, ShowsKillsPerEnemyInTenthsOfAPerCentTruncated) {
  GameHarness game;
  game.StartStage(0);
  const RatioCase cases[] = {
      {7, 8, {0, 8, 7, 5}},   {1, 3, {0, 3, 3, 3}},       {2, 3, {0, 6, 6, 6}},
      {8, 8, {1, 0, 0, 0}},   {0, 4, {0, 0, 0, 0}},       {999, 1000, {0, 9, 9, 9}},
      {1, 1000, {0, 0, 0, 1}}, {33, 100, {0, 3, 3, 0}},
  };
  for (const RatioCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.kills) + " of " + std::to_string(c.appeared));
    for (int k = 0; k < 4; ++k) g_RatioShown[k] = 0;
    ShowDigits(kRatioRecord, {0, 0, 0, 0});
    g_KillCount = c.kills;
    g_EnemiesAppeared = c.appeared;
    UpdateHitRatio();
    for (int k = 0; k < 4; ++k) {
      EXPECT_EQ(g_RatioShown[k], c.digits[k]) << "digit " << k;
      ExpectShows(g_Digits[kRatioRecord + k], static_cast<float>(c.digits[k]));
    }
  }
}

TEST(HitRatio, OnlyTheDigitsThatChangeAreRewritten) {
  GameHarness game;
  game.StartStage(0);
  g_KillCount = 7;
  g_EnemiesAppeared = 8;
  UpdateHitRatio();
  // 087.5 becomes 080.0: the first two digits stay as they are, whatever their pictures hold.
  SetQuadU(g_Digits[kRatioRecord].quad, 0.77f, 0.78f);
  SetQuadU(g_Digits[kRatioRecord + 1].quad, 0.77f, 0.78f);
  g_KillCount = 8;
  g_EnemiesAppeared = 10;
  UpdateHitRatio();
  ExpectQuadUV(g_Digits[kRatioRecord].quad, {0.77f, 0, 0.78f, 1});
  ExpectQuadUV(g_Digits[kRatioRecord + 1].quad, {0.77f, 0, 0.78f, 1});
  ExpectShows(g_Digits[kRatioRecord + 2], 0);
  ExpectShows(g_Digits[kRatioRecord + 3], 0);
  EXPECT_EQ(g_RatioShown[1], 8);
  EXPECT_EQ(g_RatioShown[2], 0);
}

TEST(HitRatio, ShowsZeroUntilEnemiesHaveAppearedAndWhileNoneIsHit) {
  GameHarness game;
  game.StartStage(0);
  game.Tick(99);
  ASSERT_EQ(g_FrameCount, 100);
  ASSERT_EQ(g_EnemiesAppeared, 0);
  for (int k = 0; k < 4; ++k) ExpectShows(g_Digits[kRatioRecord + k], 0);
  game.Tick();
  ASSERT_GT(g_EnemiesAppeared, 0);
  for (int k = 0; k < 4; ++k) ExpectShows(g_Digits[kRatioRecord + k], 0);
}

struct BestCase {
  int best[3], score[3];
  bool replaced;
};

TEST(BestScore, OnlyAGreaterScoreReplacesTheBest) {
  GameHarness game;
  game.StartStage(0);
  const BestCase cases[] = {
      {{0, 0, 0}, {0, 0, 0}, false}, {{1, 2, 3}, {1, 2, 4}, true},  {{1, 2, 3}, {1, 2, 3}, false},
      {{1, 2, 3}, {0, 9, 9}, false}, {{0, 0, 5}, {0, 1, 0}, true},  {{9, 9, 9}, {12, 0, 0}, true},
  };
  for (const BestCase& c : cases) {
    int best = 100 * c.best[0] + 10 * c.best[1] + c.best[2];
    int score = 100 * c.score[0] + 10 * c.score[1] + c.score[2];
    SCOPED_TRACE("best " + std::to_string(best) + ", score " + std::to_string(score));
    ShowDigits(0, {c.score[0], c.score[1], c.score[2]});
    ShowDigits(kBestRecord, {c.best[0], c.best[1], c.best[2]});
    g_BestTotal = best;
    // A picture no digit has: rewriting the best score's records would show.
    for (int k = 0; k < 3; ++k) SetQuadU(g_Digits[kBestRecord + k].quad, 0.55f, 0.56f);
    UpdateBestScore();
    EXPECT_EQ(g_BestTotal, c.replaced ? score : best);
    for (int k = 0; k < 3; ++k) {
      const DigitRecord& record = g_Digits[kBestRecord + k];
      EXPECT_EQ(record.digit, c.replaced ? c.score[k] : c.best[k]) << "digit " << k;
      if (c.replaced) {
        ExpectShows(record, static_cast<float>(c.score[k]));
      } else {
        ExpectQuadUV(record.quad, {0.55f, 0, 0.56f, 1});
      }
    }
  }
}

// One frame of play drawn into the device; returns the picture.
std::vector<uint32_t> DrawPlayFrame() {
  g_Device->BeginScene();
  DrawPlayfield();
  g_Device->EndScene();
  return std::vector<uint32_t>(g_Device->Pixels(), g_Device->Pixels() + 640 * 480);
}

struct Box {
  int left = 640, top = 480, right = 0, bottom = 0;  // right and bottom exclusive; empty when left >= right
};

Box Differences(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b) {
  Box box;
  for (int y = 0; y < 480; ++y) {
    for (int x = 0; x < 640; ++x) {
      if (a[y * 640 + x] == b[y * 640 + x]) continue;
      box.left = std::min(box.left, x);
      box.top = std::min(box.top, y);
      box.right = std::max(box.right, x + 1);
      box.bottom = std::max(box.bottom, y + 1);
    }
  }
  return box;
}

TEST(Gauge, OneSegmentPerShipLostEachReachingFourPixelsFurtherLeft) {
  GameHarness game;
  game.StartStage(0);
  const SpriteQuad unset = g_GaugeQuad;
  g_Life = 32;
  const std::vector<uint32_t> noGauge = DrawPlayFrame();
  ExpectQuad(g_GaugeQuad, {-0.5f, -0.5f, 3.5f, 8.5f}, {0, 0, 1, 1});

  struct GaugeCase {
    int lives, left;  // the widest segment's left edge
  };
  for (GaugeCase c : {GaugeCase{31, 630}, GaugeCase{30, 626}, GaugeCase{16, 570}, GaugeCase{1, 510}}) {
    SCOPED_TRACE(std::to_string(c.lives) + " lives");
    g_Life = c.lives;
    g_GaugeQuad = unset;
    Box drawn = Differences(noGauge, DrawPlayFrame());
    ExpectQuad(g_GaugeQuad, {c.left - 0.5f, 15.5f, 633.5f, 24.5f}, {0, 0, 1, 1});
    EXPECT_EQ(drawn.left, c.left);
    EXPECT_EQ(drawn.right, 634);
    EXPECT_EQ(drawn.top, 16);
    EXPECT_EQ(drawn.bottom, 25);
  }
}

TEST(ScoreDigits, AHundredsDigitPastNineShowsItsLastDecimalPlace) {
  GameHarness game;
  game.StartStage(0);
  ShowDigits(0, {9, 9, 9});
  // An enemy of the first wave meets a shot: one point more.
  g_EnemyCount = 1;
  Enemy& enemy = g_Enemies[0];
  enemy.active = 1;
  enemy.type = 0;
  enemy.hitRect = HitRect{100, 100, 148, 148};
  SpriteObject& shot = g_PlayerShots[0];
  shot.active = 1;
  shot.hitRect = HitRect{120, 140, 128, 152};
  HitEnemies();
  ASSERT_EQ(enemy.active, 0);
  EXPECT_EQ(g_Digits[0].digit, 10);
  EXPECT_EQ(g_Digits[1].digit, 0);
  EXPECT_EQ(g_Digits[2].digit, 0);
  ExpectShows(g_Digits[0], 10);

  auto hundreds = [](const std::vector<uint32_t>& frame) {
    std::vector<uint32_t> block;
    for (int y = 10; y < 22; ++y) block.insert(block.end(), &frame[y * 640 + 67], &frame[y * 640 + 77]);
    return block;
  };
  const std::vector<uint32_t> ten = hundreds(DrawPlayFrame());
  SetDigitPicture(g_Digits[0], 0);
  EXPECT_EQ(ten, hundreds(DrawPlayFrame())) << "10 should look like 0";
  SetDigitPicture(g_Digits[0], 1);
  EXPECT_NE(ten, hundreds(DrawPlayFrame())) << "and not like 1";
}

}  // namespace
