// Ending pictures 9 to 17: homecomings at dawn, by day, at dusk and by the campfire.
#include <cmath>

#include "art.h"
#include "endings.h"

namespace {

void sun(Image& img, Vec c, float r, Color colour) {
  glow(img, c, r * 5, withAlpha(colour, 0.45f));
  fillShape(img, [&](Vec p) { return sdCircle(p, c, r); }, colour);
}

}  // namespace

Image endingSunrise() {
  Image img(640, 480);
  skyGradient(img, 0, 480, {{0, rgb(90, 110, 190)}, {0.45f, rgb(250, 170, 160)}, {0.7f, rgb(255, 214, 150)}, {1, rgb(255, 230, 170)}});
  sun(img, {470, 300}, 36, rgb(255, 244, 200));
  hills(img, 330, 60, 1.5f, 21, rgb(120, 170, 110), rgb(80, 140, 90));
  hills(img, 400, 50, 2.5f, 22, rgb(100, 170, 90), rgb(70, 130, 80));
  Rng rng(23);
  for (int i = 0; i < 160; ++i) {
    Vec p{rng.range(0, 640), rng.range(400, 480)};
    Color c = rng.chance(0.5f) ? rgb(255, 240, 150) : rgb(250, 170, 200);
    fillShapeIn(img, boxAround(p, 3), [&](Vec q) { return sdCircle(q, p, 2); }, c);
  }
  parkedShip(img, {200, 418}, 1.8f);
  drawBoy(img, {300, 424}, 70, Pose::Waving);
  caption(img, "あさひと いっしょに ただいま", rgb(90, 50, 60), withAlpha(rgb(255, 240, 220), 0.6f));
  return img;
}

Image endingCloudSea() {
  Image img(640, 480);
  skyGradient(img, 0, 480, {{0, rgb(60, 100, 200)}, {0.5f, rgb(170, 190, 240)}, {0.62f, rgb(255, 214, 190)}, {1, rgb(250, 230, 220)}});
  sun(img, {150, 290}, 30, rgb(255, 246, 214));
  for (int row = 0; row < 4; ++row)
    for (int i = -1; i < 6; ++i)
      cloud(img, {i * 140.0f + row * 50, 300.0f + row * 50}, 220, 70 + row * 10,
            rgb(255, 250, 246), mix(rgb(220, 190, 210), rgb(190, 170, 210), row / 3.0f), row * 10 + i + 50);
  flyingShip(img, {420, 200}, 0.9f, 2.0f);
  caption(img, "くもの うみを こえて", rgb(80, 60, 110), withAlpha(rgb(255, 246, 240), 0.6f));
  return img;
}

Image endingSunflowers() {
  Image img(640, 480);
  skyGradient(img, 0, 480, {{0, rgb(70, 140, 230)}, {1, rgb(190, 226, 250)}});
  cloud(img, {140, 90}, 200, 60, rgb(255, 255, 255), rgb(200, 214, 240), 61);
  cloud(img, {500, 130}, 160, 50, rgb(255, 255, 255), rgb(200, 214, 240), 62);
  hills(img, 300, 30, 2, 24, rgb(110, 170, 90), rgb(80, 140, 70));
  Rng rng(25);
  for (int row = 0; row < 6; ++row)
    for (int i = 0; i < 12; ++i) {
      float y = 310 + row * 34.0f, r = 8 + row * 3.0f;
      Vec c{i * 58.0f + (row % 2) * 29 + rng.range(-6, 6), y};
      fillShape(img, [&](Vec p) { return sdSegment(p, c, c + Vec{0, r * 3}, r * 0.18f); }, rgb(70, 130, 60));
      fillShape(img, [&](Vec p) { return sdStar(p, c, 12, r * 1.25f, r * 0.8f); }, rgb(255, 210, 60));
      fillShape(img, [&](Vec p) { return sdCircle(p, c, r * 0.55f); }, rgb(130, 80, 40));
    }
  parkedShip(img, {330, 296}, 1.5f);
  drawBoy(img, {420, 330}, 64, Pose::Standing);
  caption(img, "ひまわりばたけに ちゃくりく", rgb(60, 50, 30), withAlpha(rgb(255, 250, 220), 0.6f));
  return img;
}

