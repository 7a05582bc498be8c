// The results graph shown after a game over: score axis, runs 1 to 9, and six verdicts.
#include <cmath>
#include <string>

#include "art.h"
#include "scenery.h"
#include "text.h"

namespace {

// Picture rows of the score lines: 0 points at row 280, 10,000 more every 40 rows up.
int rowOfScore(int tenThousands) { return 280 - 40 * tenThousands; }
// Picture column of run n (1 to 9): the centre of its dot.
float columnOfRun(int n) { return 80.5f + 40 * (n - 1); }

// Verdicts from the lowest band (0 to 10,000) to the highest (50,000 to 60,000).
struct Verdict {
  const char* text;
  Color tint;
};
const Verdict kVerdicts[6] = {
    {"もうすこし", rgb(110, 130, 200)}, {"まあまあ", rgb(110, 180, 200)},
    {"なかなか", rgb(120, 200, 150)},   {"すごい", rgb(230, 200, 100)},
    {"すばらしい", rgb(246, 150, 90)},  {"ほしくずマスター", rgb(250, 120, 170)}};

void drawBoard(Image& img) {
  fillShape(img, [](Vec p) { return sdBox(p, {300, 160}, {298, 158}, 14); }, withAlpha(rgb(22, 24, 64), 0.94f));
  fillShape(img, [](Vec p) { return std::fabs(sdBox(p, {300, 160}, {296, 156}, 13)) - 1; }, rgb(170, 150, 240));
  TextStyle title{Weight::Bold, 17, rgb(255, 240, 200)};
  drawText(img, "ほしくずの きろく", 20, 10, title);
  TextStyle hint{Weight::Regular, 13, rgb(200, 196, 240)};
  std::string again = "Yキーで もういちど";
  drawText(img, again, 580 - textWidth(again, Weight::Regular, 13), 14, hint);
}

void drawBandsAndAxis(Image& img) {
  for (int k = 0; k < 6; ++k)
    fillRect(img, {64, rowOfScore(k + 1), 424, rowOfScore(k)}, withAlpha(kVerdicts[k].tint, k % 2 ? 0.10f : 0.16f));
  TextStyle label{Weight::Regular, 11, rgb(196, 200, 240)};
  for (int k = 0; k <= 6; ++k) {
    int y = rowOfScore(k);
    for (int x = 64; x < 424; ++x)
      if (k == 0 || x % 4 < 2) img.blend(x, y, rgb(150, 160, 230), k == 0 ? 0.95f : 0.55f);
    std::string value = k == 0 ? "0" : std::to_string(k * 10000);
    drawText(img, value, 58 - textWidth(value, Weight::Regular, 11), y - 9, label);
  }
  for (int x = 64; x <= 64; ++x)
    for (int y = rowOfScore(6); y <= rowOfScore(0); ++y) img.blend(x, y, rgb(150, 160, 230), 0.95f);
}

void drawRuns(Image& img) {
  TextStyle label{Weight::Bold, 12, rgb(230, 226, 255)};
  for (int n = 1; n <= 9; ++n) {
    float x = columnOfRun(n);
    for (int y = rowOfScore(6); y < rowOfScore(0); y += 3) img.blend(static_cast<int>(x), y, rgb(150, 160, 230), 0.25f);
    drawTextCentred(img, std::to_string(n), static_cast<int>(std::lround(x)), 284, label);
  }
  TextStyle unit{Weight::Regular, 11, rgb(196, 200, 240)};
  drawText(img, "かいめ", 388, 300, unit);
}

void drawVerdicts(Image& img) {
  for (int k = 0; k < 6; ++k) {
    float cy = (rowOfScore(k) + rowOfScore(k + 1)) / 2.0f;
    Color tint = kVerdicts[k].tint;
    fillShape(img, [&](Vec p) { return sdBox(p, {512, cy}, {76, 15}, 8); }, withAlpha(scaleRgb(tint, 0.45f), 0.9f));
    fillShape(img, [&](Vec p) { return std::fabs(sdBox(p, {512, cy}, {76, 15}, 8)) - 0.8f; }, tint);
    TextStyle s{Weight::Bold, 14, rgb(255, 252, 240)};
    s.shadow = withAlpha(rgb(10, 10, 30), 0.7f);
    drawTextCentred(img, kVerdicts[k].text, 512, static_cast<int>(cy) - 10, s);
    for (int i = 0; i <= k && k > 0; ++i)
      sparkle(img, {440.0f + i * 5, cy - 12}, 2.5f, rgb(255, 240, 170));
  }
}

}  // namespace

Image paintGraph() {
  Image img(600, 320);
  drawBoard(img);
  drawBandsAndAxis(img);
  drawRuns(img);
  drawVerdicts(img);
  return img;
}
