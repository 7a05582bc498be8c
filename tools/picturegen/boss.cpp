// The boss: a great eye in four states of damage, its pupil and flash, and its chain bullets.
#include <cmath>

#include "art.h"
#include "noise.h"
#include "spritekit.h"

namespace {

const Vec kEyeCentre{32, 29};         // the pupil roams around this point
const Ramp kSclera{{ink::lavender, ink::pale, ink::white, ink::white}};
const Ramp kLid{{ink::plum, ink::purple, ink::violet, ink::lavender}};

void drawPetals(Image& c, int missing) {
  for (int i = 0; i < 10; ++i) {
    if (missing > 0 && (i * 7 + 3) % 10 < missing) continue;  // chipped off
    float a = i * kPi / 5 - kPi / 2;
    Vec pc = Vec{32, 32} + Vec{std::cos(a), std::sin(a)} * 23.5f;
    auto petal = [&](Vec p) { return sdEllipse(rotate(p - pc, -a), {0, 0}, 7.5f, 5.5f); };
    drawLit(c, petal, i % 2 ? ramps::pink : kLid, pc + Vec{-2, -2}, 7, 0.1f);
  }
}

void drawOpenEye(Image& c) {
  drawLit(c, [](Vec p) { return sdCircle(p, {32, 31}, 24.5f); }, kLid, {28, 25}, 26, 0.05f);
  drawLit(c, [](Vec p) { return sdEllipse(p, kEyeCentre, 20, 15.5f); }, kSclera, {29, 26}, 20, 0.2f);
  // The upper lid's shadow across the top of the white.
  auto crease = [](Vec p) {
    return std::max(sdEllipse(p, kEyeCentre, 20, 15.5f), -sdEllipse(p, {32, 33}, 21, 16));
  };
  fillShape(c, crease, ink::lavender);
  for (int i = -2; i <= 2; ++i) {
    Vec root{32 + i * 7.5f, 14.5f + std::fabs(static_cast<float>(i)) * 1.8f};
    Vec tip = root + Vec{i * 2.2f, -5.5f + std::fabs(static_cast<float>(i))};
    fillShape(c, [&](Vec p) { return sdTaper(p, root, tip, 1.3f, 0.6f); }, ink::outline);
  }
}

void drawClosedEye(Image& c) {
  drawLit(c, [](Vec p) { return sdCircle(p, {32, 31}, 24.5f); }, kLid, {28, 25}, 26, 0.05f);
  auto lidLine = [](Vec p) {
    return std::max(std::fabs(sdEllipse(p, {32, 22}, 18, 12)) - 1.2f, 23 - p.y);
  };
  fillShape(c, lidLine, ink::outline);
  for (int i = -2; i <= 2; ++i) {
    Vec root{32 + i * 7.0f, 33.5f - std::fabs(static_cast<float>(i)) * 1.6f};
    fillShape(c, [&](Vec p) { return sdTaper(p, root, root + Vec{i * 1.5f, 4.5f}, 1.2f, 0.5f); },
              ink::outline);
  }
  // Dizzy little stars circling the stunned eye.
  for (Vec s : {Vec{12, 12}, Vec{50, 9}, Vec{55, 40}})
    fillShape(c, [&](Vec p) { return sdStar(p, s, 5, 5, 2.2f); }, ink::yellow);
}

// Cracks: short zigzags from random points, more of them the worse the damage.
void drawCracks(Image& c, int count, uint32_t seed) {
  Rng rng(seed);
  for (int i = 0; i < count; ++i) {
    float a = rng.range(0, 2 * kPi);
    Vec p = Vec{32, 31} + Vec{std::cos(a), std::sin(a)} * rng.range(8, 24);
    std::vector<Vec> line{p};
    float heading = a + kPi + rng.range(-0.6f, 0.6f);
    for (int k = 0; k < 4; ++k) {
      heading += rng.range(-0.9f, 0.9f);
      p = p + Vec{std::cos(heading), std::sin(heading)} * rng.range(3.5f, 6);
      line.push_back(p);
    }
    strokePolyline(c, line, 1.4f, ink::outline);
  }
}

void drawBossState(Image& c, int state) {
  drawPetals(c, state == 2 ? 3 : state == 3 ? 5 : 0);
  if (state < 3) drawOpenEye(c); else drawClosedEye(c);
  if (state == 2)
    for (int i = 0; i < 4; ++i) {
      Vec a = kEyeCentre + rotate({0, 16}, 0.9f + i * 1.4f);
      Vec b = kEyeCentre + rotate({0, 11}, 1.1f + i * 1.4f);
      strokePolyline(c, std::vector<Vec>{a, b}, 1.2f, ink::pink);
    }
  static const int kCracks[4] = {0, 3, 6, 9};
  drawCracks(c, kCracks[state], 90 + state);
}

}  // namespace

