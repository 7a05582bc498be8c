// Ending pictures 0 to 8: homecomings by night.
#include <cmath>

#include "art.h"
#include "endings.h"

void parkedShip(Image& img, Vec ground, float scale) {
  glow(img, ground, 40 * scale, withAlpha(rgb(20, 16, 40), 0.35f));
  drawShip(img, Frame{{ground.x, ground.y - 23 * scale}, 0, scale}, true);
}

void flyingShip(Image& img, Vec at, float angle, float scale) {
  Vec back = rotate({0, 1}, angle);
  for (int i = 0; i < 40; ++i) {
    float t = i / 39.0f;
    Vec p = at + back * (26 * scale + t * 150 * scale / 2) + rotate(back, kPi / 2) * (std::sin(t * 9) * 6 * t);
    sparkle(img, p, (1 - t) * 2.5f * scale / 1.5f + 1, withAlpha(rgb(255, 236, 170), 0.8f * (1 - t)));
  }
  drawShip(img, Frame{at, angle, scale}, true);
}

void nightSky(Image& img, const Stops& stops, int stars, uint32_t seed) {
  skyGradient(img, 0, img.h, stops);
  Rng rng(seed);
  starField(img, rng, stars, img.h, 1.0f);
}

Image endingNightTown() {
  Image img(640, 480);
  nightSky(img, {{0, rgb(14, 18, 54)}, {0.7f, rgb(60, 50, 120)}, {1, rgb(120, 80, 140)}}, 300, 1);
  moon(img, {110, 90}, 34, 0.6f, rgb(255, 244, 196));
  hills(img, 380, 60, 2, 3, rgb(44, 40, 96), rgb(30, 28, 70));
  Rng rng(5);
  for (int i = 0; i < 12; ++i) {
    float x = 20 + i * 54 + rng.range(-8, 8);
    house(img, {x, 440 + rng.range(-6, 6)}, rng.range(30, 42), rng.range(34, 50),
          mix(rgb(90, 80, 150), rgb(140, 110, 160), rng.uniform()), rgb(70, 44, 100), rng.chance(0.8f));
  }
  flyingShip(img, {420, 250}, 3.6f, 2.2f);
  caption(img, "おかえり、ほしくずぼうや", rgb(255, 246, 220), withAlpha(rgb(20, 16, 50), 0.7f));
  return img;
}

Image endingMoon() {
  Image img(640, 480);
  nightSky(img, {{0, rgb(8, 10, 30)}, {1, rgb(30, 30, 70)}}, 420, 2);
  fillShape(img, [](Vec p) { return sdCircle(p, {500, 110}, 46); }, rgb(80, 140, 220));
  fillShape(img, [](Vec p) { return std::max(sdCircle(p, {500, 110}, 46), -sdCircle(p, {470, 96}, 30) + 10); },
            rgb(110, 180, 110));
  glow(img, {500, 110}, 90, withAlpha(rgb(120, 170, 255), 0.4f));
  hills(img, 380, 40, 1.5f, 8, rgb(200, 200, 214), rgb(140, 140, 164));
  for (Vec c : {Vec{90, 420}, Vec{250, 450}, Vec{560, 410}, Vec{420, 460}})
    fillShape(img, [&](Vec p) { return sdEllipse(p, c, 26, 8); }, rgb(150, 150, 174));
  parkedShip(img, {190, 392}, 2.0f);
  drawBoy(img, {330, 396}, 70, Pose::Sitting);
  caption(img, "つきで ひとやすみ", rgb(240, 240, 255), withAlpha(rgb(10, 10, 30), 0.6f));
  return img;
}

Image endingMeteors() {
  Image img(640, 480);
  nightSky(img, {{0, rgb(10, 20, 60)}, {0.8f, rgb(40, 60, 120)}, {1, rgb(70, 80, 140)}}, 260, 3);
  Rng rng(33);
  for (int i = 0; i < 14; ++i) {
    Vec head{rng.range(40, 600), rng.range(30, 300)};
    meteor(img, head, Vec{-0.8f, 0.6f}, rng.range(60, 160), mix(rgb(255, 250, 220), rgb(180, 220, 255), rng.uniform()));
  }
  hills(img, 420, 90, 1.2f, 9, rgb(30, 44, 80), rgb(20, 28, 56));
  parkedShip(img, {250, 352}, 1.6f);
  drawBoy(img, {330, 352}, 64, Pose::Waving);
  caption(img, "ながれぼしに おねがい", rgb(240, 246, 255), withAlpha(rgb(10, 16, 40), 0.6f));
  return img;
}

