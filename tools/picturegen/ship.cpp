// The boy's starship: its eight facings, its exhaust flames and its shots.
#include <cmath>

#include "art.h"
#include "spritekit.h"

namespace {

// Facing angles in the game's direction order: up, right, down, left, up-left, up-right,
// down-right, down-left (clockwise from up).
const float kFacingDegrees[8] = {0, 90, 180, 270, 315, 45, 135, 225};

float radians(float degrees) { return degrees * kPi / 180.0f; }

// One lit part of the ship: a shape in ship units and the ball that lights it.
struct ShipPart {
  std::function<float(Vec)> distance;  // signed distance in ship units
  Vec lightCentre;                     // centre of the lighting ball, ship units
  float lightRadius;
  const Ramp* ramp;
  float toneBias;                      // added to the light, to lift or sink a part
  bool mirrored = false;               // one outline for both sides: light each side itself
};

void drawPart(Image& img, const Frame& f, const ShipPart& part, bool smooth) {
  float lr = part.lightRadius * f.scale;
  paintShape(img, boxAround(f.origin, 26 * f.scale),
             [&](Vec p) { return part.distance(f.toLocal(p)) * f.scale; },
             [&](Vec p, float) {
               Vec c = part.lightCentre;
               if (part.mirrored && f.toLocal(p).x > 0) c.x = -c.x;
               float light = sphereLight(p, f.toPicture(c), lr);
               return rampColor(*part.ramp, light + part.toneBias, smooth);
             });
}

float hull(Vec p) { return sdEllipse(p, {0, 1}, 11, 18); }

float wing(Vec p) {
  static const Vec kWing[] = {{-8, -1}, {-18, 8}, {-18.5f, 12.5f}, {-15.5f, 15}, {-8, 13.5f}};
  Vec m{-std::fabs(p.x), p.y};  // both wings from one outline
  return sdPolygon(m, kWing);
}

float head(Vec p) { return sdCircle(p, {0, -5}, 4.7f); }

std::vector<ShipPart> shipParts() {
  return {
      {wing, {-13, 8}, 9, &ramps::red, 0.05f, true},
      {[](Vec p) { return sdCircle({std::fabs(p.x), p.y}, {16, 12.2f}, 1.7f); }, {-16, 12}, 3,
       &ramps::gold, 0.3f, true},
      {[](Vec p) { return sdBox(p, {0, 19}, {5.5f, 3.5f}, 2); }, {0, 18}, 6, &ramps::metal, 0},
      {hull, {0, 0}, 16, &ramps::hull, 0.08f},
      {[](Vec p) { return std::max(hull(p), sdBox(p, {0, 11}, {20, 1.6f})); }, {0, 4}, 12,
       &ramps::red, 0.1f},
      {[](Vec p) { return sdCircle(p, {0, -14.5f}, 2.6f); }, {0, -15}, 3, &ramps::red, 0.15f},
      {[](Vec p) { return sdCircle(p, {0, -5}, 7.6f); }, {0, -5}, 8, &ramps::glass, 0},
      {head, {0, -5}, 5, &ramps::skin, 0.3f},
      {[](Vec p) { return std::max(head(p), -p.y - 4.4f); }, {0, -4}, 5, &ramps::hair, 0.1f},
      {[](Vec p) { return sdCircle({std::fabs(p.x), p.y}, {1.9f, -6.3f}, 0.95f); }, {0, 0}, 1,
       &ramps::metal, -1},
      {[](Vec p) { return sdCircle(p, {-3.6f, -9.2f}, 1.4f); }, {-4, -10}, 1, &ramps::glass, 1},
  };
}

}  // namespace

void drawShip(Image& img, const Frame& frame, bool smooth) {
  for (const ShipPart& part : shipParts()) drawPart(img, frame, part, smooth);
}

Image paintJiki() {
  Image sheet = keyedSheet(384, 48);
  for (int d = 0; d < 8; ++d)
    paintKeyedCell(sheet, {d * 48, 0, d * 48 + 48, 48}, {}, [&](Image& c) {
      drawShip(c, Frame{{24, 24}, radians(kFacingDegrees[d]), 1}, false);
    });
  return sheet;
}