Image endingLighthouse() {
  Image img(640, 480);
  skyGradient(img, 0, 300, {{0, rgb(40, 50, 110)}, {0.7f, rgb(200, 120, 150)}, {1, rgb(250, 180, 140)}});
  Rng rng(26);
  starField(img, rng, 60, 140, 0.8f);
  skyGradient(img, 300, 480, {{0, rgb(80, 90, 150)}, {1, rgb(30, 40, 90)}});
  reflect(img, 300, rgb(40, 50, 110), 0.5f, 27);
  hills(img, 330, 40, 1, 28, rgb(60, 50, 80), rgb(40, 36, 60));
  fillShape(img, [](Vec p) { return sdPolygon(p, std::vector<Vec>{{500, 320}, {540, 320}, {532, 170}, {508, 170}}); }, rgb(240, 236, 230));
  for (float y : {290.0f, 240.0f, 200.0f})
    fillShape(img, [&](Vec p) { return std::max(sdBox(p, {520, y}, {30, 8}), sdPolygon(p, std::vector<Vec>{{500, 320}, {540, 320}, {532, 170}, {508, 170}})); }, rgb(210, 70, 80));
  fillShape(img, [](Vec p) { return sdBox(p, {520, 160}, {16, 12}, 3); }, rgb(255, 236, 160));
  for (int y = 60; y < 260; ++y)
    for (int x = 0; x < 520; ++x) {
      float spread = (520 - x) * 0.22f;
      float d = std::fabs(y - (160 - (520 - x) * 0.12f));
      if (d < spread) img.blend(x, y, rgb(255, 240, 190), 0.35f * (1 - d / spread) * (x / 520.0f));
    }
  flyingShip(img, {200, 130}, 1.9f, 1.4f);
  caption(img, "とうだいが みちしるべ", rgb(255, 240, 230), withAlpha(rgb(30, 30, 70), 0.6f));
  return img;
}

Image endingSunsetPier() {
  Image img(640, 480);
  skyGradient(img, 0, 280, {{0, rgb(120, 80, 170)}, {0.6f, rgb(250, 130, 140)}, {1, rgb(255, 190, 130)}});
  sun(img, {320, 268}, 40, rgb(255, 220, 150));
  skyGradient(img, 280, 480, {{0, rgb(240, 150, 130)}, {1, rgb(90, 70, 130)}});
  reflect(img, 280, rgb(200, 110, 130), 0.6f, 29);
  fillRect(img, {0, 360, 300, 376}, rgb(110, 70, 70));
  for (int x = 20; x < 300; x += 50) fillRect(img, {x, 376, x + 8, 440}, rgb(80, 50, 60));
  drawBoy(img, {220, 368}, 60, Pose::Sitting);
  fillShape(img, [](Vec p) { return sdSegment(p, {238, 336}, {330, 290}, 1.2f); }, rgb(80, 50, 60));
  fillShape(img, [](Vec p) { return std::max(sdSegment(p, {330, 290}, {330, 400}, 0.6f), 0.0f); }, rgb(250, 240, 230));
  parkedShip(img, {100, 360}, 1.3f);
  caption(img, "ゆうやけの さんばしで", rgb(255, 240, 230), withAlpha(rgb(60, 30, 60), 0.6f));
  return img;
}

Image endingConstellation() {
  Image img(640, 480);
  nightSky(img, {{0, rgb(8, 14, 44)}, {1, rgb(40, 50, 100)}}, 300, 30);
  // The ship's outline in stars: nose, wings, tail.
  const Vec pts[] = {{320, 60}, {350, 110}, {420, 190}, {360, 180}, {340, 230}, {300, 230}, {280, 180}, {220, 190}, {290, 110}, {320, 60}};
  for (int i = 1; i < 10; ++i)
    fillShape(img, [&](Vec p) { return sdSegment(p, pts[i - 1], pts[i], 0.9f); }, withAlpha(rgb(170, 190, 255), 0.6f));
  for (const Vec& p : pts) sparkle(img, p, 8, rgb(255, 250, 220));
  hills(img, 400, 60, 1.4f, 31, rgb(30, 40, 70), rgb(20, 26, 50));
  drawBoy(img, {200, 380}, 60, Pose::Waving);
  parkedShip(img, {110, 384}, 1.3f);
  caption(img, "そらに ふねの せいざ", rgb(230, 236, 255), withAlpha(rgb(10, 14, 40), 0.6f));
  return img;
}

