// Stage 1, a misty day: jetties, rowing boats, the bridges and the duck families on the water.
#include <cmath>

#include "backdrop.h"
#include "fog.h"
#include "noise.h"

namespace fog {

namespace {

const Color kPlank = rgb(140, 122, 98), kPlankGap = rgb(98, 86, 72), kPost = rgb(74, 64, 58);
const Color kRail = rgb(142, 86, 70);
const Color kRipple = rgb(160, 174, 176);

// Planks across the deck, each a slightly different board.
Color plankAt(float along) {
  int board = static_cast<int>(std::floor(along / 3));
  if (along - board * 3.0f < 0.9f) return kPlankGap;
  return scaleRgb(kPlank, 0.92f + 0.12f * hash01(board, 0, 101));
}

void jetty(Image& img, Vec root, float dir, float len) {
  Vec far = root + Vec{0, dir * len}, mid = (root + far) * 0.5f;
  auto deck = [&](Vec p) { return std::min(sdBox(p, mid, {5, len / 2}), sdBox(p, far, {10, 6})); };
  Box box = boxAround(mid, len / 2 + 12);
  castShadow(img, box, deck, {4, 5}, 0.35f);
  paintShape(img, box, deck, [&](Vec p, float d) { return d > -1 ? kPlankGap : plankAt(p.y); });
  for (float t = 6; t < len; t += 16)
    for (float side : {-5.5f, 5.5f}) {
      Vec post = root + Vec{side, dir * t};
      fillShapeIn(img, boxAround(post, 3), [&](Vec p) { return sdCircle(p, post, 1.7f); }, kPost);
    }
}

void ring(Image& img, Vec c, float r, float strength) {
  paintShape(img, boxAround(c, r + 1), [&](Vec p) { return std::fabs(sdCircle(p, c, r)) - 0.5f; },
             [&](Vec, float) { return withAlpha(kRipple, strength); });
}

// A rowing boat, bow first along the frame's angle; a fisherman in a yellow raincoat if asked.
void rowingBoat(Image& img, Vec c, float angle, Color paint, bool fisherman) {
  Frame f{c, angle, 1.25f};
  const float a = 15, b = 6, round = (a * a + b * b) / (2 * b);
  auto hull = [&](Vec p) {
    Vec q = f.toLocal(p);
    float lens = std::max(sdCircle(q, {b - round, 0}, round), sdCircle(q, {round - b, 0}, round));
    return std::max(lens, q.y - a * 0.72f) * f.scale;
  };
  Box box = boxAround(c, (a + 2) * f.scale);
  castShadow(img, box, hull, {3, 4}, 0.35f);
  paintShape(img, box, hull, [&](Vec p, float d) {
    Vec q = f.toLocal(p);
    if (d > -1.8f) return q.x < 0 ? paint : scaleRgb(paint, 0.82f);
    bool thwart = std::fabs(q.y + 3) < 1.2f || std::fabs(q.y - 5) < 1.2f;
    if (thwart) return rgb(168, 144, 108);
    return d > -3.2f ? rgb(150, 128, 98) : rgb(122, 102, 80);
  });
  if (!fisherman) return;
  Vec seat = f.toPicture({0, 5}), tip = f.toPicture({18, -12});
  fillShapeIn(img, boxAround(seat, 32), [&](Vec p) { return sdSegment(p, seat, tip, 0.6f); }, rgb(70, 62, 56));
  Vec bob = tip + Vec{5, -3};
  for (float r : {3.5f, 6.5f}) ring(img, bob, r, 0.45f);
  fillShapeIn(img, boxAround(bob, 2), [&](Vec p) { return sdCircle(p, bob, 1.1f); }, rgb(184, 96, 82));
  fillShapeIn(img, boxAround(seat, 8), [&](Vec p) { return sdCircle(p, seat, 5.8f); }, rgb(72, 62, 54));
  fillShapeIn(img, boxAround(seat, 7), [&](Vec p) { return sdCircle(p, seat, 5); }, rgb(178, 150, 76));
  Vec hat = seat - Vec{0.6f, 0.6f};
  fillShapeIn(img, boxAround(seat, 7), [&](Vec p) { return sdCircle(p, hat, 3.4f); }, rgb(200, 174, 98));
}

void deckBridge(Image& img, Vec c, float angle, Vec half, Color rail) {
  Frame f{c, angle, 1};
  auto deck = [&](Vec p) { return sdBox(f.toLocal(p), {}, half); };
  Box box = boxAround(c, std::max(half.x, half.y) + 2);
  castShadow(img, box, deck, {5, 7}, 0.35f);
  paintShape(img, box, deck, [&](Vec p, float) {
    Vec q = f.toLocal(p);
    if (std::fabs(q.x) > half.x - 1.6f)
      return static_cast<int>(std::floor(q.y + half.y)) % 14 < 2 ? scaleRgb(rail, 0.75f) : rail;
    return plankAt(q.y + half.y);
  });
}

// Short plank bridges wherever the path crosses the stream.
void footbridges(Image& img) {
  float before = 0;
  for (int y = 0; y < kBackH; ++y) {
    float fy = static_cast<float>(y), hw = streamHalfWidth(fy);
    if (!hasPath(fy) || hw <= 0) { before = 0; continue; }
    float gap = pathCentre(fy) - streamCentre(fy);
    if (before != 0 && (gap > 0) != (before > 0)) {
      float slope = pathCentre(fy + 1) - pathCentre(fy);
      float reach = (hw + 6) * std::sqrt(1 + slope * slope);
      deckBridge(img, {pathCentre(fy), fy}, -std::atan(slope), {5.5f, reach}, rgb(104, 86, 70));
    }
    before = gap;
  }
}

void duck(Image& img, Vec c, float angle, float size, bool mother) {
  Frame f{c, angle, size};
  auto local = [&](float d) { return d * size; };
  for (float side : {-1.0f, 1.0f}) {
    Vec from = f.toPicture({side * 1.5f, 3}), to = f.toPicture({side * 5, 10});
    paintShape(img, boxAround((from + to) * 0.5f, 10 * size), [&](Vec p) { return sdSegment(p, from, to, 0.5f); },
               [&](Vec, float) { return withAlpha(kRipple, 0.35f); });
  }
  auto body = [&](Vec p) { return local(sdEllipse(f.toLocal(p), {0, 0.5f}, 2.6f, 4)); };
  castShadow(img, boxAround(c, 6 * size), body, {1.5f, 2}, 0.3f);
  fillShapeIn(img, boxAround(c, 6 * size), body, mother ? rgb(132, 110, 86) : rgb(150, 134, 98));
  Vec head = f.toPicture({0, -3.4f});
  fillShapeIn(img, boxAround(head, 3 * size), [&](Vec p) { return sdCircle(p, head, 1.8f * size); },
              mother ? rgb(66, 92, 76) : rgb(124, 108, 78));
  Vec beak = f.toPicture({0, -5.3f});
  fillShapeIn(img, boxAround(beak, 2), [&](Vec p) { return sdCircle(p, beak, 0.8f * size); }, rgb(176, 146, 76));
}

void duckFamily(Image& img, Vec c, float angle) {
  duck(img, c, angle, 1.5f, true);
  Rng rng(static_cast<uint64_t>(c.y));
  for (int i = 1; i <= 4; ++i) {
    Vec behind = c + rotate({rng.range(-4, 4), 10.0f + i * 10}, angle);
    duck(img, behind, angle + rng.range(-0.4f, 0.4f), 0.95f, false);
  }
}

// The deepest point along a row between two columns: where a boat or a duck can float.
Vec openWater(float s, float x0, float x1) {
  Vec best{x0, rowAt(s)};
  for (float x = x0; x <= x1; x += 8)
    if (lakeDepth(x, best.y) > lakeDepth(best.x, best.y)) best.x = x;
  return best;
}

}  // namespace

void buildWaterside(Image& img) {
  const Landmarks& m = landmarks();
  jetty(img, m.southJetty, -1, 64);
  rowingBoat(img, m.southJetty + Vec{15, -40}, 0.06f, rgb(150, 98, 80), false);
  jetty(img, m.northJetty, 1, 56);
  rowingBoat(img, m.northJetty + Vec{-15, 34}, kPi + 0.1f, rgb(96, 120, 126), false);
  rowingBoat(img, openWater(0.318f, 200, 440), 0.9f, rgb(86, 112, 122), true);
  float narrows = m.bridgeWest.y, half = (m.bridgeEast.x - m.bridgeWest.x) / 2;
  deckBridge(img, {(m.bridgeWest.x + m.bridgeEast.x) / 2, narrows}, kPi / 2, {6.5f, half}, kRail);
  footbridges(img);
  duckFamily(img, openWater(0.245f, 60, 300), 2.5f);
  duckFamily(img, openWater(0.392f, 360, 600), -0.6f);
  duckFamily(img, openWater(0.468f, 60, 320), 0.3f);
}

}  // namespace fog