Image endingWindowsill() {
  Image img(640, 480);
  skyGradient(img, 0, 480, {{0, rgb(120, 76, 60)}, {1, rgb(80, 50, 46)}});
  for (int x = 0; x < 640; x += 40) fillRect(img, {x, 0, x + 2, 480}, rgb(106, 66, 54));  // wallpaper stripes
  Image window(300, 240);
  nightSky(window, {{0, rgb(16, 20, 60)}, {1, rgb(70, 60, 130)}}, 120, 4);
  moon(window, {220, 70}, 26, 0.5f, rgb(255, 244, 200));
  hills(window, 220, 30, 2, 4, rgb(40, 36, 90), rgb(30, 26, 70));
  place(img, window, 170, 70);
  fillShape(img, [](Vec p) { return std::fabs(sdBox(p, {320, 190}, {154, 124})) - 6; }, rgb(236, 220, 196));
  fillRect(img, {316, 70, 324, 310}, rgb(236, 220, 196));
  fillRect(img, {170, 186, 470, 194}, rgb(236, 220, 196));
  fillRect(img, {140, 310, 500, 336}, rgb(246, 232, 206));
  fillRect(img, {140, 336, 500, 344}, rgb(190, 160, 140));
  glow(img, {560, 260}, 260, withAlpha(rgb(255, 200, 120), 0.35f));
  parkedShip(img, {270, 312}, 1.4f);
  fillShape(img, [](Vec p) { return sdEllipse(p, {400, 300}, 22, 12); }, rgb(120, 190, 120));  // a little plant
  fillShape(img, [](Vec p) { return sdBox(p, {400, 304}, {14, 8}, 3); }, rgb(200, 110, 80));
  caption(img, "まどべの ちいさな ほし", rgb(255, 240, 220), withAlpha(rgb(40, 20, 20), 0.6f));
  return img;
}

Image endingStarLake() {
  Image img(640, 480);
  nightSky(img, {{0, rgb(12, 16, 50)}, {1, rgb(70, 60, 130)}}, 300, 6);
  hills(img, 250, 90, 2.5f, 10, rgb(34, 30, 80), rgb(26, 24, 64));
  tree(img, {60, 262}, 60, rgb(24, 34, 60), true);
  tree(img, {590, 262}, 70, rgb(24, 34, 60), true);
  flyingShip(img, {400, 150}, 1.2f, 1.6f);
  reflect(img, 262, rgb(20, 30, 70), 0.65f, 11);
  caption(img, "みずうみに うつる ほし", rgb(230, 236, 255), withAlpha(rgb(10, 12, 40), 0.6f));
  return img;
}

Image endingSnowVillage() {
  Image img(640, 480);
  nightSky(img, {{0, rgb(20, 30, 70)}, {1, rgb(90, 100, 160)}}, 200, 7);
  hills(img, 330, 70, 1.8f, 12, rgb(210, 220, 240), rgb(170, 184, 220));
  Rng rng(71);
  for (int i = 0; i < 7; ++i) {
    Vec g{50 + i * 92.0f + rng.range(-10, 10), 400 + rng.range(-20, 20)};
    house(img, g, 50, 60, rgb(150, 110, 100), rgb(236, 240, 255), true);
  }
  parkedShip(img, {330, 326}, 1.5f);
  drawBoy(img, {400, 420}, 56, Pose::Waving);
  for (int i = 0; i < 220; ++i) {
    Vec p{rng.range(0, 640), rng.range(0, 480)};
    float r = rng.range(0.8f, 2.2f);
    fillShapeIn(img, boxAround(p, 3), [&](Vec q) { return sdCircle(q, p, r); }, withAlpha(rgb(255, 255, 255), 0.85f));
  }
  caption(img, "ゆきの むらへ ただいま", rgb(255, 255, 255), withAlpha(rgb(30, 40, 80), 0.6f));
  return img;
}

namespace {

void firework(Image& img, Vec c, float r, Color colour, uint32_t seed) {
  Rng rng(seed);
  for (int i = 0; i < 36; ++i) {
    Vec dir = rotate({0, -1}, i * 2 * kPi / 36 + rng.range(-0.05f, 0.05f));
    float len = r * rng.range(0.8f, 1.05f);
    for (int k = 0; k < 6; ++k) {
      Vec p = c + dir * (len * (0.35f + k * 0.13f));
      fillShapeIn(img, boxAround(p, 3), [&](Vec q) { return sdCircle(q, p, 1.2f + k * 0.25f); }, withAlpha(colour, 0.3f + k * 0.12f));
    }
  }
  glow(img, c, r * 1.2f, withAlpha(colour, 0.25f));
}

}  // namespace

