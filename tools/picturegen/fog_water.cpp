// Stage 1, a misty day: rain rings on the water, lily pads in the bays and reeds along the shores.
#include <cmath>

#include "backdrop.h"
#include "fog.h"
#include "noise.h"

namespace fog {

namespace {

const Color kRipple = rgb(156, 170, 172);
const Color kPad[2] = {rgb(84, 112, 76), rgb(106, 132, 88)};
const Color kReed[3] = {rgb(88, 104, 70), rgb(104, 118, 76), rgb(124, 130, 86)};
const Color kReedBase = rgb(66, 82, 60);

float lakeTop() { return rowAt(kLakeNorth + 0.02f); }
float lakeBottom() { return rowAt(0.12f); }

// Where raindrops land, rings spread: one or two thin pale circles.
void rainRings(Image& img) {
  Rng rng(301);
  for (int i = 0; i < 3200; ++i) {
    Vec c{rng.range(0, kBackW), rng.range(lakeTop(), lakeBottom())};
    float r = rng.range(3, 9), strength = rng.range(0.2f, 0.4f);
    bool twice = rng.chance(0.4f);
    if (lakeDepth(c.x, c.y) < r + 3 && poolDepth(c.x, c.y) < r * 4) continue;
    for (float k : {1.0f, 0.5f}) {
      if (k < 1 && !twice) break;
      paintShape(img, boxAround(c, r + 1), [&](Vec p) { return std::fabs(sdCircle(p, c, r * k)) - 0.5f; },
                 [&](Vec, float) { return withAlpha(kRipple, strength * (1.3f - 0.08f * r)); });
    }
  }
}

void lilyPad(Image& img, Vec c, float r, float notch, Color tone) {
  auto pad = [&](Vec p) {
    Vec q = rotate(p - c, -notch);
    float wedge = q.x > 0 ? std::fabs(q.y) - q.x * 0.28f : 1e3f;  // a narrow slit to the middle
    return std::max(sdCircle(p, c, r), -wedge);
  };
  castShadow(img, boxAround(c, r + 1), pad, {1, 1.5f}, 0.25f);
  paintShape(img, boxAround(c, r + 1), pad, [&](Vec p, float d) {
    if (d > -0.9f) return scaleRgb(tone, 0.82f);
    return (p.x - c.x) + (p.y - c.y) < -r * 0.6f ? mix(tone, rgb(140, 156, 110), 0.4f) : tone;
  });
}

void waterLily(Image& img, Vec c) {
  paintShape(img, boxAround(c, 4), [&](Vec p) { return sdStar(p, c, 5, 2.8f, 1.3f); },
             [&](Vec, float) { return rgb(214, 190, 196); });
  img.blend(static_cast<int>(c.x), static_cast<int>(c.y), rgb(210, 188, 110));
}

// Lily pads in colonies in the quieter water near the shores.
void lilyPads(Image& img) {
  Rng rng(302);
  for (float gy = lakeTop(); gy < lakeBottom(); gy += 10)
    for (float gx = 0; gx < kBackW; gx += 10) {
      Vec c{gx + rng.range(-4, 4), gy + rng.range(-4, 4)};
      float r = rng.range(2.8f, 5.5f), notch = rng.range(0, 2 * kPi), tone = rng.uniform(), flower = rng.uniform();
      float depth = lakeDepth(c.x, c.y);
      bool colony = fbm(c.x / 150.0f, c.y / 150.0f, 3, 71) > 0.53f + 0.003f * depth;
      if (depth < r + 4 || depth > 90 || !colony || inClearing(c, 8)) continue;
      lilyPad(img, c, r, notch, mix(kPad[0], kPad[1], tone));
      if (flower < 0.07f) waterLily(img, c + Vec{r * 0.3f, -r * 0.3f});
    }
}

// A clump of reeds: a dark base and blades fanning out of it, leaning the way the wind blows.
void reedTuft(Image& img, Vec base, Rng& rng) {
  float spread = rng.range(2, 3.5f);
  fillShapeIn(img, boxAround(base, spread + 1), [&](Vec p) { return sdCircle(p, base, spread); }, kReedBase);
  int blades = 6 + rng.below(4);
  for (int i = 0; i < blades; ++i) {
    float a = -kPi / 2 - 0.4f + rng.range(-1.1f, 1.1f), len = rng.range(3.5f, 7.5f);
    Vec root = base + Vec{rng.range(-1.5f, 1.5f), rng.range(-1, 1)};
    Vec tip = root + Vec{std::cos(a) * len, std::sin(a) * len};
    Color c = kReed[rng.below(3)];
    auto blade = [&](Vec p) { return sdTaper(p, root, tip, 0.8f, 0.25f); };
    fillShapeIn(img, boxAround((root + tip) * 0.5f, len), blade, c);
    if (i == 0 && rng.chance(0.4f))
      fillShapeIn(img, boxAround(tip, 3), [&](Vec p) { return sdEllipse(p, tip, 1.1f, 1.8f); }, rgb(98, 76, 60));
  }
}

bool reedyEdge(Vec c) {
  float lake = lakeDepth(c.x, c.y), pool = poolDepth(c.x, c.y);
  float hw = streamHalfWidth(c.y), bank = std::fabs(std::fabs(c.x - streamCentre(c.y)) - hw);
  bool shore = (lake > -2 && lake < 10) || (pool > -4 && pool < 5) || (hw > 0 && bank < 2);
  return shore && fbm(c.x / 120.0f, c.y / 120.0f, 2, 70) > 0.5f && !inClearing(c, 6);
}

void reeds(Image& img) {
  Rng rng(303);
  for (float gy = lakeTop(); gy < lakeBottom(); gy += 6)
    for (float gx = 0; gx < kBackW; gx += 6) {
      Vec c{gx + rng.range(-3, 3), gy + rng.range(-3, 3)};
      uint32_t seed = rng.next();
      if (!reedyEdge(c)) continue;
      Rng tuft(seed);
      reedTuft(img, c, tuft);
    }
}

}  // namespace

void paintWaterLife(Image& img) {
  rainRings(img);
  lilyPads(img);
  reeds(img);
}

}  // namespace fog
