// Stage 3, the "discrete space field": a dark mosaic of blocks and grids with sparing neon.
#include <cmath>

#include "art.h"
#include "backdrop.h"
#include "noise.h"
#include "scenery.h"

namespace {

// The ground colour of the blocks drifts from indigo to purple to teal as the stage climbs.
const Stops kBase = {{0.0f, rgb(40, 46, 92)}, {0.4f, rgb(56, 42, 96)}, {0.75f, rgb(36, 62, 88)}, {1.0f, rgb(40, 50, 96)}};
const Color kNeon[3] = {rgb(70, 214, 230), rgb(226, 86, 200), rgb(160, 230, 100)};

void drawBlock(Image& img, Box b, Rng& rng) {
  float s = climbOf(std::clamp(b.y0, 0, kBackH - 1));
  Color base = gradientAt(kBase, s);
  float shade = 0.7f + 0.5f * rng.uniform() + 0.25f * (fbm(b.x0 / 300.0f, b.y0 / 300.0f, 3, 51) - 0.5f);
  Color fill = scaleRgb(base, shade);
  Color gap = scaleRgb(base, 0.5f);
  for (int y = std::max(0, b.y0); y < std::min(kBackH, b.y1); ++y)
    for (int x = b.x0; x < b.x1; ++x) {
      bool edge = x == b.x0 || y == b.y0;
      bool bevel = x == b.x1 - 1 || y == b.y1 - 1;
      img.at(x, y) = edge ? gap : bevel ? scaleRgb(fill, 0.82f) : fill;
    }
  // A few blocks glow: an outline in a restrained neon, rarely a soft filled light.
  float lit = rng.uniform();
  if (lit > 0.93f) {
    Color neon = mix(kNeon[rng.below(3)], fill, 0.45f);
    for (int y = b.y0 + 1; y < std::min(kBackH, b.y1 - 1); ++y)
      for (int x = b.x0 + 1; x < b.x1 - 1; ++x) {
        bool ring = x == b.x0 + 1 || y == b.y0 + 1 || x == b.x1 - 2 || y == b.y1 - 2;
        if (ring) img.at(x, y) = neon;
        else if (lit > 0.985f) img.at(x, y) = mix(fill, neon, 0.35f);
      }
  }
}

// Splits a square into four while the noise asks for finer detail there.
void subdivide(Image& img, Box b, Rng& rng, int depth) {
  int size = b.x1 - b.x0;
  float s = climbOf(std::clamp(b.y0, 0, kBackH - 1));
  float want = fbm(b.x0 / 500.0f, b.y0 / 700.0f, 3, 52) + 0.25f * std::sin(s * 18) + rng.range(-0.15f, 0.15f);
  if (size > 8 && (depth == 0 || want > 0.45f + depth * 0.08f)) {
    int h = size / 2;
    for (int j = 0; j < 2; ++j)
      for (int i = 0; i < 2; ++i) subdivide(img, {b.x0 + i * h, b.y0 + j * h, b.x0 + i * h + h, b.y0 + j * h + h}, rng, depth + 1);
    return;
  }
  drawBlock(img, b, rng);
}

// Streams of small lit squares falling through the grid, like data.
void drawStreams(Image& img, Rng& rng) {
  for (int i = 0; i < 70; ++i) {
    int x = rng.below(80) * 8, y = rng.below(kBackH);
    int len = 6 + rng.below(24);
    Color neon = kNeon[rng.below(3)];
    for (int k = 0; k < len; ++k) {
      float fade = 1 - static_cast<float>(k) / len;
      for (int yy = y - k * 8 + 2; yy < y - k * 8 + 6; ++yy)
        for (int xx = x + 2; xx < x + 6; ++xx)
          if (yy >= 0 && yy < kBackH) img.at(xx, yy) = mix(img.at(xx, yy), neon, 0.55f * fade);
    }
  }
}

}  // namespace

Image paintBackMosaic() {
  Image img(kBackW, kBackH);
  Rng rng(3333);
  for (int y = 0; y < kBackH; y += 64)
    for (int x = 0; x < kBackW; x += 64) subdivide(img, {x, y, x + 64, y + 64}, rng, 0);
  drawStreams(img, rng);
  // A soft vignette of larger light and shadow keeps the grid from looking like one tile.
  for (int y = 0; y < kBackH; ++y)
    for (int x = 0; x < kBackW; ++x)
      img.at(x, y) = scaleRgb(img.at(x, y), 0.8f + 0.4f * fbm(x / 420.0f, y / 520.0f, 3, 53));
  return img;
}
