// Stage 1, a misty day: the cottage, the shrine, the huts and the rocks, seen from above.
#include <cmath>

#include "backdrop.h"
#include "fog.h"
#include "noise.h"
#include "scenery.h"

namespace fog {

namespace {

const Vec kShadow{5, 6};
const Color kStone = rgb(146, 144, 134), kStoneShade = rgb(116, 116, 110), kMoss = rgb(98, 114, 76);

struct Roof {
  Color lit, shade, ridge;
};
const Roof kTiles{rgb(150, 100, 84), rgb(116, 78, 68), rgb(88, 62, 56)};
const Roof kThatch{rgb(140, 128, 92), rgb(110, 100, 74), rgb(92, 82, 62)};
const Roof kSlate{rgb(130, 136, 142), rgb(92, 98, 110), rgb(70, 76, 86)};
const Roof kCopper{rgb(112, 136, 122), rgb(84, 106, 98), rgb(70, 80, 78)};

// A gabled roof from above: the half facing the light is brighter, courses run along the
// ridge, and moss gathers in patches.
void gabledRoof(Image& img, Vec c, Vec half, const Roof& roof, bool ridgeAcross, uint32_t seed) {
  Box box = boxAround(c, std::max(half.x, half.y) + 2);
  auto body = [&](Vec p) { return sdBox(p, c, half, 1); };
  castShadow(img, box, body, kShadow, 0.35f);
  paintShape(img, box, body, [&](Vec p, float) {
    Vec q = p - c;
    float across = ridgeAcross ? q.y : q.x, along = ridgeAcross ? half.y : half.x;
    Color tone = across < 0 ? roof.lit : roof.shade;
    if (std::fabs(across) < 1.2f) return roof.ridge;
    if (static_cast<int>(std::fabs(across) + 0.5f * along) % 4 == 0) tone = scaleRgb(tone, 0.9f);
    float moss = fbm(p.x / 9.0f, p.y / 9.0f, 2, seed);
    return mix(tone, kMoss, 0.55f * smoothstep(0.6f, 0.66f, moss));
  });
}

void smoke(Image& img, Vec chimney) {
  for (int k = 0; k < 5; ++k) {
    Vec puff = chimney + Vec{5.0f + k * 7, -6.0f - k * 9};
    glow(img, puff, 7.0f + k * 3, rgb(204, 206, 206), 0.75f - k * 0.12f);
  }
}

void stone(Image& img, Vec c, Vec half, float round) {
  Box box = boxAround(c, std::max(half.x, half.y) + 2);
  auto body = [&](Vec p) { return sdBox(p, c, half, round); };
  castShadow(img, box, body, {1.5f, 2}, 0.3f);
  paintShape(img, box, body, [&](Vec p, float) { return (p.x - c.x) + (p.y - c.y) < 0 ? kStone : kStoneShade; });
}

// Stepping stones from a door to the path.
void steppingStones(Image& img, Vec from, Vec to, float gap) {
  int n = std::max(1, static_cast<int>(length(to - from) / gap));
  for (int i = 0; i <= n; ++i) {
    Vec p = from + (to - from) * (static_cast<float>(i) / n);
    stone(img, p, {3.2f, 2.6f}, 2);
  }
}

void vegetablePatch(Image& img, Vec c, Vec half) {
  Box box = boxAround(c, half.x + 3);
  fillShapeIn(img, box, [&](Vec p) { return sdBox(p, c, half + Vec{2, 2}, 1); }, rgb(124, 110, 88));  // the fence
  fillShapeIn(img, box, [&](Vec p) { return sdBox(p, c, half); }, rgb(102, 88, 70));
  for (float y = c.y - half.y + 4; y < c.y + half.y - 2; y += 6)
    for (float x = c.x - half.x + 4; x < c.x + half.x - 2; x += 5) {
      Vec leaf{x, y};
      fillShapeIn(img, boxAround(leaf, 4), [&](Vec p) { return sdCircle(p, leaf, 2.2f); }, rgb(92, 122, 78));
      img.blend(static_cast<int>(x - 1), static_cast<int>(y - 1), rgb(128, 152, 98));
    }
}

void well(Image& img, Vec c) {
  castShadow(img, boxAround(c, 7), [&](Vec p) { return sdCircle(p, c, 5.5f); }, {2, 3});
  fillShapeIn(img, boxAround(c, 7), [&](Vec p) { return sdCircle(p, c, 5.5f); }, kStone);
  fillShapeIn(img, boxAround(c, 7), [&](Vec p) { return sdCircle(p, c, 3.2f); }, rgb(58, 72, 78));
}

void logPile(Image& img, Vec c, int columns, int rows) {
  for (int j = 0; j < rows; ++j)
    for (int i = 0; i < columns; ++i) {
      Vec end = c + Vec{i * 5.0f - columns * 2.5f + 2.5f + (j % 2) * 2.5f, j * 4.5f};
      fillShapeIn(img, boxAround(end, 4), [&](Vec p) { return sdCircle(p, end, 2.4f); }, rgb(148, 124, 92));
      img.blend(static_cast<int>(end.x), static_cast<int>(end.y), rgb(118, 96, 72));
    }
}

float sideOfPath(Vec p) { return p.x > pathCentre(p.y) ? 1.0f : -1.0f; }

void cottage(Image& img, Vec c) {
  float side = sideOfPath(c);
  vegetablePatch(img, c + Vec{side * 8, 44}, {22, 11});
  well(img, c + Vec{-side * 36, 30});
  steppingStones(img, c + Vec{-side * 34, 6}, {pathCentre(c.y + 6) + side * 7, c.y + 6}, 8);
  gabledRoof(img, c, {28, 20}, kTiles, true, 90);
  logPile(img, c + Vec{side * 36, -8}, 2, 3);
  Vec chimney = c + Vec{14, -11};
  stone(img, chimney, {3.5f, 3.5f}, 0.5f);
  fillShapeIn(img, boxAround(chimney, 3), [&](Vec p) { return sdBox(p, chimney, {1.5f, 1.5f}); }, rgb(60, 54, 52));
  smoke(img, chimney);
}

// A small red gate over the approach: seen from above, its top beam with turned-up ends.
void torii(Image& img, Vec c, float half) {
  auto beam = [&](Vec p) {
    float flare = 1.2f * smoothstep(half * 0.7f, half, std::fabs(p.y - c.y));
    return sdBox(p, c, {half * 0.14f + flare, half}, 1);
  };
  Box box = boxAround(c, half + 2);
  castShadow(img, box, beam, {7, 8}, 0.3f);
  paintShape(img, box, beam, [&](Vec p, float d) {
    return d > -1.2f && p.x > c.x ? rgb(128, 62, 52) : rgb(170, 84, 66);  // the shaded edge, then the lit top
  });
}

void lantern(Image& img, Vec c) {
  castShadow(img, boxAround(c, 6), [&](Vec p) { return sdBox(p, c, {3.5f, 3.5f}, 0.5f); }, {4, 5});
  stone(img, c, {3.5f, 3.5f}, 0.5f);
  fillShapeIn(img, boxAround(c, 2), [&](Vec p) { return sdCircle(p, c, 1.2f); }, rgb(170, 168, 156));
}

void shrine(Image& img, Vec c) {
  float side = sideOfPath(c);
  auto yard = [&](Vec p) { return sdEllipse(p, c, 50, 42) + 4 * fbm(p.x / 8, p.y / 8, 2, 91); };
  fillShapeIn(img, boxAround(c, 52), yard, rgb(128, 126, 114));
  float pathEdge = pathCentre(c.y) + side * 6;
  steppingStones(img, {c.x - side * 20, c.y}, {pathEdge, c.y}, 9);
  Vec gate{(pathEdge + c.x - side * 20) / 2, c.y};
  lantern(img, {c.x - side * 32, c.y - 19});
  lantern(img, {c.x - side * 32, c.y + 19});
  gabledRoof(img, c + Vec{side * 8, 0}, {19, 22}, kCopper, false, 92);
  for (float dy : {-13.0f, 0.0f, 13.0f}) {
    Vec log = c + Vec{side * 8, dy};
    fillShapeIn(img, boxAround(log, 7), [&](Vec p) { return sdBox(p, log, {5, 1.5f}, 1); }, rgb(96, 76, 62));
  }
  torii(img, gate, 22);
  paintCrown(img, {c + Vec{side * 38, -34}, 20, 2, 93});
  paintCrown(img, {c + Vec{side * 34, 36}, 16, 3, 94});
}

// A tiny wayside shrine under the firs: a little roof, a lantern and a small red gate.
void wayside(Image& img, Vec c) {
  float side = sideOfPath(c);
  gabledRoof(img, c + Vec{side * 6, 0}, {7, 8}, kCopper, false, 99);
  lantern(img, c + Vec{-side * 6, -12});
  torii(img, c + Vec{-side * 14, 0}, 10);
}

void hut(Image& img, Vec c) {
  gabledRoof(img, c, {15, 12}, kThatch, true, 95);
  for (float dx : {-22.0f, 22.0f}) {
    Vec barrel = c + Vec{dx, 6};
    castShadow(img, boxAround(barrel, 6), [&](Vec p) { return sdCircle(p, barrel, 4); }, {2, 3});
    fillShapeIn(img, boxAround(barrel, 6), [&](Vec p) { return sdCircle(p, barrel, 4); }, rgb(124, 100, 78));
    fillShapeIn(img, boxAround(barrel, 6), [&](Vec p) { return sdCircle(p, barrel, 2.6f); }, rgb(104, 84, 66));
  }
}

void boulder(Image& img, Vec c, float r, uint32_t seed) {
  auto body = [&](Vec p) {
    return sdEllipse(p, c, r, r * 0.8f) + 1.5f * (valueNoise(p.x / 4, p.y / 4, seed) - 0.5f);
  };
  Box box = boxAround(c, r + 2);
  castShadow(img, box, body, {3, 4}, 0.35f);
  paintShape(img, box, body, [&](Vec p, float) {
    Vec q = (p - c) * (1 / r);
    float lit = 0.55f - 0.6f * (q.x + q.y) * 0.7f;
    if (q.x + q.y < -0.5f && fbm(p.x / 5, p.y / 5, 2, seed) > 0.45f) return kMoss;
    return lit > 0.6f ? kStone : lit > 0.3f ? kStoneShade : rgb(92, 94, 90);
  });
}

void boulders(Image& img) {
  Rng rng(96);
  for (Vec b : landmarks().boulders) {
    boulder(img, b, rng.range(7, 12), rng.next());
    if (rng.chance(0.6f)) boulder(img, b + Vec{rng.range(-11, 11), rng.range(7, 11)}, rng.range(4, 6.5f), rng.next());
  }
}

}  // namespace

void buildPlaces(Image& img) {
  const Landmarks& m = landmarks();
  buildWaterside(img);
  cottage(img, m.cottage);
  shrine(img, m.shrine);
  hut(img, m.hut);
  wayside(img, m.wayside);
  gabledRoof(img, m.boathouse, {16, 20}, kSlate, false, 97);
  gabledRoof(img, m.woodshed + Vec{0, -8}, {14, 10}, kThatch, true, 98);
  logPile(img, m.woodshed + Vec{24, -4}, 3, 3);
  boulders(img);
}

}  // namespace fog
