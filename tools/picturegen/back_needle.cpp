// Stage 2, "needle mind": an abstract field of crystal needles in icy blues and violets.
#include <cmath>

#include "art.h"
#include "backdrop.h"
#include "noise.h"
#include "scenery.h"

namespace {

const Stops kDepth = {{0.0f, rgb(34, 58, 98)}, {0.35f, rgb(46, 66, 118)}, {0.7f, rgb(66, 62, 128)}, {1.0f, rgb(82, 60, 128)}};

void paintDeep(Image& img) {
  for (int y = 0; y < kBackH; ++y) {
    Color base = gradientAt(kDepth, climbOf(y));
    for (int x = 0; x < kBackW; ++x) {
      float n = fbm(x / 260.0f, y / 200.0f, 5, 41);
      float streak = fbm(x / 40.0f, y / 400.0f, 2, 42);
      img.at(x, y) = scaleRgb(base, 0.8f + 0.45f * n + 0.1f * streak);
    }
  }
}

// One needle: a long thin triangle, one side catching the light, the other in shade.
struct Needle {
  Vec base, tip;
  float halfWidth;
  Color light, shade;
  float opacity;
};

void drawNeedle(Image& img, const Needle& n) {
  Vec axis = n.tip - n.base;
  float len = length(axis);
  Vec dir = axis * (1 / len), side{-dir.y, dir.x};
  Vec a = n.base + side * n.halfWidth, b = n.base - side * n.halfWidth;
  std::vector<Vec> tri{a, n.tip, b};
  Box box{static_cast<int>(std::min({a.x, b.x, n.tip.x})) - 2, static_cast<int>(std::min({a.y, b.y, n.tip.y})) - 2,
          static_cast<int>(std::max({a.x, b.x, n.tip.x})) + 2, static_cast<int>(std::max({a.y, b.y, n.tip.y})) + 2};
  paintShape(img, box, [&](Vec p) { return sdPolygon(p, tri); }, [&](Vec p, float d) {
    bool lit = dot(p - n.base, side) > 0;
    Color c = lit ? n.light : n.shade;
    if (d > -1.3f) c = mix(c, rgb(210, 226, 250), 0.45f);  // a bright rim
    float t = dot(p - n.base, dir) / len;
    return withAlpha(c, n.opacity * (0.65f + 0.35f * t));
  });
}

Needle randomNeedle(Rng& rng, Vec root, float angle, float length, float width, float s, float opacity) {
  Color icyLight = mix(rgb(150, 200, 236), rgb(186, 166, 240), s + rng.range(-0.2f, 0.2f));
  Color icyShade = mix(rgb(62, 98, 156), rgb(96, 74, 164), s + rng.range(-0.2f, 0.2f));
  Vec dir{std::sin(angle), -std::cos(angle)};
  return {root, root + dir * length, width, icyLight, icyShade, opacity};
}

// A cluster of needles growing from one root, fanned around a main direction.
void drawCluster(Image& img, Rng& rng, Vec root, float scale, float opacity) {
  float s = climbOf(static_cast<int>(std::clamp(root.y, 0.0f, kBackH - 1.0f)));
  float main = rng.range(-0.6f, 0.6f);
  int count = 5 + rng.below(8);
  for (int i = 0; i < count; ++i) {
    float angle = main + rng.range(-1.1f, 1.1f);
    float len = scale * rng.range(0.4f, 1.0f);
    drawNeedle(img, randomNeedle(rng, root, angle, len, len * rng.range(0.035f, 0.07f), s, opacity));
  }
}

void drawShards(Image& img, Rng& rng) {
  for (int i = 0; i < 9000; ++i) {
    Vec p{rng.range(-20, 660), rng.range(0, kBackH)};
    float s = climbOf(static_cast<int>(p.y));
    float len = rng.range(8, 26) * (1 + s);
    drawNeedle(img, randomNeedle(rng, p, rng.range(-kPi, kPi), len, len * 0.08f, s, 0.5f));
  }
}

}  // namespace

Image paintBackNeedle() {
  Image img(kBackW, kBackH);
  paintDeep(img);
  Rng rng(4242);
  // Far, faint giants first, then the nearer clusters, growing larger and denser with height.
  for (float y = kBackH; y > 0; y -= rng.range(260, 520))
    drawCluster(img, rng, {rng.range(0, 640), y}, rng.range(300, 600), 0.22f);
  drawShards(img, rng);
  for (float y = kBackH + 100; y > -100; y -= rng.range(120, 260) * (1.2f - 0.5f * climbOf(static_cast<int>(std::clamp(y, 0.0f, kBackH - 1.0f))))) {
    float s = climbOf(static_cast<int>(std::clamp(y, 0.0f, kBackH - 1.0f)));
    drawCluster(img, rng, {rng.range(-40, 680), y}, rng.range(90, 200) * (1 + s), 0.55f + 0.2f * s);
  }
  return img;
}