namespace {

// Where the exhaust sits beside the ship and how big it is drawn, by direction.
struct ExhaustPlace {
  int dx, dy;  // offset from the ship's top-left
  int w, h;    // size on screen
};
const ExhaustPlace kExhaustPlace[8] = {
    {16, 48, 16, 24}, {-24, 16, 24, 16}, {16, -24, 16, 24}, {48, 16, 24, 16},
    {33, 33, 22, 22}, {-8, 33, 22, 22},  {-8, -8, 22, 22},  {33, -8, 22, 22},
};

// The two flicker rows of exhaust pictures: texture rectangle by direction.
struct ExhaustCell {
  float u0, v0, u1, v1;
};
const ExhaustCell kExhaustCells[2][8] = {
    {{0, 0, 0.09f, 0.5f}, {0.09f, 0, 0.23f, 0.33f}, {0.23f, 0, 0.31f, 0.5f},
     {0.31f, 0, 0.43f, 0.33f}, {0.43f, 0, 0.5632f, 0.458f}, {0.5632f, 0, 0.69f, 0.458f},
     {0.69f, 0, 0.816f, 0.458f}, {0.816f, 0, 0.948f, 0.458f}},
    {{0, 0.5f, 0.0977f, 1}, {0.0977f, 0.5f, 0.24f, 0.83f}, {0.24f, 0.5f, 0.339f, 1},
     {0.339f, 0.5f, 0.48f, 0.83f}, {0.482f, 0.5f, 0.609f, 1}, {0.609f, 0.5f, 0.741f, 1},
     {0.741f, 0.5f, 0.862f, 1}, {0.862f, 0.5f, 1, 1}},
};

// A flame from its base along a direction, hottest at the base and the centre line.
void drawFlame(Image& c, Vec base, Vec dir, float len, float width, float flicker) {
  // Full width near the nozzle, rounding off to a point: r = width * sqrt(1 - t).
  auto radiusAt = [&](float t) { return width * std::sqrt(std::max(0.0f, 1 - t)) + 0.5f; };
  auto alongOf = [&](Vec p) { return std::clamp(dot(p - base, dir) / len, 0.0f, 1.0f); };
  paintShape(c, {0, 0, c.w, c.h},
             [&](Vec p) {
               float t = alongOf(p);
               return length(p - (base + dir * (t * len))) - radiusAt(t);
             },
             [&](Vec p, float d) {
               float t = alongOf(p);
               float inner = std::clamp(-d / radiusAt(t), 0.0f, 1.0f);
               float wave = 0.08f * std::sin(t * 9 + flicker);
               return rampColor(ramps::fire, 0.25f + inner * 0.9f - t * 0.55f + wave);
             });
}

void drawExhaustCell(Image& c, int d, int row) {
  const ExhaustPlace& q = kExhaustPlace[d];
  float sx = static_cast<float>(c.w) / q.w, sy = static_cast<float>(c.h) / q.h;
  // The nozzle's centre in ship pixels, then in this cell's pixels.
  // The flame starts at the ship's tail, so its fullest part shows.
  Vec nozzle = Vec{24, 24} + rotate({0, d < 4 ? 24.5f : 22.5f}, radians(kFacingDegrees[d]));
  Vec base{(nozzle.x - q.dx) * sx, (nozzle.y - q.dy) * sy};
  Vec dir = rotate({0, 1}, radians(kFacingDegrees[d]));
  float reach = (d < 4 ? 22.0f : 19.0f) * (row == 0 ? 0.8f : 1.0f);
  drawFlame(c, base, dir, reach, (d < 4 ? 5.4f : 4.8f) + row * 0.5f, row * 2.1f + d);
}

}  // namespace

Image paintGas() {
  Image sheet = keyedSheet(174, 48);
  for (int row = 0; row < 2; ++row)
    for (int d = 0; d < 8; ++d) {
      const ExhaustCell& e = kExhaustCells[row][d];
      paintKeyedCell(sheet, cellBox(e.u0, e.v0, e.u1, e.v1, 174, 48), {false},
                     [&](Image& c) { drawExhaustCell(c, d, row); });
    }
  return sheet;
}

namespace {

// A shot: a short warm bolt along a line, white-hot in the middle.
void drawBolt(Image& c, Vec a, Vec b, float radius) {
  paintShape(c, {0, 0, c.w, c.h}, [&](Vec p) { return sdSegment(p, a, b, radius); },
             [&](Vec, float d) {
               float inner = -d / radius;
               return inner > 0.62f ? ink::white : inner > 0.36f ? ink::cream
                                                   : inner > 0.14f ? ink::yellow
                                                                   : ink::orange;
             });
}

}  // namespace

Image paintTama() {
  Image sheet = keyedSheet(40, 12);
  const KeyStyle bare{false, false};
  paintKeyedCell(sheet, cellBox(0, 0, 0.2f, 1, 40, 12), bare,
                 [](Image& c) { drawBolt(c, {4, 3.6f}, {4, 8.4f}, 3.6f); });
  paintKeyedCell(sheet, cellBox(0.2f, 0, 0.475f, 0.66f, 40, 12), bare,
                 [](Image& c) { drawBolt(c, {3.2f, 4}, {7.8f, 4}, 3.6f); });
  paintKeyedCell(sheet, cellBox(0.5f, 0, 0.725f, 0.75f, 40, 12), bare,
                 [](Image& c) { drawBolt(c, {3, 3}, {6, 6}, 3.1f); });
  paintKeyedCell(sheet, cellBox(0.75f, 0, 1, 0.75f, 40, 12), bare,
                 [](Image& c) { drawBolt(c, {7, 2.9f}, {3.5f, 6.1f}, 3.1f); });
  return sheet;
}
