// The title picture: the name as a logo among stars, how to choose and start, the four stages.
#include <cmath>

#include "art.h"
#include "scenery.h"
#include "text.h"

namespace {

// The stage names and the black squares the cursor sits on (top-left corners).
struct StageLine {
  const char* name;
  int squareX, squareY;
};
const StageLine kStages[4] = {
    {"晴れた日", 202, 255}, {"霧の日", 202, 269}, {"ニードル・マインド", 202, 283}, {"離散空間場", 202, 297}};

void drawNightSky(Image& img) {
  skyGradient(img, 0, 480, {{0, rgb(16, 18, 52)}, {0.55f, rgb(42, 40, 110)}, {1, rgb(92, 70, 150)}});
  // A faint river of stars across the sky.
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x) {
      float band = std::fabs((y - 60) - (x - 320) * 0.35f) / 90;
      float haze = fbm(x * 0.01f, y * 0.01f, 4, 3) * std::max(0.0f, 1 - band);
      img.blend(x, y, rgb(170, 160, 240), haze * 0.35f);
    }
  Rng rng(2024);
  starField(img, rng, 420, 420, 1.0f);
  moon(img, {548, 78}, 30, 0.55f, rgb(255, 244, 200));
}

void drawTown(Image& img) {
  hills(img, 430, 40, 3, 11, rgb(58, 52, 118), rgb(40, 36, 90));
  hills(img, 462, 26, 5, 12, rgb(38, 44, 98), rgb(28, 30, 70));
  Rng rng(31);
  for (int i = 0; i < 9; ++i) {
    float x = 40 + i * 70 + rng.range(-12, 12);
    Color wall = mix(rgb(80, 72, 140), rgb(120, 96, 150), rng.uniform());
    house(img, {x, 472}, rng.range(20, 30), rng.range(22, 32), wall, rgb(60, 40, 100), rng.chance(0.7f));
    tree(img, {x + 26, 474}, rng.range(16, 24), rgb(34, 46, 90), rng.chance(0.5f));
  }
}

// The logo: rounded bold letters, warm gradient, thick navy outline and a soft shadow.
void drawLogo(Image& img) {
  const std::string name = "ほしくずぼうや";
  const int size = 74, top = 62;
  TextMask m = renderText(name, Weight::Bold, size, 2);
  int left = 320 - m.w / 2;
  TextMask ring = dilate(m, 5);
  TextMask halo = dilate(m, 11);
  paintMask(img, halo, left - 11, top - 11 + 4, withAlpha(rgb(120, 100, 230), 0.35f));
  paintMask(img, ring, left - 5, top - 5 + 4, rgb(16, 12, 40));
  paintMask(img, ring, left - 5, top - 5, rgb(40, 30, 96));
  paintMask(img, m, left, top, [&](int, int y) {
    float t = static_cast<float>(y - top - 14) / (m.h - 30);
    return gradientAt({{0, rgb(255, 255, 236)}, {0.45f, rgb(255, 226, 110)}, {1, rgb(255, 150, 90)}}, t);
  });
  for (Vec s : {Vec{112, 66}, Vec{530, 150}, Vec{174, 168}, Vec{468, 54}})
    sparkle(img, s, 9, rgb(255, 250, 220));
}

void drawShipWithTrail(Image& img) {
  for (int i = 0; i < 30; ++i) {
    float t = i / 29.0f;
    Vec p{410 + t * 96, 430 - t * t * 130 - t * 20};
    sparkle(img, p, 2 + t * 3, withAlpha(rgb(255, 236, 160), 0.35f + t * 0.5f));
  }
  drawShip(img, Frame{{530, 268}, 0.55f, 1.5f}, true);
  drawBoy(img, {96, 452}, 44, Pose::Waving);
}

void drawInstructions(Image& img) {
  TextStyle s{Weight::Bold, 19, rgb(255, 248, 226)};
  s.outline = rgb(30, 24, 70);
  s.outlineWidth = 2.5f;
  drawTextCentred(img, "Kキーで背景をえらんで　Sキーでスタート", 320, 196, s);
  TextStyle small{Weight::Regular, 13, rgb(214, 206, 250)};
  small.outline = rgb(30, 24, 70);
  small.outlineWidth = 2;
  drawTextCentred(img, "テンキーの 8 4 6 2 でいどう　Z でショット", 320, 340, small);
}

void drawStageList(Image& img) {
  fillShape(img, [](Vec p) { return sdBox(p, {290, 280}, {106, 38}, 10); }, withAlpha(rgb(20, 16, 54), 0.72f));
  fillShape(img, [](Vec p) { return std::fabs(sdBox(p, {290, 280}, {106, 38}, 10)) - 0.8f; },
            rgb(150, 130, 230));
  TextStyle s{Weight::Bold, 12, rgb(240, 236, 255)};
  for (const StageLine& line : kStages) {
    fillRect(img, {line.squareX, line.squareY, line.squareX + 9, line.squareY + 9}, rgb(0, 0, 0));
    drawText(img, line.name, line.squareX + 16, line.squareY - 4, s);
  }
}

}  // namespace

Image paintTitle() {
  Image img(640, 480, rgb(0, 0, 0));
  drawNightSky(img);
  drawTown(img);
  drawShipWithTrail(img);
  drawLogo(img);
  drawInstructions(img);
  drawStageList(img);
  return img;
}
