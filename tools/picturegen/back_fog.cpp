// Stage 1, a misty day: the map (lake, stream, path, pools) and the order of painting.
#include <cmath>
#include <cstdint>
#include <vector>

#include "art.h"
#include "backdrop.h"
#include "fog.h"
#include "noise.h"

namespace fog {

namespace {

float climbAt(float y) { return 1.0f - y / (kBackH - 1); }

// One of the lake's two basins, in pixels from its shore: a long oval with blunt ends,
// drifting a little sideways.
float basin(float x, float y, float from, float to, float width, float drift) {
  float middle = (rowAt(from) + rowAt(to)) / 2, half = (rowAt(from) - rowAt(to)) / 2;
  float u = (y - middle) / half;
  float centre = 320 + drift * std::sin(y / 1300.0f + from * 40);
  float beyond = std::max(0.0f, std::fabs(u) - 1) * half;  // past the basin's end it is dry land
  return width * std::sqrt(std::max(0.0f, 1 - u * u * u * u)) - std::fabs(x - centre) - 2 * beyond;
}

struct Island {
  float climb, x, rx, ry;
};

// From the south: a wooded island, two rocks, then a big island, an islet and a stone.
const Island kIslands[] = {{0.272f, 450, 62, 44}, {0.300f, 160, 26, 20}, {0.318f, 520, 16, 13},
                           {0.418f, 230, 80, 58}, {0.450f, 490, 26, 19}, {0.474f, 380, 14, 12}};

// Points of land reaching into the lake from the west (side -1) or the east (side 1).
struct Point {
  float climb, side, reach, width;
};
const Point kPoints[] = {{0.238f, -1, 230, 40}, {0.312f, 1, 250, 46}, {0.392f, -1, 200, 34}, {0.455f, 1, 270, 52}};

float pointDistance(float x, float y, const Point& p) {
  float root = p.side < 0 ? -20.0f : kBackW + 20.0f;
  Vec from{root, rowAt(p.climb) + 60}, to{root - p.side * p.reach, rowAt(p.climb)};
  return sdTaper({x, y}, from, to, p.width, p.width * 0.35f);
}

// Positive on the lake, roughly in pixels: two basins joined by a channel at the narrows,
// with bays and points along the shores.
float lakeField(float x, float y) {
  float f = std::max(basin(x, y, kLakeSouth, kNarrows - 0.006f, 260, 80),
                     basin(x, y, kNarrows + 0.006f, kLakeNorth, 250, 95));
  float along = (y - rowAt(kNarrows)) / 300;
  f = std::max(f, 46 * std::sqrt(std::max(0.0f, 1 - along * along)) - std::fabs(x - 318));
  for (const Island& i : kIslands) {
    Vec q{(x - i.x) / i.rx, (y - rowAt(i.climb)) / i.ry};
    f = std::min(f, (length(q) - 1) * std::min(i.rx, i.ry));
  }
  for (const Point& p : kPoints) f = std::min(f, pointDistance(x, y, p));
  float calm = 1 - 0.75f * std::exp(-along * along * 4);  // the narrows keep their shape
  float bays = 260 * (fbm(x / 180.0f, y / 180.0f, 4, 41) - 0.5f) + 30 * (fbm(x / 40.0f, y / 40.0f, 2, 42) - 0.5f);
  return f + calm * bays;
}

// Distance from every marked pixel to the nearest unmarked one, by two sweeps of a 3 x 3 chamfer.
std::vector<float> distanceInside(const std::vector<uint8_t>& marked, int w, int h) {
  std::vector<float> d(marked.size());
  for (size_t i = 0; i < d.size(); ++i) d[i] = marked[i] ? 1e9f : 0;
  const float kDiagonal = 1.41421f;
  auto relax = [&](int x, int y, int dx, int dy, float step) {
    int nx = x + dx, ny = y + dy;
    if (nx < 0 || ny < 0 || nx >= w || ny >= h) return;
    float& here = d[static_cast<size_t>(y) * w + x];
    here = std::min(here, d[static_cast<size_t>(ny) * w + nx] + step);
  };
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      relax(x, y, -1, 0, 1), relax(x, y, 0, -1, 1);
      relax(x, y, -1, -1, kDiagonal), relax(x, y, 1, -1, kDiagonal);
    }
  for (int y = h - 1; y >= 0; --y)
    for (int x = w - 1; x >= 0; --x) {
      relax(x, y, 1, 0, 1), relax(x, y, 0, 1, 1);
      relax(x, y, 1, 1, kDiagonal), relax(x, y, -1, 1, kDiagonal);
    }
  return d;
}

// The lake as a raster of signed distances to the shore, over the rows it can reach.
struct LakeMap {
  int top = static_cast<int>(rowAt(kLakeNorth + 0.06f));
  int bottom = static_cast<int>(rowAt(kLakeSouth - 0.06f));
  std::vector<float> depth;

