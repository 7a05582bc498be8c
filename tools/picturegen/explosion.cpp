// Explosions in three frames (flash, fireball, drifting smoke), bursts and hit sparks.
#include <cmath>

#include "art.h"
#include "noise.h"
#include "spritekit.h"

namespace {

// The colours of one kind of explosion.
struct Blast {
  Ramp flash;      // the first frame's star
  Ramp fire;       // the fireball
  Ramp smoke;      // the last frame's puffs
  Color ember;     // sparks left in the smoke
};

const Blast kShipBlast{ramps::fire, ramps::fire, ramps::smoke, ink::orange};
const Blast kEnemyBlast{{{ink::magenta, ink::pink, ink::blush, ink::white}},
                        {{ink::magenta, ink::pink, ink::yellow, ink::white}},
                        ramps::lavender, ink::pink};
const Blast kBossBlast{{{ink::violet, ink::lavender, ink::cream, ink::white}},
                       {{ink::purple, ink::magenta, ink::orange, ink::yellow}},
                       ramps::lavender, ink::yellow};

void drawFlash(Image& c, Vec o, float r, const Ramp& ramp, Rng& rng) {
  fillShape(c, [&](Vec p) { return sdStar(p, o, 8, r, r * 0.55f, -kPi / 2); }, ramp.tone[1]);
  fillShape(c, [&](Vec p) { return sdStar(p, o, 4, r * 0.9f, r * 0.4f, -kPi / 2); }, ramp.tone[2]);
  fillShape(c, [&](Vec p) { return sdCircle(p, o, r * 0.5f); }, ramp.tone[2]);
  fillShape(c, [&](Vec p) { return sdCircle(p, o, r * 0.33f); }, ramp.tone[3]);
  for (int i = 0; i < 4; ++i) {
    Vec s = o + rotate({0, -r * rng.range(0.95f, 1.15f)}, kPi / 4 + i * kPi / 2);
    fillShape(c, [&](Vec p) { return sdStar(p, s, 4, r * 0.16f, r * 0.05f, 0); }, ramp.tone[3]);
  }
}

// Lumps of fire around the centre, lit from the upper left.
void drawFireball(Image& c, Vec o, float r, const Ramp& ramp, Rng& rng) {
  for (int i = 0; i < 7; ++i) {
    float a = rng.range(0, 2 * kPi), dist = i == 0 ? 0 : rng.range(0.3f, 0.55f) * r;
    Vec p0 = o + Vec{std::cos(a), std::sin(a)} * dist;
    float pr = (i == 0 ? 0.62f : rng.range(0.32f, 0.45f)) * r;
    paintShape(c, boxAround(p0, pr), [&](Vec p) { return sdCircle(p, p0, pr); },
               [&](Vec p, float) {
                 float hot = 1 - length(p - o) / r;
                 return rampColor(ramp, 0.2f + hot * 0.9f + 0.25f * sphereLight(p, p0, pr));
               });
  }
}

void drawSmoke(Image& c, Vec o, float r, const Blast& b, Rng& rng) {
  for (int i = 0; i < 7; ++i) {
    float a = i * kPi * 2 / 7 + rng.range(-0.4f, 0.4f);
    Vec p0 = o + Vec{std::cos(a), std::sin(a)} * (r * rng.range(0.25f, 0.62f));
    float pr = r * rng.range(0.16f, 0.3f);
    paintShape(c, boxAround(p0, pr), [&](Vec p) { return sdCircle(p, p0, pr); },
               [&](Vec p, float) { return rampColor(b.smoke, sphereLight(p, p0, pr) * 0.9f); });
  }
  for (int i = 0; i < 5; ++i) {
    float a = rng.range(0, 2 * kPi);
    Vec e = o + Vec{std::cos(a), std::sin(a)} * (r * rng.range(0.15f, 0.9f));
    fillShape(c, [&](Vec p) { return sdCircle(p, e, r * 0.06f + 0.6f); }, b.ember);
  }
}

void drawBlastFrame(Image& c, int frame, const Blast& b, uint32_t seed) {
  Rng rng(seed * 7 + frame);
  Vec o{c.w / 2.0f, c.h / 2.0f};
  float r = c.w * 0.46f;
  if (frame == 0) drawFlash(c, o, r * 0.8f, b.flash, rng);
  if (frame == 1) drawFireball(c, o, r * 0.85f, b.fire, rng);
  if (frame == 2) drawSmoke(c, o, r, b, rng);
}

Image blastSheet(int cell, const Blast& b, uint32_t seed) {
  Image sheet = keyedSheet(cell * 3, cell);
  for (int f = 0; f < 3; ++f)
    paintKeyedCell(sheet, {f * cell, 0, f * cell + cell, cell}, {false, true},
                   [&](Image& c) { drawBlastFrame(c, f, b, seed); });
  return sheet;
}

}  // namespace

Image paintJikiBaku() { return blastSheet(48, kShipBlast, 1); }
Image paintTekiBaku1() { return blastSheet(48, kEnemyBlast, 2); }
Image paintTeki4Baku() { return blastSheet(64, kBossBlast, 3); }

Image paintTekiDan2Baku() {
  Image sheet = keyedSheet(32, 32);
  paintKeyedCell(sheet, {0, 0, 32, 32}, {false, true}, [](Image& c) {
    Rng rng(44);
    drawFlash(c, {16, 16}, 14, kEnemyBlast.flash, rng);
    for (int i = 0; i < 6; ++i) {
      Vec e = Vec{16, 16} + rotate({0, -13}, i * kPi / 3 + 0.5f);
      fillShape(c, [&](Vec p) { return sdCircle(p, e, 1.3f); }, ink::white);
    }
  });
  return sheet;
}

namespace {

const float kShotDegrees[8] = {0, 90, 180, 270, 315, 45, 135, 225};

// A spark where a shot struck: a small star with a splash thrown back the way it came.
void drawSpark(Image& c, int d) {
  float a = kShotDegrees[d] * kPi / 180;
  Vec o{8, 8};
  Vec back = rotate({0, 1}, a);
  for (int k = -1; k <= 1; ++k) {
    Vec tip = o + rotate(back, k * 0.6f) * (k == 0 ? 7.0f : 5.5f);
    fillShape(c, [&](Vec p) { return sdTaper(p, o, tip, 1.6f, 0.5f); }, ink::gold);
  }
  fillShape(c, [&](Vec p) { return sdStar(p, o, 4, 6, 1.8f, a); }, ink::yellow);
  fillShape(c, [&](Vec p) { return sdCircle(p, o, 1.9f); }, ink::white);
}

}  // namespace

Image paintJikiDanBaku() {
  Image sheet = keyedSheet(128, 16);
  for (int d = 0; d < 8; ++d)
    paintKeyedCell(sheet, {d * 16, 0, d * 16 + 16, 16}, {false, true},
                   [&](Image& c) { drawSpark(c, d); });
  return sheet;
}