Image endingFireworks() {
  Image img(640, 480);
  nightSky(img, {{0, rgb(16, 12, 44)}, {1, rgb(60, 30, 80)}}, 120, 8);
  firework(img, {170, 130}, 90, rgb(255, 140, 190), 1);
  firework(img, {450, 100}, 110, rgb(130, 220, 255), 2);
  firework(img, {330, 220}, 70, rgb(255, 230, 120), 3);
  firework(img, {560, 250}, 60, rgb(180, 255, 160), 4);
  hills(img, 400, 30, 3, 13, rgb(36, 24, 60), rgb(24, 16, 44));
  Rng rng(9);
  for (int i = 0; i < 10; ++i)
    house(img, {30 + i * 66.0f, 446}, 40, 48, rgb(70, 50, 100), rgb(50, 30, 80), true);
  flyingShip(img, {300, 330}, 0.3f, 1.4f);
  caption(img, "おかえりの はなび", rgb(255, 246, 230), withAlpha(rgb(20, 10, 30), 0.6f));
  return img;
}

Image endingAurora() {
  Image img(640, 480);
  nightSky(img, {{0, rgb(6, 16, 36)}, {1, rgb(20, 50, 70)}}, 260, 10);
  for (int y = 0; y < 330; ++y)
    for (int x = 0; x < 640; ++x) {
      float wave = 120 + 60 * std::sin(x * 0.012f) + 30 * std::sin(x * 0.031f + 1);
      float band = std::exp(-std::pow((y - wave) / 70.0f, 2.0f));
      float rays = 0.6f + 0.4f * fbm(x / 14.0f, 0.5f, 3, 77);
      Color c = mix(rgb(90, 255, 170), rgb(190, 120, 255), std::clamp((wave - y) / 120.0f + 0.3f, 0.0f, 1.0f));
      img.blend(x, y, c, band * rays * 0.7f);
    }
  hills(img, 380, 140, 1.6f, 14, rgb(220, 230, 250), rgb(160, 176, 210));
  hills(img, 440, 50, 3, 15, rgb(40, 60, 90), rgb(30, 44, 70));
  flyingShip(img, {470, 230}, 5.6f, 1.5f);
  caption(img, "オーロラの したを とんで", rgb(230, 255, 246), withAlpha(rgb(6, 20, 30), 0.6f));
  return img;
}

Image endingStarTrain() {
  Image img(640, 480);
  nightSky(img, {{0, rgb(10, 12, 40)}, {1, rgb(50, 40, 100)}}, 360, 12);
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x) {
      float band = std::fabs((y - 240) + (x - 320) * 0.6f) / 110;
      img.blend(x, y, rgb(200, 180, 255), std::max(0.0f, 1 - band) * 0.4f * fbm(x / 40.0f, y / 40.0f, 4, 13));
    }
  for (int i = 0; i < 8; ++i) {  // the bridge's arches
    float cx = i * 90.0f + 20;
    fillShape(img, [&](Vec p) { return std::max(std::fabs(sdCircle(p, {cx, 470}, 50)) - 4, p.y - 470); }, rgb(60, 50, 100));
  }
  fillRect(img, {0, 410, 640, 424}, rgb(70, 60, 110));
  for (int car = 0; car < 5; ++car) {
    float x0 = 60 + car * 100.0f;
    fillShape(img, [&](Vec p) { return sdBox(p, {x0 + 44, 392}, {44, 18}, 6); }, rgb(40, 50, 110));
    for (int w = 0; w < 4; ++w) {
      Vec wc{x0 + 14 + w * 20.0f, 388};
      glow(img, wc, 18, withAlpha(rgb(255, 220, 140), 0.4f));
      fillShape(img, [&](Vec p) { return sdBox(p, wc, {6, 5}, 2); }, rgb(255, 226, 150));
    }
  }
  flyingShip(img, {560, 320}, 1.45f, 1.5f);
  caption(img, "ぎんがの せんろを ならんで", rgb(240, 236, 255), withAlpha(rgb(10, 10, 40), 0.6f));
  return img;
}