Image paintTeki4() {
  Image sheet = keyedSheet(256, 64);
  for (int s = 0; s < 4; ++s)
    paintKeyedCell(sheet, {s * 64, 0, s * 64 + 64, 64}, {},
                   [&](Image& c) { drawBossState(c, s); });
  return sheet;
}

Image paintTeki41() {
  Image sheet = keyedSheet(40, 24);
  // The flash that takes the pupil's place while the eye fires.
  paintKeyedCell(sheet, {0, 0, 24, 24}, {false, true}, [](Image& c) {
    Vec o{12, 12};
    fillShape(c, [&](Vec p) { return sdStar(p, o, 8, 11.5f, 6, -kPi / 2); }, ink::magenta);
    fillShape(c, [&](Vec p) { return sdStar(p, o, 4, 11, 3.5f, -kPi / 2); }, ink::pink);
    fillShape(c, [&](Vec p) { return sdCircle(p, o, 5.5f); }, ink::blush);
    fillShape(c, [&](Vec p) { return sdCircle(p, o, 3.5f); }, ink::white);
  });
  // The pupil; its top and bottom rows stay empty because it is also drawn a row off.
  paintKeyedCell(sheet, {24, 0, 40, 16}, {}, [](Image& c) {
    Vec o{8, 8};
    drawLit(c, [&](Vec p) { return sdCircle(p, o, 5.6f); }, ramps::pink, {7, 7}, 6, 0);
    fillShape(c, [&](Vec p) { return sdCircle(p, o, 2.9f); }, ink::outline);
    fillShape(c, [&](Vec p) { return sdCircle(p, {6.3f, 6.3f}, 1.3f); }, ink::white);
  });
  return sheet;
}

namespace {

const float kTravelDegrees[8] = {0, 90, 180, 270, 315, 45, 135, 225};

// A chain bullet: a glowing orb leading, a tail of smaller orbs behind it.
void drawChainOrb(Image& c, int d) {
  Vec ahead = rotate({0, -1}, kTravelDegrees[d] * kPi / 180);
  Vec o = Vec{16, 16} + ahead * 3.5f;
  struct Bead { float back, radius; Color color; };
  const Bead tail[] = {{13, 2.2f, ink::purple}, {9.5f, 3.2f, ink::violet}, {5.5f, 4.6f, ink::lavender}};
  for (const Bead& b : tail) {
    Vec bc = o - ahead * b.back;
    fillShape(c, [&](Vec p) { return sdCircle(p, bc, b.radius); }, b.color);
  }
  const Color rings[] = {ink::plum, ink::magenta, ink::pink, ink::blush, ink::white};
  const float radii[] = {8.5f, 7.5f, 6, 4.4f, 2.8f};
  for (int i = 0; i < 5; ++i)
    fillShape(c, [&](Vec p) { return sdCircle(p, o, radii[i]); }, rings[i]);
}

}  // namespace

Image paintTekiDan3() {
  Image sheet = keyedSheet(256, 32);
  for (int d = 0; d < 8; ++d)
    paintKeyedCell(sheet, {d * 32, 0, d * 32 + 32, 32}, {false, true},
                   [&](Image& c) { drawChainOrb(c, d); });
  return sheet;
}
