// Stage 1, a misty day: forest, a wide grey lake with islands, more forest, then low cloud.
#include <cmath>

#include "art.h"
#include "backdrop.h"
#include "noise.h"
#include "scenery.h"

namespace {

const Color kFogGrey = rgb(148, 156, 160);
const Color kWater = rgb(88, 110, 122), kWaterLight = rgb(118, 138, 148);
const Color kShore = rgb(120, 124, 96);

// Tree crowns as cells: each pixel belongs to its nearest crown and is lit by where it sits in it.
struct Crown {
  float distance;   // from the crown's centre, in crown radii
  Vec offset;       // from the crown's centre, in crown radii
  float variety;    // 0..1, a per-crown random
};

Crown nearestCrown(int x, int y, float size, uint32_t seed) {
  int cx = static_cast<int>(std::floor(x / size)), cy = static_cast<int>(std::floor(y / size));
  Crown best{9, {}, 0};
  for (int j = -1; j <= 1; ++j)
    for (int i = -1; i <= 1; ++i) {
      float px = (cx + i + 0.15f + 0.7f * hash01(cx + i, cy + j, seed)) * size;
      float py = (cy + j + 0.15f + 0.7f * hash01(cx + i, cy + j, seed + 1)) * size;
      float r = size * (0.55f + 0.3f * hash01(cx + i, cy + j, seed + 2));
      Vec off{(x - px) / r, (y - py) / r};
      float d = length(off);
      if (d < best.distance) best = {d, off, hash01(cx + i, cy + j, seed + 3)};
    }
  return best;
}

Color forestColour(int x, int y, float s) {
  float size = s < 0.5f ? 22 : 18;
  Crown c = nearestCrown(x, y, size, 7);
  Color dark = mix(rgb(42, 62, 54), rgb(52, 58, 62), c.variety);
  Color mid = mix(rgb(70, 98, 76), rgb(86, 104, 84), c.variety);
  Color light = mix(rgb(110, 134, 100), rgb(124, 138, 110), c.variety);
  if (c.distance > 1) return rgb(36, 48, 46);
  float lit = std::clamp(0.55f - 0.5f * (c.offset.x + c.offset.y) * 0.7f - c.distance * 0.35f, 0.0f, 1.0f);
  return lit > 0.5f ? mix(mid, light, (lit - 0.5f) * 2) : mix(dark, mid, lit * 2);
}

// How much lake a point is: high in the middle of the climb, ragged at the shores.
float lakeness(int x, int y) {
  float s = climbOf(y);
  float band = smoothstep(0.18f, 0.26f, s) * smoothstep(0.60f, 0.52f, s);
  float edges = smoothstep(0, 120, static_cast<float>(x)) * smoothstep(640, 520, static_cast<float>(x)) * 0.25f + 0.75f;
  float island = smoothstep(0.60f, 0.70f, fbm(x / 140.0f, y / 140.0f, 3, 11));
  return band * edges + 0.6f * (fbm(x / 260.0f, y / 260.0f, 4, 12) - 0.5f) - island * band;
}

Color waterColour(int x, int y, float depth) {
  float ripple = std::sin(y * 0.35f + 6 * fbm(x / 90.0f, y / 40.0f, 2, 13));
  Color c = mix(kWater, kWaterLight, std::clamp(1.6f * (fbm(x / 300.0f, y / 160.0f, 4, 14) - 0.2f), 0.0f, 1.0f));
  // Short broken glints rather than whole lines, so the water never looks ruled.
  if (ripple > 0.9f && valueNoise(x / 26.0f, y / 6.0f, 22) > 0.62f) c = mix(c, rgb(170, 184, 190), 0.45f);
  if (hash01(x / 14, y / 14, 23) > 0.985f && depth < 0.12f) c = rgb(76, 104, 74);  // lily pads near shore
  return mix(c, scaleRgb(kWater, 0.85f), std::clamp(depth * 2, 0.0f, 0.4f));
}

Color groundColour(int x, int y) {
  float s = climbOf(y);
  float lake = lakeness(x, y);
  Color land = forestColour(x, y, s);
  // Clearings of wet meadow in the forest.
  float meadow = fbm(x / 180.0f, y / 180.0f, 3, 15);
  if (meadow > 0.70f) land = mix(rgb(84, 104, 80), rgb(100, 116, 90), fbm(x / 20.0f, y / 20.0f, 2, 16));
  if (lake > 0.36f) return waterColour(x, y, lake - 0.36f);
  if (lake > 0.32f) return mix(kShore, rgb(96, 108, 84), hash01(x / 2, y / 3, 17));
  return land;
}

// The fog: a veil everywhere, thicker with height, closing into low cloud at the top.
float fogAmount(int x, int y) {
  float s = climbOf(y);
  float veil = 0.22f + 0.25f * fbm(x / 320.0f, y / 240.0f, 4, 18);
  float cloud = smoothstep(0.66f, 0.92f, s) * (0.55f + 0.45f * fbm(x / 200.0f, y / 110.0f, 5, 19));
  return std::clamp(veil + cloud, 0.0f, 0.9f);
}

void stampPierAndBoat(Image& img, Vec shore, uint32_t seed) {
  Rng rng(seed);
  fillShapeIn(img, boxAround(shore, 60), [&](Vec p) { return sdBox(p, shore + Vec{0, -30}, {5, 32}); }, rgb(120, 98, 80));
  for (int i = 0; i < 6; ++i)
    fillShapeIn(img, boxAround(shore, 60), [&](Vec p) { return sdBox(p, shore + Vec{0, -56.0f + i * 10}, {5.5f, 0.6f}); },
                rgb(92, 74, 64));
  Vec boat = shore + Vec{rng.range(18, 30), -rng.range(20, 50)};
  fillShapeIn(img, boxAround(boat, 30), [&](Vec p) { return sdEllipse(p, boat, 6, 14); }, rgb(150, 90, 70));
  fillShapeIn(img, boxAround(boat, 30), [&](Vec p) { return sdEllipse(p, boat, 4, 11); }, rgb(110, 70, 58));
}

}  // namespace

Image paintBackFog() {
  Image img(kBackW, kBackH);
  for (int y = 0; y < kBackH; ++y)
    for (int x = 0; x < kBackW; ++x) img.at(x, y) = groundColour(x, y);
  // A pier and a boat on the shore wherever the lake's lower edge meets land.
  for (int y = rowOfClimb(0.2f); y > rowOfClimb(0.6f); y -= 1600) {
    int x = 80 + static_cast<int>(hash01(y, 1, 20) * 480);
    int yy = y;
    while (yy > 0 && lakeness(x, yy) < 0.36f) yy -= 4;
    if (lakeness(x, yy - 80) > 0.4f) stampPierAndBoat(img, {static_cast<float>(x), static_cast<float>(yy + 10)}, y);
  }
  for (int y = 0; y < kBackH; ++y)
    for (int x = 0; x < kBackW; ++x) {
      float f = fogAmount(x, y);
      Color fog = mix(kFogGrey, rgb(176, 182, 184), fbm(x / 150.0f, y / 90.0f, 3, 21) * smoothstep(0.7f, 1, climbOf(y)));
      img.at(x, y) = mix(img.at(x, y), fog, f);
    }
  return img;
}
