// The game-over shutter: a storybook stage curtain in the lower half, see-through above it.
#include <cmath>

#include "art.h"
#include "noise.h"
#include "palette.h"
#include "scenery.h"

namespace {

// Velvet folds: brighter on the crest of each fold, deeper in its valley.
Color velvet(int x, int y) {
  float fold = std::sin(x * 2 * kPi / 58 + 0.6f * std::sin(x * 0.013f));
  float light = 0.5f + 0.5f * fold;
  float sheen = 0.15f * fbm(x * 0.05f, y * 0.004f, 2, 5);
  return gradientAt({{0, rgb(58, 34, 96)}, {0.5f, rgb(112, 56, 150)}, {1, rgb(176, 104, 206)}},
                    std::clamp(light * 0.85f + sheen, 0.0f, 1.0f));
}

void drawEmbroidery(Image& img) {
  Rng rng(77);
  for (int i = 0; i < 60; ++i) {
    Vec p{rng.range(10, 630), rng.range(500, 880)};
    float r = rng.range(3, 6.5f);
    fillShapeIn(img, boxAround(p, r), [&](Vec q) { return sdStar(q, p, 5, r, r * 0.45f); }, rgb(236, 196, 96));
  }
}

// The hem that leads the curtain down: gold braid, scallops and tassels.
void drawHem(Image& img) {
  fillRect(img, {0, 900, 640, 914}, rgb(216, 170, 72));
  fillRect(img, {0, 903, 640, 911}, rgb(248, 214, 120));
  for (int i = 0; i < 20; ++i) {
    float cx = 16 + i * 32.0f;
    fillShapeIn(img, {static_cast<int>(cx) - 18, 910, static_cast<int>(cx) + 18, 960},
                [&](Vec p) { return std::max(sdCircle(p, {cx, 914}, 16), 914 - p.y); }, rgb(140, 70, 170), 0.01f);
    fillShapeIn(img, {static_cast<int>(cx) - 4, 926, static_cast<int>(cx) + 4, 960},
                [&](Vec p) { return sdTaper(p, {cx, 930}, {cx, 954}, 2, 3.5f); }, rgb(240, 200, 100), 0.01f);
  }
}

}  // namespace

Image paintShutter() {
  Image img(640, 960, kKey);
  for (int y = 480; y < 960; ++y)
    for (int x = 0; x < 640; ++x) img.at(x, y) = velvet(x, y);
  drawEmbroidery(img);
  drawHem(img);
  // The key keeps only fully opaque, clearly visible pixels: no soft edges toward black.
  for (int y = 480; y < 960; ++y)
    for (int x = 0; x < 640; ++x) {
      Color& c = img.at(x, y);
      c = withAlpha(c, 1);
      if (std::max({c.r, c.g, c.b}) < 0.2f) c = rgb(58, 34, 96);
    }
  return img;
}
