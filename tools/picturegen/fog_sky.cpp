// Stage 1, a misty day: the veil of mist, banks of mist drifting across, and the low rain cloud.
#include <algorithm>
#include <cmath>
#include <vector>

#include "backdrop.h"
#include "fog.h"
#include "noise.h"

namespace fog {

namespace {

const Color kVeil = rgb(170, 176, 178), kBank = rgb(192, 196, 196), kOvercast = rgb(112, 118, 128);
// Cloud tones, shade to light: the grey low cloud, and the darker rain cloud above it.
const Color kCloud[5] = {rgb(124, 130, 138), rgb(140, 146, 152), rgb(154, 160, 164), rgb(168, 172, 175),
                         rgb(180, 184, 186)};
const Color kRain[5] = {rgb(96, 102, 112), rgb(108, 114, 124), rgb(120, 126, 134), rgb(132, 137, 144),
                        rgb(144, 148, 154)};
constexpr float kLx = -0.48f, kLy = -0.56f, kLz = 0.67f;

float climbAt(float y) { return 1.0f - y / (kBackH - 1); }

// The cloud threshold at a height (lower means more cloud): none over the lake, a few
// heaps over the hills, then thicker until the rain cloud closes.
float cloudEdge(float s) {
  static const float kStops[][2] = {{0.0f, 1.2f},  {kCloudStart, 1.0f}, {0.68f, 0.66f},
                                    {0.80f, 0.54f}, {kRainCloud, 0.42f}, {1.0f, 0.26f}};
  if (s <= kStops[0][0]) return kStops[0][1];
  for (int i = 1; i < 6; ++i)
    if (s <= kStops[i][0]) {
      float k = (s - kStops[i - 1][0]) / (kStops[i][0] - kStops[i - 1][0]);
      return kStops[i - 1][1] + (kStops[i][1] - kStops[i - 1][1]) * smoothstep(0, 1, k);
    }
  return kStops[5][1];
}

float cloudDensity(float x, float y) { return fbm(x / 260.0f, y / 160.0f, 5, 81); }

// A cloud is a heap of round puffs; the thickest part of a heap stands highest.
struct Puff {
  Vec centre;
  float radius, base;
};

std::vector<Puff> gatherPuffs() {
  std::vector<Puff> out;
  Rng rng(84);
  const float kStep = 22;
  for (float gy = -50; gy < rowAt(kCloudStart - 0.02f); gy += kStep)
    for (float gx = -30; gx < kBackW + 30; gx += kStep) {
      Vec c{gx + rng.range(-10, 10), gy + rng.range(-10, 10)};
      float size = rng.uniform();
      float thick = cloudDensity(c.x, c.y) - cloudEdge(climbAt(c.y));
      if (thick >= 0) out.push_back({c, std::min(14 + 160 * thick, 52.0f) * (0.75f + 0.4f * size), 240 * thick});
    }
  return out;
}

// A running-sum box blur along each row, then along each column; edges repeat their last value.
void blurRows(std::vector<float>& v, int w, int h, int radius) {
  std::vector<float> line(w);
  for (int y = 0; y < h; ++y) {
    float* row = &v[static_cast<size_t>(y) * w];
    float sum = 0;
    for (int k = -radius; k <= radius; ++k) sum += row[std::clamp(k, 0, w - 1)];
    for (int x = 0; x < w; ++x) {
      line[x] = sum / (2 * radius + 1);
      sum += row[std::min(x + radius + 1, w - 1)] - row[std::max(x - radius, 0)];
    }
    std::copy(line.begin(), line.end(), row);
  }
}

void blurColumns(std::vector<float>& v, int w, int h, int radius) {
  std::vector<float> line(h);
  for (int x = 0; x < w; ++x) {
    auto at = [&](int y) { return v[static_cast<size_t>(std::clamp(y, 0, h - 1)) * w + x]; };
    float sum = 0;
    for (int k = -radius; k <= radius; ++k) sum += at(k);
    for (int y = 0; y < h; ++y) {
      line[y] = sum / (2 * radius + 1);
      sum += at(y + radius + 1) - at(y - radius);
    }
    for (int y = 0; y < h; ++y) v[static_cast<size_t>(y) * w + x] = line[y];
  }
}

// The top of the cloud layer: each puff a dome, and at every pixel the highest one.
// `inside` says how far a pixel lies within its widest puff, for the soft silhouette.
struct CloudTop {
  int rows = 0;
  std::vector<float> height, inside;
  size_t at(int x, int y) const { return static_cast<size_t>(y) * kBackW + x; }
};

CloudTop raiseClouds(const std::vector<Puff>& puffs, int rows) {
  CloudTop top;
  top.rows = rows;
  top.height.assign(static_cast<size_t>(kBackW) * rows, 0);
  top.inside.assign(top.height.size(), -1e9f);
  for (const Puff& puff : puffs) {
    Box b = boxAround(puff.centre, puff.radius + 8);
    for (int y = std::max(0, b.y0); y < std::min(rows, b.y1); ++y)
      for (int x = std::max(0, b.x0); x < std::min(kBackW, b.x1); ++x) {
        float d = length(Vec{x + 0.5f, y + 0.5f} - puff.centre), t = d / puff.radius;
        float& inside = top.inside[top.at(x, y)];
        inside = std::max(inside, puff.radius - d);
        float bump = 16 + puff.base + puff.radius * 0.7f * std::sqrt(std::max(0.0f, 1 - t * t));
        if (t < 1) top.height[top.at(x, y)] = std::max(top.height[top.at(x, y)], bump);
      }
  }
  // Rounding the heap off makes it soft and pillowy instead of a pile of stones.
  for (int pass = 0; pass < 2; ++pass) {
    blurRows(top.height, kBackW, rows, 5);
    blurColumns(top.height, kBackW, rows, 5);
  }
  return top;
}

// Light on the cloud top from the slope of its height, in five soft steps.
Color cloudTone(const CloudTop& top, int x, int y) {
  float h = top.height[top.at(x, y)];
  auto near = [&](int nx, int ny) {
    if (nx < 0 || ny < 0 || nx >= kBackW || ny >= top.rows) return h;
    return top.height[top.at(nx, ny)];
  };
  float hx = (near(x + 1, y) - near(x - 1, y)) / 2, hy = (near(x, y + 1) - near(x, y - 1)) / 2;
  float lit = (-hx * kLx - hy * kLy + kLz) / std::sqrt(hx * hx + hy * hy + 1);
  float s = climbAt(static_cast<float>(y)), rain = smoothstep(0.80f, 0.97f, s);
  // A flat top sits in the middle of a step, so wide flat stretches are not dithered.
  float level = std::clamp(0.5f + (lit - kLz) * (1.6f - 0.6f * rain), 0.0f, 1.0f);
  int tone = static_cast<int>(posterize(level, 5, x, y) * 4 + 0.5f);
  return mix(kCloud[tone], kRain[tone], rain);
}

void paintClouds(Image& img) {
  CloudTop top = raiseClouds(gatherPuffs(), static_cast<int>(rowAt(kCloudStart - 0.02f)) + 60);
  for (int y = 0; y < top.rows; ++y)
    for (int x = 0; x < kBackW; ++x) {
      float inside = top.inside[top.at(x, y)];
      if (inside < -6) continue;
      if (inside < 0) {  // a faint fringe of mist around every cloud
        float rain = smoothstep(0.80f, 0.97f, climbAt(static_cast<float>(y)));
        img.at(x, y) = mix(img.at(x, y), mix(kCloud[2], kRain[2], rain), 0.3f * (1 + inside / 6));
        continue;
      }
      img.at(x, y) = mix(img.at(x, y), cloudTone(top, x, y), std::min(1.0f, 0.3f + inside / 2));
    }
}

struct MistBank {
  float row, slope, thickness, strength, phase;
  uint32_t seed;
};

// Long soft bands of mist lying across the land and the lake, every so often.
std::vector<MistBank> mistBanks() {
  std::vector<MistBank> out;
  Rng rng(82);
  for (float s = 0.03f; s < kRainCloud; s += rng.range(0.045f, 0.08f))
    out.push_back({rowAt(s), rng.range(-0.3f, 0.3f), rng.range(40, 110), rng.range(0.22f, 0.42f),
                   rng.range(0, 6.28f), rng.next()});
  return out;
}

float mistAt(const std::vector<MistBank>& banks, int x, int y) {
  float total = 0;
  for (const MistBank& b : banks) {
    float centre = b.row + b.slope * (x - 320) + 50 * std::sin(x / 170.0f + b.phase);
    float t = (y - centre) / b.thickness;
    if (std::fabs(t) > 2.5f) continue;
    float wisps = fbm(x / 150.0f, y / 45.0f, 3, b.seed);
    total += b.strength * std::exp(-t * t) * std::clamp(1 + 1.4f * (wisps - 0.5f), 0.0f, 1.2f);
  }
  return std::min(total, 0.5f);
}

// The whole picture sits in a thin mist, thicker the higher the climb.
float veilAt(int x, int y, float s) {
  return 0.16f + 0.1f * smoothstep(0.3f, 0.7f, s) + 0.2f * smoothstep(0.65f, 0.9f, s) +
         0.12f * fbm(x / 320.0f, y / 240.0f, 3, 83);
}

Color weatherOver(Color ground, int x, int y, const std::vector<MistBank>& banks) {
  float s = climbAt(static_cast<float>(y));
  Color c = ground;
  if (cloudDensity(x - 34.0f, y - 44.0f) > cloudEdge(s)) c = scaleRgb(c, 0.82f);  // the cloud's shadow
  c = mix(c, kVeil, veilAt(x, y, s));
  c = mix(c, kBank, mistAt(banks, x, y));
  return mix(c, kOvercast, smoothstep(0.86f, 0.94f, s));
}

// The last rows meet the first when the scroll ends: they fade into a mirror of the top rows.
void closeTheWrap(Image& img, int rows) {
  for (int k = 0; k < rows; ++k) {
    float weight = smoothstep(static_cast<float>(rows), 0, static_cast<float>(k));
    for (int x = 0; x < img.w; ++x) {
      Color& bottom = img.at(x, img.h - 1 - k);
      bottom = mix(bottom, img.at(x, k), weight);
    }
  }
}

}  // namespace

void paintWeather(Image& img) {
  std::vector<MistBank> banks = mistBanks();
  for (int y = 0; y < img.h; ++y)
    for (int x = 0; x < img.w; ++x) img.at(x, y) = weatherOver(img.at(x, y), x, y, banks);
  paintClouds(img);
  closeTheWrap(img, 40);
}

}  // namespace fog
