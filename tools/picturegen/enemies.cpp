// The small enemies (jellyfish, bird, top, crystal), the spiral flower, the beam lens, the turret.
#include <cmath>

#include "art.h"
#include "spritekit.h"

namespace {

// Type 0: a jellyfish that pulses: wide and short, then narrow and long.
void drawJellyfish(Image& c, int frame) {
  float rx = frame == 0 ? 16.5f : 13, ry = frame == 0 ? 12 : 14.5f, cy = frame == 0 ? 19 : 18;
  float rim = cy + (frame == 0 ? 5 : 7);
  for (int i = 0; i < 4; ++i) {
    float x = 24 + (i - 1.5f) * (frame == 0 ? 8.5f : 6.5f);
    float sway = (i % 2 ? 2.5f : -2.5f) * (frame == 0 ? 1 : -0.6f);
    Vec a{x, rim}, m{x + sway, rim + 9}, b{x - sway * 0.5f, frame == 0 ? 41.0f : 45.0f};
    fillShape(c, [&](Vec p) { return std::min(sdTaper(p, a, m, 2.2f, 1.6f), sdTaper(p, m, b, 1.6f, 0.8f)); },
              i % 2 ? ink::pink : ink::blush);
  }
  auto bell = [&](Vec p) {
    float skirt = 1e9f;
    for (int i = -3; i <= 3; ++i) skirt = std::min(skirt, sdCircle(p, {24 + i * rx / 3.2f, rim}, 3.2f));
    return std::min(std::max(sdEllipse(p, {24, cy}, rx, ry), p.y - rim), skirt);
  };
  drawLit(c, bell, ramps::violet, {24, cy - 2}, rx + 2, 0.05f);
  for (Vec s : {Vec{17, cy - 6}, Vec{30, cy - 7}, Vec{24, cy - 9}})
    fillShape(c, [&](Vec p) { return sdCircle(p, s, 1.5f); }, ink::pale);
  drawEyes(c, {20, cy + 1}, {28, cy + 1}, 1.6f);
  fillShape(c, [&](Vec p) { return sdEllipse(p, {24, cy + 4.5f}, 2, 1.1f); }, ink::magenta);
}

// Type 1: a bird seen from above, flying down the screen; wings spread, then swept up.
void drawBird(Image& c, int frame) {
  for (float side : {-1.0f, 1.0f}) {
    const Vec spread[] = {{5, 18}, {22, 12}, {22.5f, 18}, {19, 23}, {14, 25}, {6, 29}};
    const Vec swept[] = {{5, 20}, {15, 6}, {18, 9}, {17, 16}, {12, 23}, {6, 28}};
    const Vec* w = frame == 0 ? spread : swept;
    std::vector<Vec> pts;
    for (int i = 0; i < 6; ++i) pts.push_back({24 + side * w[i].x, w[i].y});
    drawLit(c, [&](Vec p) { return sdPolygon(p, pts); }, ramps::green, {24 + side * 12, 12}, 16,
            0.05f);
  }
  fillShape(c, [](Vec p) { return sdPolygon(p, std::vector<Vec>{{19, 8}, {29, 8}, {24, 17}}); },
            ink::forest);
  drawLit(c, [](Vec p) { return sdEllipse(p, {24, 22}, 7, 10.5f); }, ramps::green, {22, 18}, 10,
          0.1f);
  drawLit(c, [](Vec p) { return sdCircle(p, {24, 32}, 6.2f); }, ramps::green, {22, 30}, 7, 0.2f);
  fillShape(c, [](Vec p) { return sdPolygon(p, std::vector<Vec>{{21, 36}, {27, 36}, {24, 42}}); },
            ink::gold);
  drawEyes(c, {21.3f, 32.5f}, {26.7f, 32.5f}, 1.5f);
}

// Type 2: a spinning top; its stripes turn half a stripe between the frames.
void drawTop(Image& c, int frame) {
  Vec o{24, 24};
  fillShape(c, [&](Vec p) { return sdCircle(p, o, 19); }, ink::maroon);
  paintShape(c, {0, 0, 48, 48}, [&](Vec p) { return sdCircle(p, o, 17.5f); }, [&](Vec p, float) {
    Vec d = p - o;
    float a = std::atan2(d.y, d.x) + length(d) * 0.09f + frame * kPi / 6;
    bool stripe = static_cast<int>(std::floor(a / (kPi / 3) + 12)) % 2;
    return rampColor(stripe ? ramps::red : ramps::gold, sphereLight(p, {22, 22}, 19) + 0.1f);
  });
  drawLit(c, [&](Vec p) { return sdCircle(p, o, 7.5f); }, ramps::hull, {22, 21}, 8, 0.15f);
  drawEyes(c, {21.5f, 24}, {26.5f, 24}, 1.4f);
}

// Type 3: a crystal with a face; in the second frame a glint runs over it.
void drawCrystal(Image& c, int frame) {
  const Vec top{24, 4}, left{7, 19}, right{41, 19}, bottom{24, 45}, mid{24, 21};
  struct Facet { Vec a, b, c; Color color; };
  const Facet facets[] = {{top, left, mid, ink::iceCyan}, {top, mid, right, ink::cyan},
                          {left, bottom, mid, ink::blue}, {mid, bottom, right, ink::navyBlue}};
  for (const Facet& f : facets)
    fillShape(c, [&](Vec p) { return sdPolygon(p, std::vector<Vec>{f.a, f.b, f.c}); }, f.color);
  fillShape(c, [&](Vec p) { return sdSegment(p, {15, 12}, {20, 8}, 1.1f); }, ink::white);
  drawEyes(c, {20.5f, 23}, {27.5f, 23}, 1.6f);
  if (frame == 1) {
    fillShape(c, [](Vec p) { return sdStar(p, {14, 14}, 4, 9, 1.6f, 0); }, ink::white);
    fillShape(c, [](Vec p) { return sdStar(p, {33, 33}, 4, 4, 1, 0); }, ink::iceCyan);
  }
}

}  // namespace

