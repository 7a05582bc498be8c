// Stage 1, a misty day: the forest as single treetops, each shaded and casting its shadow.
#include <array>
#include <cmath>

#include "backdrop.h"
#include "fog.h"
#include "noise.h"

namespace fog {

namespace {

// Four tones each, dark to light: broadleaf green, olive, blue-grey, fir, dark fir, rust, pale.
using Tones = std::array<Color, 4>;
const Tones kCrownKinds[] = {
    {rgb(46, 66, 54), rgb(64, 90, 66), rgb(88, 116, 80), rgb(116, 140, 96)},
    {rgb(58, 66, 48), rgb(82, 92, 62), rgb(108, 118, 78), rgb(136, 142, 96)},
    {rgb(50, 66, 68), rgb(68, 88, 86), rgb(92, 112, 104), rgb(120, 136, 124)},
    {rgb(36, 56, 54), rgb(50, 74, 66), rgb(70, 96, 80), rgb(94, 118, 94)},
    {rgb(34, 50, 52), rgb(46, 64, 64), rgb(62, 84, 78), rgb(84, 104, 92)},
    {rgb(84, 66, 56), rgb(106, 84, 66), rgb(128, 104, 80), rgb(148, 124, 94)},
    {rgb(80, 96, 62), rgb(108, 122, 78), rgb(136, 146, 94), rgb(160, 164, 112)},
};
constexpr int kFir = 3, kDarkFir = 4, kRust = 5, kPale = 6;

bool isFir(int kind) { return kind == kFir || kind == kDarkFir; }

// The light comes from the upper left and a little above, as on the sunny stage.
constexpr float kLx = -0.48f, kLy = -0.56f, kLz = 0.67f;

float crownDistance(const Crown& c, Vec p) {
  Vec q = p - c.centre;
  float phase = static_cast<float>(c.seed % 628) / 100.0f;
  if (isFir(c.kind)) {
    int branches = 9 + static_cast<int>(c.seed % 3);
    return sdStar(p, c.centre, branches, c.radius, c.radius * 0.74f, phase);
  }
  float a = std::atan2(q.y, q.x);
  float r = c.radius * (1 + 0.08f * std::sin(5 * a + phase) + 0.05f * std::sin(8 * a + 2 * phase));
  return length(q) - r;
}

// A leafy dome: round shading plus clumps of leaves, each lit on its upper-left side.
float broadleafLight(const Crown& c, Vec p, float d) {
  Vec n = (p - c.centre) * (1.0f / c.radius);
  float z = std::sqrt(std::max(0.0f, 1 - dot(n, n)));
  float dome = n.x * kLx + n.y * kLy + z * kLz;
  float u = p.x / (0.42f * c.radius), v = p.y / (0.42f * c.radius);
  float clumps = valueNoise(u, v, c.seed) - valueNoise(u + 0.35f, v + 0.35f, c.seed);
  return 0.2f + 0.75f * dome + 1.3f * clumps - 0.3f * smoothstep(-2.5f, 0, d);
}

// A fir from above: a cone whose tiers of branches show as rings.
float firLight(const Crown& c, Vec p, float d) {
  Vec q = p - c.centre;
  float r = length(q) / c.radius;
  float side = r > 0.01f ? -(q.x * kLx + q.y * kLy) / length(q) : 0;
  float tiers = r * 3.2f - std::floor(r * 3.2f);
  return 0.5f - 0.45f * side * std::min(1.0f, r * 3) - 0.25f * smoothstep(0.6f, 1, tiers) +
         0.12f * std::clamp(-d / 3, 0.0f, 1.0f) + 0.3f * smoothstep(0.25f, 0, r);
}


int crownKind(Vec p, float s, float pick) {
  // Firs in groves, more of them in the hills north of the lake.
  float firs = 0.36f + 0.1f * smoothstep(0.45f, 0.7f, s);
  if (fbm(p.x / 300.0f, p.y / 300.0f, 2, 61) + 0.1f * (pick - 0.5f) < firs)
    return pick < 0.5f ? kFir : kDarkFir;
  if (pick > 0.99f) return kRust;
  if (pick > 0.96f) return kPale;
  float grove = fbm(p.x / 180.0f, p.y / 180.0f, 2, 62);
  return grove < 0.45f ? 0 : grove < 0.58f ? 1 : 2;
}

bool roomForTree(Vec c, float r) {
  if (lakeDepth(c.x, c.y) > -0.5f * r || poolDepth(c.x, c.y) > -r) return false;
  float hw = streamHalfWidth(c.y);
  if (hw > 0 && std::fabs(c.x - streamCentre(c.y)) < hw + 0.6f * r + 2) return false;
  if (hasPath(c.y) && std::fabs(c.x - pathCentre(c.y)) < 4 + 0.6f * r) return false;
  return !inClearing(c, r);
}

// A tuft of grass: three short dark blades.
void grassTuft(Image& img, Vec c) {
  for (float a : {-2.1f, -1.57f, -1.0f}) {
    Vec tip = c + Vec{std::cos(a) * 3.5f, std::sin(a) * 3.5f};
    fillShapeIn(img, boxAround(c, 5), [&](Vec p) { return sdTaper(p, c, tip, 0.7f, 0.2f); }, rgb(80, 98, 68));
  }
}

void wildflowers(Image& img, Vec c, Rng& rng) {
  static const Color kPetals[] = {rgb(200, 198, 182), rgb(198, 188, 132), rgb(186, 170, 176)};
  Color petal = kPetals[rng.below(3)];
  for (int i = 0; i < 4; ++i) {
    Vec f = c + Vec{rng.range(-5, 5), rng.range(-5, 5)};
    fillShapeIn(img, boxAround(f, 2), [&](Vec p) { return sdCircle(p, f, 1.0f); }, petal);
  }
}

// Meadows get tufts of grass, a few flowers and low bushes, so open ground is never bare.
void dressMeadows(Image& img) {
  Rng rng(708);
  for (float gy = 4; gy < kBackH; gy += 9)
    for (float gx = 4; gx < kBackW; gx += 9) {
      Vec c{gx + rng.range(-4, 4), gy + rng.range(-4, 4)};
      float pick = rng.uniform(), size = rng.uniform();
      uint32_t seed = rng.next();
      if (pick > 0.16f || !isMeadow(c.x, c.y) || isWater(c.x, c.y)) continue;
      if (lakeDepth(c.x, c.y) > -6 || !roomForTree(c, 3)) continue;
      if (pick < 0.11f) grassTuft(img, c);
      else if (pick < 0.14f) paintCrown(img, {c, 3 + 2.5f * size, seed % 2 ? 0 : 1, seed});
      else wildflowers(img, c, rng);
    }
}

}  // namespace

void paintCrown(Image& img, const Crown& c) {
  Vec shadow{c.radius * 0.45f + 2, c.radius * 0.55f + 2};
  auto shape = [&](Vec p) { return crownDistance(c, p); };
  castShadow(img, boxAround(c.centre, c.radius * 1.2f), shape, shadow, 0.3f, 1.5f);
  const Tones& tones = kCrownKinds[c.kind];
  paintShape(img, boxAround(c.centre, c.radius * 1.15f), shape, [&](Vec p, float d) {
    float lit = isFir(c.kind) ? firLight(c, p, d) : broadleafLight(c, p, d);
    // Flat steps, not dithered: the forest is most of the picture, and scattered dots cost bytes.
    return tones[std::clamp(static_cast<int>(lit * 3 + 0.5f), 0, 3)];
  });
}

void plantForest(Image& img) {
  dressMeadows(img);
  Rng rng(707);
  const float kStep = 14;
  for (float gy = 6; gy < kBackH; gy += kStep)
    for (float gx = 4; gx < kBackW + 8; gx += kStep) {
      Vec c{gx + rng.range(-5, 5), gy + rng.range(-5, 5)};
      float s = 1.0f - c.y / (kBackH - 1), pick = rng.uniform(), size = rng.uniform();
      uint32_t seed = rng.next();
      if (s > 0.99f) continue;  // hidden in the rain cloud
      bool grows = isMeadow(c.x, c.y) ? pick < 0.03f : pick > 0.05f;
      if (!grows) continue;
      int kind = crownKind(c, s, rng.uniform());
      float r = isFir(kind) ? 5.5f + 3.5f * size : 6.5f + 4.5f * size;
      if (roomForTree(c, r)) paintCrown(img, {c, r, kind, seed});
    }
}

}  // namespace fog
