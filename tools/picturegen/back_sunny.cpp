// Stage 0, a sunny day: town and meadows seen from above, then clouds, then the deep blue sky.
#include <cmath>

#include "art.h"
#include "backdrop.h"
#include "noise.h"
#include "scenery.h"

namespace {

// Where the journey changes, as climb values (0 bottom, 1 top).
const float kTownEnd = 0.10f;      // houses thin out into fields above this
const float kGroundEnd = 0.56f;    // above this only sky and clouds
const float kHazeStart = 0.30f;    // the ground starts to fade into the distance

// The ground's flat colours.
const Color kGrass[3] = {rgb(96, 156, 76), rgb(108, 170, 84), rgb(122, 182, 92)};
const Color kHedge = rgb(62, 118, 66);
const Color kWater = rgb(86, 146, 194), kRipple = rgb(124, 180, 214), kBank = rgb(196, 182, 134);
const Color kStreet = rgb(172, 164, 150), kKerb = rgb(196, 190, 174);
const Color kHaze = rgb(176, 204, 228);

float riverCentre(int y) {
  return 320 + 210 * std::sin(y / 1500.0f) + 60 * std::sin(y / 530.0f + 1);
}

// Fields: a patchwork of parcels with crop rows, hedges along the edges.
Color fieldColour(int x, int y) {
  float wx = x + 14 * (valueNoise(x / 60.0f, y / 60.0f, 3) - 0.5f);
  float wy = y + 14 * (valueNoise(x / 60.0f, y / 60.0f, 4) - 0.5f);
  int cx = static_cast<int>(std::floor(wx / 104)), cy = static_cast<int>(std::floor(wy / 80));
  float fx = wx - cx * 104.0f, fy = wy - cy * 80.0f;
  if (fx < 2 || fy < 2) return kHedge;
  int kind = static_cast<int>(hash01(cx, cy, 11) * 6);
  bool rows = hash01(cx, cy, 12) < 0.5f ? (static_cast<int>(fx) % 6 < 2) : (static_cast<int>(fy) % 6 < 2);
  static const Color kCrops[6][2] = {
      {rgb(108, 170, 84), rgb(108, 170, 84)},   // meadow
      {rgb(204, 188, 100), rgb(186, 170, 88)},  // wheat
      {rgb(146, 192, 92), rgb(128, 178, 84)},   // young crops
      {rgb(164, 128, 88), rgb(148, 114, 78)},   // ploughed
      {rgb(122, 182, 92), rgb(122, 182, 92)},   // pasture
      {rgb(176, 196, 104), rgb(160, 184, 96)},  // hay
  };
  return kCrops[kind][rows ? 1 : 0];
}

Color grassColour(int x, int y, float s) {
  float n = fbm(x / 90.0f, y / 90.0f, 3, 5);
  Color base = kGrass[std::clamp(static_cast<int>(posterize(n, 3, x, y) * 2.999f), 0, 2)];
  // Fields take over from plain grass once the town is left behind.
  float fields = smoothstep(kTownEnd, kTownEnd + 0.05f, s) * smoothstep(0.52f, 0.40f, s);
  if (fbm(x / 300.0f, y / 300.0f, 2, 6) < fields * 0.9f) return fieldColour(x, y);
  // Little flowers scattered in the grass.
  if (hash01(x / 2, y / 2, 7) > 0.996f) return hash01(x, y, 8) > 0.5f ? rgb(248, 236, 150) : rgb(240, 160, 190);
  return base;
}

Color riverColour(int x, int y, Color ground) {
  float d = std::fabs(x - riverCentre(y));
  float half = 22 + 6 * std::sin(y / 700.0f);
  if (d > half + 3) return ground;
  if (d > half) return kBank;
  return (hash01(x / 6, y / 2, 9) > 0.93f) ? kRipple : kWater;
}

bool onStreet(int x, int y, float s) {
  if (s > kTownEnd + 0.02f) return false;
  int bx = ((x + 20) % 136 + 136) % 136, by = y % 112;
  return bx < 12 || by < 12;
}

void paintGround(Image& img) {
  int top = rowOfClimb(kGroundEnd);
  for (int y = top; y < kBackH; ++y) {
    float s = climbOf(y);
    for (int x = 0; x < kBackW; ++x) {
      Color c = riverColour(x, y, grassColour(x, y, s));
      if (onStreet(x, y, s)) c = (((x + 20) % 136 + 136) % 136 == 1 || y % 112 == 1) ? kKerb : kStreet;
      img.at(x, y) = c;
    }
  }
}

// Roofs seen from above: the half facing the light is brighter, a shadow falls to the lower right.
void stampHouse(Image& img, Vec c, Vec half, Color lit, Color shade, bool ridgeAcross) {
  Color shadow = scaleRgb(img.at(std::clamp(static_cast<int>(c.x), 0, kBackW - 1),
                                 std::clamp(static_cast<int>(c.y + half.y + 2), 0, kBackH - 1)), 0.72f);
  Box box = boxAround(c, std::max(half.x, half.y) + 5);
  stamp(img, box, [&](Vec p) { return sdBox(p, c + Vec{3, 3}, half); }, shadow);
  stamp(img, box, [&](Vec p) { return sdBox(p, c, half); }, shade);
  if (ridgeAcross) stamp(img, box, [&](Vec p) { return sdBox(p, c - Vec{0, half.y / 2}, {half.x, half.y / 2}); }, lit);
  else stamp(img, box, [&](Vec p) { return sdBox(p, c - Vec{half.x / 2, 0}, {half.x / 2, half.y}); }, lit);
  stamp(img, box, [&](Vec p) { return sdBox(p, c + Vec{half.x * 0.5f, -half.y * 0.4f}, {2, 2}); }, rgb(120, 90, 80));
}

void stampTown(Image& img) {
  static const Color kRoofs[4][2] = {{rgb(214, 116, 88), rgb(170, 86, 70)}, {rgb(98, 132, 192), rgb(72, 102, 160)},
                                     {rgb(80, 164, 160), rgb(58, 128, 130)}, {rgb(170, 126, 96), rgb(132, 96, 76)}};
  Rng rng(404);
  for (int by = kBackH - 112; by > rowOfClimb(kTownEnd + 0.03f); by -= 112)
    for (int bx = -20; bx < kBackW; bx += 136)
      for (int k = 0; k < 4; ++k) {
        float s = climbOf(by);
        Vec c{bx + 12 + 31.0f + (k % 2) * 62, by + 12 + 25.0f + (k / 2) * 50.0f};
        bool keep = rng.uniform() > std::max(0.1f, (s / kTownEnd - 0.4f)) && std::fabs(c.x - riverCentre(static_cast<int>(c.y))) > 52;
        const Color* roof = kRoofs[rng.below(4)];
        Vec half{rng.range(16, 24), rng.range(12, 18)};
        if (keep) stampHouse(img, c, half, roof[0], roof[1], rng.chance(0.5f));
      }
}

void stampTree(Image& img, Vec c, float r) {
  Box box = boxAround(c, r + 4);
  Color under = img.at(std::clamp(static_cast<int>(c.x), 0, kBackW - 1), std::clamp(static_cast<int>(c.y), 0, kBackH - 1));
  stamp(img, box, [&](Vec p) { return sdCircle(p, c + Vec{3, 3}, r); }, scaleRgb(under, 0.7f));
  stamp(img, box, [&](Vec p) { return sdCircle(p, c, r); }, rgb(56, 118, 70));
  stamp(img, box, [&](Vec p) { return sdCircle(p, c - Vec{r * 0.25f, r * 0.25f}, r * 0.65f); }, rgb(78, 146, 80));
  stamp(img, box, [&](Vec p) { return sdCircle(p, c - Vec{r * 0.4f, r * 0.4f}, r * 0.3f); }, rgb(112, 172, 96));
}

void stampTrees(Image& img) {
  Rng rng(505);
  for (int y = kBackH - 8; y > rowOfClimb(kGroundEnd - 0.03f); y -= 13)
    for (int x = 4; x < kBackW; x += 13) {
      Vec c{x + rng.range(-4, 4), y + rng.range(-4, 4)};
      float forest = fbm(c.x / 220.0f, c.y / 220.0f, 3, 21);
      bool clear = std::fabs(c.x - riverCentre(static_cast<int>(c.y))) > 36 && !onStreet(static_cast<int>(c.x), static_cast<int>(c.y), climbOf(static_cast<int>(c.y)));
      if (clear && (forest > 0.6f || rng.chance(0.012f))) stampTree(img, c, rng.range(5, 8));
    }
}

// With height the land fades into a pale haze, in a few flat steps.
void hazeGround(Image& img) {
  for (int y = rowOfClimb(kGroundEnd); y < rowOfClimb(kHazeStart); ++y) {
    float k = smoothstep(kHazeStart, kGroundEnd, climbOf(y));
    for (int x = 0; x < kBackW; ++x) img.at(x, y) = mix(img.at(x, y), kHaze, posterize(k, 6, x, y) * 0.85f);
  }
}

const Stops kSky = {{0.0f, kHaze}, {0.58f, kHaze}, {0.70f, rgb(128, 176, 228)}, {0.86f, rgb(76, 122, 204)}, {1.0f, rgb(46, 74, 164)}};

void paintSky(Image& img) {
  for (int y = 0; y < rowOfClimb(kGroundEnd); ++y) {
    float s = climbOf(y);
    for (int x = 0; x < kBackW; ++x) {
      float t = posterize((s - kGroundEnd) / (1 - kGroundEnd), 28, x, y);
      img.at(x, y) = gradientAt(kSky, kGroundEnd + t * (1 - kGroundEnd));
    }
  }
  Rng rng(606);
  for (int i = 0; i < 260; ++i) {
    int y = static_cast<int>(rng.range(0, 0.1f) * kBackH), x = rng.below(kBackW);
    float k = 1 - y / (0.1f * kBackH);
    img.at(x, y) = mix(img.at(x, y), rgb(220, 230, 255), 0.4f + 0.5f * k);
  }
}

// The cloud threshold at a height (lower means more cloud): a few over the land, a sea of
// cloud to climb through, then scattered clouds thinning out in the deep sky.
float cloudEdge(float s) {
  static const float kStops[][2] = {
      {0.00f, 0.70f}, {0.25f, 0.70f}, {0.46f, 0.40f}, {0.55f, 0.40f},
      {0.66f, 0.62f}, {0.88f, 0.68f}, {1.00f, 0.76f}};
  for (int i = 1; i < 7; ++i)
    if (s <= kStops[i][0]) {
      float k = (s - kStops[i - 1][0]) / (kStops[i][0] - kStops[i - 1][0]);
      return kStops[i - 1][1] + (kStops[i][1] - kStops[i - 1][1]) * smoothstep(0, 1, k);
    }
  return kStops[6][1];
}

// Low down the clouds are round heaps; high up they stretch into long streaks.
float cloudDensity(int x, int y) {
  float stretch = 1 + 2.5f * smoothstep(0.6f, 0.9f, climbOf(std::clamp(y, 0, kBackH - 1)));
  return fbm(x / (230.0f * stretch), y / 150.0f, 4, 31);
}

void paintClouds(Image& img) {
  static const Color kTones[3] = {rgb(172, 188, 218), rgb(200, 212, 234), rgb(224, 232, 244)};
  for (int y = 0; y < kBackH; ++y) {
    float edge = cloudEdge(climbOf(y));
    for (int x = 0; x < kBackW; ++x) {
      float d = cloudDensity(x, y);
      float lit = d - cloudDensity(x - 10, y - 14);
      if (d > edge) {
        int tone = lit < -0.02f ? 2 : lit < 0.03f ? 1 : 0;
        if (d < edge + 0.012f) tone = std::min(tone, 1);
        img.at(x, y) = kTones[tone];
      } else if (climbOf(y) < kGroundEnd && cloudDensity(x - 34, y - 44) > edge) {
        img.at(x, y) = scaleRgb(img.at(x, y), 0.8f);  // the cloud's shadow on the land
      }
    }
  }
}

}  // namespace

Image paintBackSunny() {
  Image img(kBackW, kBackH);
  paintGround(img);
  stampTrees(img);
  stampTown(img);
  hazeGround(img);
  paintSky(img);
  paintClouds(img);
  return img;
}