Image endingHome() {
  Image img(640, 480);
  skyGradient(img, 0, 480, {{0, rgb(250, 200, 150)}, {0.6f, rgb(255, 226, 180)}, {1, rgb(255, 236, 200)}});
  hills(img, 330, 30, 2, 32, rgb(140, 180, 100), rgb(110, 150, 80));
  fillShape(img, [](Vec p) { return sdBox(p, {380, 290}, {110, 70}); }, rgb(240, 226, 200));
  fillShape(img, [](Vec p) { return sdPolygon(p, std::vector<Vec>{{250, 225}, {380, 130}, {510, 225}}); }, rgb(200, 90, 70));
  fillShape(img, [](Vec p) { return sdBox(p, {380, 320}, {20, 40}, 3); }, rgb(255, 210, 120));
  glow(img, {380, 330}, 90, withAlpha(rgb(255, 220, 140), 0.5f));
  for (float x : {320.0f, 440.0f}) fillShape(img, [&](Vec p) { return sdBox(p, {x, 280}, {18, 16}, 2); }, rgb(255, 226, 150));
  tree(img, {560, 370}, 130, rgb(90, 150, 80), false);
  tree(img, {170, 360}, 90, rgb(80, 140, 80), false);
  parkedShip(img, {120, 420}, 1.6f);
  drawBoy(img, {300, 420}, 66, Pose::Waving, true);
  caption(img, "ただいま！ おうちに とうちゃく", rgb(90, 50, 40), withAlpha(rgb(255, 246, 230), 0.6f));
  return img;
}

Image endingRainbow() {
  Image img(640, 480);
  skyGradient(img, 0, 480, {{0, rgb(110, 150, 210)}, {1, rgb(210, 226, 240)}});
  const Color bands[7] = {rgb(240, 90, 90), rgb(250, 160, 80), rgb(250, 230, 100), rgb(120, 210, 110),
                          rgb(100, 170, 240), rgb(120, 110, 220), rgb(180, 110, 210)};
  for (int i = 0; i < 7; ++i) {
    float r = 300 - i * 10.0f;
    fillShape(img, [&](Vec p) { return std::fabs(sdCircle(p, {320, 470}, r)) - 5; }, withAlpha(bands[i], 0.6f));
  }
  cloud(img, {90, 330}, 220, 60, rgb(255, 255, 255), rgb(200, 210, 230), 71);
  cloud(img, {560, 320}, 220, 60, rgb(255, 255, 255), rgb(200, 210, 230), 72);
  hills(img, 420, 50, 2, 33, rgb(100, 170, 100), rgb(70, 130, 80));
  flyingShip(img, {320, 170}, 1.57f, 1.6f);
  caption(img, "にじの はしを わたって", rgb(50, 60, 90), withAlpha(rgb(250, 250, 255), 0.6f));
  return img;
}

Image endingCamp() {
  Image img(640, 480);
  nightSky(img, {{0, rgb(10, 14, 40)}, {1, rgb(40, 40, 80)}}, 380, 34);
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x) {
      float band = std::fabs((y - 150) - (x - 320) * -0.5f) / 80;
      img.blend(x, y, rgb(210, 200, 255), std::max(0.0f, 1 - band) * 0.35f * fbm(x / 30.0f, y / 30.0f, 4, 35));
    }
  hills(img, 360, 50, 1.3f, 36, rgb(40, 50, 60), rgb(30, 36, 44));
  fillShape(img, [](Vec p) { return sdPolygon(p, std::vector<Vec>{{380, 420}, {470, 300}, {560, 420}}); }, rgb(230, 140, 80));
  fillShape(img, [](Vec p) { return sdPolygon(p, std::vector<Vec>{{450, 420}, {470, 340}, {490, 420}}); }, rgb(255, 210, 130));
  glow(img, {300, 420}, 140, withAlpha(rgb(255, 170, 80), 0.5f));
  fillShape(img, [](Vec p) { return sdStar(p, {300, 414}, 5, 22, 10); }, rgb(255, 190, 80));
  fillShape(img, [](Vec p) { return sdCircle(p, {300, 418}, 8); }, rgb(255, 240, 170));
  drawBoy(img, {220, 430}, 60, Pose::Sitting);
  parkedShip(img, {100, 420}, 1.4f);
  caption(img, "キャンプで ほしを かぞえよう", rgb(255, 236, 210), withAlpha(rgb(20, 16, 30), 0.6f));
  return img;
}

Image paintEnding(int number) {
  static Image (*const kEndings[kEndingCount])() = {
      endingNightTown, endingMoon,      endingMeteors,   endingWindowsill, endingStarLake, endingSnowVillage,
      endingFireworks, endingAurora,    endingStarTrain, endingSunrise,    endingCloudSea, endingSunflowers,
      endingLighthouse, endingSunsetPier, endingConstellation, endingHome, endingRainbow, endingCamp};
  return kEndings[number]();
}