Image paintTeki1() {
  Image sheet = keyedSheet(384, 48);
  void (*const kinds[4])(Image&, int) = {drawJellyfish, drawBird, drawTop, drawCrystal};
  for (int t = 0; t < 4; ++t)
    for (int f = 0; f < 2; ++f) {
      int x = (t * 2 + f) * 48;
      paintKeyedCell(sheet, {x, 0, x + 48, 48}, {}, [&](Image& c) { kinds[t](c, f); });
    }
  return sheet;
}

namespace {

// Type 4: a flower whose six petals turn by a third of their spacing each frame.
void drawFlower(Image& c, int frame) {
  Vec o{24, 24};
  for (int i = 0; i < 6; ++i) {
    float a = i * kPi / 3 + frame * kPi / 9;
    Vec dir{std::cos(a), std::sin(a)};
    Vec pc = o + dir * 11.5f;
    auto petal = [&](Vec p) {
      Vec q = rotate(p - pc, -a);
      return sdEllipse(q, {0, 0}, 9.5f, 6.2f);
    };
    drawLit(c, petal, i % 2 ? ramps::pink : ramps::violet, pc + Vec{-2, -2}, 9, 0.15f);
  }
  drawLit(c, [&](Vec p) { return sdCircle(p, o, 8); }, ramps::gold, {22, 21}, 9, 0.2f);
  drawEyes(c, {21, 23}, {27, 23}, 1.5f);
  fillShape(c, [](Vec p) { return std::max(sdCircle(p, {24, 25}, 3), 26.2f - p.y); }, ink::maroon);
}

// Type 5: a lens in an armoured ring; frame 0 rests, 1 charges, 2 is about to fire.
void drawLens(Image& c, int frame) {
  Vec o{24, 24};
  for (int i = 0; i < 4; ++i) {
    Vec fin = o + rotate({0, -19}, kPi / 4 + i * kPi / 2);
    drawLit(c, [&](Vec p) { return sdCircle(p, fin, 5); }, ramps::red, fin + Vec{-1, -1}, 5, 0.1f);
  }
  drawLit(c, [&](Vec p) { return sdCircle(p, o, 18); }, ramps::metal, {21, 20}, 20, 0.1f);
  fillShape(c, [&](Vec p) { return sdCircle(p, o, 12.5f); }, ink::indigo);
  static const Ramp kLens[3] = {{{ink::indigo, ink::navyBlue, ink::blue, ink::cyan}},
                                {{ink::navyBlue, ink::blue, ink::cyan, ink::iceCyan}},
                                {{ink::cyan, ink::iceCyan, ink::white, ink::white}}};
  drawLit(c, [&](Vec p) { return sdCircle(p, o, 10.5f); }, kLens[frame], {22, 21}, 12, 0.1f);
  if (frame == 2) fillShape(c, [&](Vec p) { return sdStar(p, o, 4, 15, 2.5f, 0); }, ink::white);
  fillShape(c, [&](Vec p) { return sdCircle(p, {20, 19.5f}, 2.2f); }, ink::white);
}

}  // namespace

Image paintTeki2() {
  Image sheet = keyedSheet(288, 48);
  for (int f = 0; f < 3; ++f) {
    paintKeyedCell(sheet, {f * 48, 0, f * 48 + 48, 48}, {}, [&](Image& c) { drawFlower(c, f); });
    paintKeyedCell(sheet, {144 + f * 48, 0, 192 + f * 48, 48}, {},
                   [&](Image& c) { drawLens(c, f); });
  }
  return sheet;
}

namespace {

const float kFacingDegrees[8] = {0, 90, 180, 270, 315, 45, 135, 225};

// Type 6: a missile turret, its barrel turned to one of eight directions.
void drawTurret(Image& c, int d) {
  Vec o{24, 24};
  float a = kFacingDegrees[d] * kPi / 180;
  auto base = [&](Vec p) { return sdBox(rotate(p - o, kPi / 4), {0, 0}, {15, 15}, 6); };
  drawLit(c, base, ramps::metal, {20, 20}, 24, 0.05f);
  for (int i = 0; i < 4; ++i) {
    Vec r = o + rotate({0, -14}, i * kPi / 2);
    fillShape(c, [&](Vec p) { return sdCircle(p, r, 1.5f); }, ink::gold);
  }
  Vec muzzle = o + rotate({0, -19}, a);
  fillShape(c, [&](Vec p) { return sdSegment(p, o, muzzle, 4.2f); }, ink::ash);
  fillShape(c, [&](Vec p) { return sdSegment(p, o, muzzle, 3); }, ink::grey);
  fillShape(c, [&](Vec p) { return sdCircle(p, muzzle, 3.4f); }, ink::red);
  fillShape(c, [&](Vec p) { return sdCircle(p, muzzle, 1.8f); }, ink::maroon);
  drawLit(c, [&](Vec p) { return sdCircle(p, o, 9); }, ramps::green, {21, 21}, 10, 0.1f);
  Vec look = o + rotate({0, -2}, a);
  drawEyes(c, look + rotate({-2.8f, 0}, 0), look + rotate({2.8f, 0}, 0), 1.4f);
}

}  // namespace

Image paintTeki3() {
  Image sheet = keyedSheet(384, 48);
  for (int d = 0; d < 8; ++d)
    paintKeyedCell(sheet, {d * 48, 0, d * 48 + 48, 48}, {}, [&](Image& c) { drawTurret(c, d); });
  return sheet;
}
