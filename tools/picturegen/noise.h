// Seeded random numbers and smooth noise, so every run paints the same pictures.
#pragma once

#include <cstdint>

// A small, fixed generator (splitmix64): the same seed gives the same numbers on any machine.
class Rng {
 public:
  explicit Rng(uint64_t seed) : state_(seed) {}
  uint32_t next();
  float uniform();                   // 0 <= v < 1
  float range(float lo, float hi);   // lo <= v < hi
  int below(int n);                  // 0 <= v < n
  bool chance(float p) { return uniform() < p; }

 private:
  uint64_t state_;
};

float hash01(int x, int y, uint32_t seed);
// Smooth value noise, 0..1, one feature per unit.
float valueNoise(float x, float y, uint32_t seed);
// Several octaves of value noise, 0..1.
float fbm(float x, float y, int octaves, uint32_t seed);
float smoothstep(float e0, float e1, float x);
// Ordered-dither threshold 0..1 for a pixel (4 x 4 Bayer matrix).
float bayer4(int x, int y);
