// Enemy bullets: the six round kinds of the small enemies and the eight-way missiles.
#include <cmath>

#include "art.h"
#include "spritekit.h"

namespace {

// Bright core, saturated rim, deep edge: readable on light clouds and dark water alike.
struct BulletInks {
  Color edge, rim, glow, core;
};
const BulletInks kCyan{ink::navyBlue, ink::cyan, ink::iceCyan, ink::white};
const BulletInks kPink{ink::plum, ink::magenta, ink::blush, ink::white};
const BulletInks kViolet{ink::purple, ink::violet, ink::lavender, ink::white};
const BulletInks kRose{ink::maroon, ink::pink, ink::blush, ink::white};

template <class Distance>
void drawGlow(Image& c, Distance distance, float depth, const BulletInks& k) {
  paintShape(c, {0, 0, c.w, c.h}, distance, [&](Vec, float d) {
    float inner = -d / depth;
    return inner > 0.62f ? k.core : inner > 0.38f ? k.glow : inner > 0.14f ? k.rim : k.edge;
  });
}

void drawOrb(Image& c, float radius, const BulletInks& k) {
  Vec o{c.w / 2.0f, c.h / 2.0f};
  drawGlow(c, [&](Vec p) { return sdCircle(p, o, radius); }, radius, k);
}

}  // namespace

Image paintTekiDan1() {
  Image sheet = keyedSheet(96, 32);
  const KeyStyle bare{false, true};
  paintKeyedCell(sheet, {0, 0, 12, 24}, bare, [](Image& c) {
    drawGlow(c, [](Vec p) { return sdTaper(p, {6, 16.5f}, {6, 3.5f}, 5.3f, 2.6f); }, 5, kCyan);
  });
  paintKeyedCell(sheet, {12, 0, 24, 12}, bare, [](Image& c) { drawOrb(c, 5.4f, kPink); });
  paintKeyedCell(sheet, {24, 0, 36, 12}, bare, [](Image& c) { drawOrb(c, 5.4f, kViolet); });
  paintKeyedCell(sheet, {36, 0, 52, 16}, bare, [](Image& c) {
    drawOrb(c, 7.4f, kCyan);
    fillShape(c, [](Vec p) { return sdStar(p, {8, 8}, 4, 5.5f, 1.4f, 0); }, ink::white);
  });
  paintKeyedCell(sheet, {52, 0, 64, 12}, bare, [](Image& c) {
    drawGlow(c, [](Vec p) { return sdStar(p, {6, 6}, 5, 5.8f, 3.6f); }, 3.6f, kRose);
  });
  paintKeyedCell(sheet, {64, 0, 96, 32}, bare, [](Image& c) { drawOrb(c, 13.5f, kCyan); });
  return sheet;
}

namespace {

const float kMissileDegrees[8] = {0, 90, 180, 270, 315, 45, 135, 225};

// A small, sharp missile drawn nose-up around the cell centre, then turned.
void drawMissile(Image& c, int d) {
  Frame f{{c.w / 2.0f, c.h / 2.0f}, kMissileDegrees[d] * kPi / 180, d < 4 ? 1.0f : 0.95f};
  auto local = [&](auto sd) { return [&, sd](Vec p) { return sd(f.toLocal(p)) * f.scale; }; };
  fillShape(c, local([](Vec p) { return sdCircle(p, {0, 8.5f}, 2.2f); }), ink::blush);
  fillShape(c, local([](Vec p) {
              return sdPolygon({std::fabs(p.x), p.y}, std::vector<Vec>{{0, 2}, {5.5f, 7.5f}, {5.5f, 9}, {0, 7}});
            }), ink::pink);
  drawLit(c, local([](Vec p) { return sdBox(p, {0, 1}, {2.6f, 6}, 2.4f); }), ramps::hull,
          f.toPicture({-1, 0}), 6, 0.1f);
  fillShape(c, local([](Vec p) {
              return sdPolygon({std::fabs(p.x), p.y}, std::vector<Vec>{{0, -9.5f}, {2.7f, -4}, {0, -3.5f}});
            }), ink::magenta);
}

// The missile cells, with a pixel left empty at each side of a cell so that a missile
// drawn at whole-pixel positions never picks up its neighbour's edge.
const float kMissileCells[8][4] = {
    {0, 0, 0.18181f, 0.5f},        {0.18181f, 0, 0.45454f, 0.33333f},
    {0, 0.5f, 0.18181f, 1},        {0.18181f, 0.33333f, 0.45454f, 0.66666f},
    {0.45454f, 0, 0.72727f, 0.5f}, {0.72727f, 0, 1, 0.5f},
    {0.45454f, 0.5f, 0.72727f, 1}, {0.72727f, 0.5f, 1, 1}};

}  // namespace

Image paintTekiDan2() {
  Image sheet = keyedSheet(88, 48);
  for (int d = 0; d < 8; ++d) {
    const float* u = kMissileCells[d];
    Box cell = cellBox(u[0], u[1], u[2], u[3], 88, 48);
    Box inner{cell.x0 + 1, cell.y0 + 1, cell.x1 - 1, cell.y1 - 1};
    paintKeyedCell(sheet, inner, {}, [&](Image& c) { drawMissile(c, d); });
  }
  return sheet;
}
