// The score bar: score, best score, hit ratio and the gauge of ships lost, drawn from a digit strip.
#include "app/app.h"
#include "game/game.h"

SpriteQuad g_ScoreBar;
DigitRecord g_Digits[10];
SpriteQuad g_GaugeQuad;
int32_t g_BestTotal = 0;
int32_t g_RatioShown[4] = {};
// The ending's fade and the stage-clear wait reuse the hit ratio's first three ints: the ratio stops
// changing when the boss arrives, long before either is needed.
int32_t& g_EndingAlpha = g_RatioShown[0];
int32_t& g_EndingTick = g_RatioShown[1];
int32_t& g_ClearWait = g_RatioShown[2];

namespace {

constexpr int kScoreRecord = 0;     // records 0..2: hundreds, tens, ones of the score
constexpr int kRatioRecord = 3;     // records 3..6: the hit ratio's digits
constexpr int kBestRecord = 7;      // records 7..9: the best score
constexpr int kFullLives = 32;

int32_t ScoreTotal() {
  return 100 * g_Digits[kScoreRecord].digit + 10 * g_Digits[kScoreRecord + 1].digit + g_Digits[kScoreRecord + 2].digit;
}

void DrawDigits() {
  DrawSpriteQuad(g_TexScore, g_ScoreBar);
  for (const DigitRecord& record : g_Digits) DrawSpriteQuad(g_TexSuuji, record.quad);
}

}  // namespace

void SetDigitPicture(DigitRecord& record, int32_t d) { SetQuadU(record.quad, d * 0.1f, d * 0.1f + 0.1f); }

void UpdateHitRatio() {
  // In tenths of a per cent.
  int32_t r = g_KillCount * 1000 / g_EnemiesAppeared;
  int32_t digits[4] = {0, r / 100, (r % 100) / 10, r % 10};
  if (r == 1000) digits[0] = 1, digits[1] = 0;
  for (int k = 0; k < 4; ++k) {
    if (digits[k] == g_RatioShown[k]) continue;
    g_RatioShown[k] = digits[k];
    SetDigitPicture(g_Digits[kRatioRecord + k], digits[k]);
  }
}

void UpdateBestScore() {
  int32_t total = ScoreTotal();
  if (total <= g_BestTotal) return;
  for (int k = 0; k < 3; ++k) {
    g_Digits[kBestRecord + k].digit = g_Digits[kScoreRecord + k].digit;
    SetDigitPicture(g_Digits[kBestRecord + k], g_Digits[kBestRecord + k].digit);
  }
  g_BestTotal = total;
}

void DrawScoreBar() {
  DrawDigits();
  // One segment per ship lost, each reaching 4 pixels further left, all ending at x = 634.
  float hp = g_HalfPixel;
  for (int32_t k = kFullLives - 1; k >= g_Life && k >= 0; --k) {
    int32_t m = kFullLives - 1 - k;
    SetQuadPosition(g_GaugeQuad, 630.0f - 4 * m - hp, 16 - hp, 634 - hp, 25 - hp);
    DrawSpriteQuad(g_TexGage, g_GaugeQuad);
  }
}

void DrawScorePanel() {
  DrawDigits();
  DrawSpriteQuad(g_TexGage, g_GaugeQuad);
}