  LakeMap() {
    int h = bottom - top;
    std::vector<uint8_t> water(static_cast<size_t>(kBackW) * h), land(water.size());
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < kBackW; ++x) {
        bool wet = lakeField(x + 0.5f, top + y + 0.5f) > 0;
        water[static_cast<size_t>(y) * kBackW + x] = wet;
        land[static_cast<size_t>(y) * kBackW + x] = !wet;
      }
    std::vector<float> toLand = distanceInside(water, kBackW, h);
    std::vector<float> toWater = distanceInside(land, kBackW, h);
    depth.resize(water.size());
    for (size_t i = 0; i < depth.size(); ++i) depth[i] = water[i] ? toLand[i] - 0.5f : 0.5f - toWater[i];
  }
};

// The row where the stream, followed from a row in the given direction, runs into the lake.
float mouthOf(float fromRow, float step) {
  float y = fromRow;
  while (lakeDepth(streamCentre(y), y) < 4 && y > 0 && y < kBackH) y += step;
  return y;
}

}  // namespace

float rowAt(float s) { return (1.0f - s) * (kBackH - 1); }

float lakeDepth(float x, float y) {
  static const LakeMap map;
  int row = static_cast<int>(std::floor(y));
  if (row < map.top) return -static_cast<float>(map.top - row) - 300;
  if (row >= map.bottom) return -static_cast<float>(row - map.bottom) - 300;
  int column = std::clamp(static_cast<int>(std::floor(x)), 0, kBackW - 1);
  return map.depth[static_cast<size_t>(row - map.top) * kBackW + column];
}

float streamCentre(float y) {
  float x = 320 + 140 * std::sin(y / 950.0f + 0.7f) + 45 * std::sin(y / 330.0f + 2.1f) +
            22 * std::sin(y / 130.0f + 0.4f) + 16 * (fbm(y / 60.0f, 1.5f, 2, 51) - 0.5f);
  return std::clamp(x, 40.0f, 600.0f);
}

float streamHalfWidth(float y) {
  static const float southMouth = mouthOf(rowAt(kLakeSouth - 0.05f), -1);
  static const float northMouth = mouthOf(rowAt(kLakeNorth + 0.05f), 1);
  float s = climbAt(y);
  float w = 3.5f + 5 * fbm(y / 260.0f, 0.5f, 2, 52);
  if (y >= southMouth) return w + 5 * smoothstep(kLakeSouth - 0.06f, kLakeSouth, s);
  // Above the lake the stream comes down from the hills, thin at its spring.
  if (y <= northMouth && s < 0.86f)
    return w * smoothstep(0.87f, 0.80f, s) + 3 * smoothstep(kLakeNorth + 0.04f, kLakeNorth, s);
  return 0;
}

float pathCentre(float y) {
  // Mirrored against the stream's big bends, so the two cross now and then instead of
  // running side by side.
  float x = 320 - 140 * std::sin(y / 950.0f + 0.7f) + 40 * std::sin(y / 500.0f + 1.3f) +
            22 * std::sin(y / 190.0f + 1);
  return std::clamp(x, 30.0f, 610.0f);
}

bool hasPath(float y) {
  const Landmarks& m = landmarks();
  return y >= m.southJetty.y || (y <= m.northJetty.y && y >= m.woodshed.y);
}

float poolDepth(float x, float y) {
  float s = climbAt(y);
  float marsh = smoothstep(0.13f, 0.17f, s) * smoothstep(kLakeSouth + 0.01f, kLakeSouth - 0.01f, s);
  if (marsh <= 0) return -100;
  return (fbm(x / 90.0f, y / 70.0f, 3, 53) - 0.69f + 0.1f * (1 - marsh)) * 140;
}

bool isWater(float x, float y) {
  float hw = streamHalfWidth(y);
  return lakeDepth(x, y) > 0 || (hw > 0 && std::fabs(x - streamCentre(y)) < hw) || poolDepth(x, y) > 0;
}

}  // namespace fog

Image paintBackFog() {
  Image img(kBackW, kBackH);
  fog::paintGround(img);
  fog::paintWaterLife(img);
  fog::buildPlaces(img);
  fog::plantForest(img);
  fog::paintWeather(img);
  return img;
}
