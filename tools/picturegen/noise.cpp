// Seeded random numbers and smooth noise, so every run paints the same pictures.
#include "noise.h"

#include <algorithm>
#include <cmath>

uint32_t Rng::next() {
  state_ += 0x9E3779B97F4A7C15ull;
  uint64_t z = state_;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return static_cast<uint32_t>((z ^ (z >> 31)) >> 32);
}

float Rng::uniform() { return (next() >> 8) * (1.0f / 16777216.0f); }

float Rng::range(float lo, float hi) { return lo + (hi - lo) * uniform(); }

int Rng::below(int n) { return static_cast<int>(uniform() * n) % n; }

float hash01(int x, int y, uint32_t seed) {
  uint32_t h = static_cast<uint32_t>(x) * 0x8DA6B343u ^ static_cast<uint32_t>(y) * 0xD8163841u ^
               seed * 0xCB1AB31Fu;
  h ^= h >> 13;
  h *= 0x5BD1E995u;
  h ^= h >> 15;
  return (h & 0xFFFFFF) * (1.0f / 16777216.0f);
}

float smoothstep(float e0, float e1, float x) {
  float t = std::clamp((x - e0) / (e1 - e0), 0.0f, 1.0f);
  return t * t * (3 - 2 * t);
}

float valueNoise(float x, float y, uint32_t seed) {
  int xi = static_cast<int>(std::floor(x)), yi = static_cast<int>(std::floor(y));
  float fx = x - xi, fy = y - yi;
  float sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
  float a = hash01(xi, yi, seed), b = hash01(xi + 1, yi, seed);
  float c = hash01(xi, yi + 1, seed), d = hash01(xi + 1, yi + 1, seed);
  return (a + (b - a) * sx) + ((c + (d - c) * sx) - (a + (b - a) * sx)) * sy;
}

float fbm(float x, float y, int octaves, uint32_t seed) {
  float sum = 0, amp = 0.5f, norm = 0;
  for (int i = 0; i < octaves; ++i) {
    sum += valueNoise(x, y, seed + i * 101u) * amp;
    norm += amp;
    x = x * 2.03f + 17.1f;
    y = y * 2.03f + 5.3f;
    amp *= 0.5f;
  }
  return sum / norm;
}

float bayer4(int x, int y) {
  static const int m[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
  return (m[y & 3][x & 3] + 0.5f) / 16.0f;
}
