// What the four stage backgrounds share: their size, the climb from bottom to top, hard stamps.
#include "backdrop.h"

#include <cmath>

#include "noise.h"

float posterize(float v, int levels, int x, int y) {
  float scaled = v * (levels - 1);
  float base = std::floor(scaled);
  float frac = scaled - base;
  // Only the middle fifth of a step is dithered; the rest is one flat colour.
  float t = std::clamp((frac - 0.4f) / 0.2f, 0.0f, 1.0f);
  float step = t > bayer4(x, y) ? 1.0f : 0.0f;
  return std::clamp((base + step) / (levels - 1), 0.0f, 1.0f);
}
