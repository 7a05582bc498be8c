// What the four stage backgrounds share: their size, the climb from bottom to top, hard stamps.
#pragma once

#include "image.h"
#include "shape.h"

constexpr int kBackW = 640;
constexpr int kBackH = 19680;

// How far up the journey a row is: 0 at the bottom row (where a stage starts), 1 at the top.
inline float climbOf(int y) { return 1.0f - static_cast<float>(y) / (kBackH - 1); }
inline int rowOfClimb(float s) { return static_cast<int>((1.0f - s) * (kBackH - 1)); }

// A hard-edged shape (no soft rim), for pixel-art backgrounds that must compress well.
template <class Distance>
void stamp(Image& img, Box box, Distance distance, Color c) {
  fillShapeIn(img, box, distance, c, 0.001f);
}

// Steps a 0..1 value into n flat levels, dithering only close to a step so flat areas stay flat.
float posterize(float v, int levels, int x, int y);
