// Shapes as signed distances (negative inside, in pixels) and the painter that fills them.
#pragma once

#include <algorithm>
#include <cmath>
#include <span>
#include <vector>

#include "image.h"

struct Vec {
  float x = 0, y = 0;
};
inline Vec operator+(Vec a, Vec b) { return {a.x + b.x, a.y + b.y}; }
inline Vec operator-(Vec a, Vec b) { return {a.x - b.x, a.y - b.y}; }
inline Vec operator*(Vec a, float k) { return {a.x * k, a.y * k}; }
inline float dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y; }
inline float length(Vec a) { return std::sqrt(a.x * a.x + a.y * a.y); }
inline Vec rotate(Vec a, float radians) {
  float c = std::cos(radians), s = std::sin(radians);
  return {a.x * c - a.y * s, a.x * s + a.y * c};
}

constexpr float kPi = 3.14159265358979f;

float sdCircle(Vec p, Vec centre, float radius);
float sdEllipse(Vec p, Vec centre, float rx, float ry);
float sdBox(Vec p, Vec centre, Vec half, float round = 0);
float sdSegment(Vec p, Vec a, Vec b, float radius);
// A stroke from a (radius ra) to b (radius rb), like a cone with round ends.
float sdTaper(Vec p, Vec a, Vec b, float ra, float rb);
float sdPolygon(Vec p, std::span<const Vec> points);
// A star with n points between the inner and outer radius, first point at angle.
float sdStar(Vec p, Vec centre, int n, float outer, float inner, float angle = -kPi / 2);

// A frame that places a drawing: local point -> picture point by scale, turn, then move.
struct Frame {
  Vec origin;
  float angle = 0;
  float scale = 1;
  Vec toLocal(Vec p) const { return rotate(p - origin, -angle) * (1.0f / scale); }
  Vec toPicture(Vec local) const { return origin + rotate(local * scale, angle); }
};

// Fills every pixel whose centre the shape covers, softening the rim over one pixel.
// colorAt(p, d) gives the colour at picture point p with signed distance d.
template <class Distance, class ColorAt>
void paintShape(Image& img, Box box, Distance distance, ColorAt colorAt, float softness = 1.0f) {
  int x0 = std::max(0, box.x0), y0 = std::max(0, box.y0);
  int x1 = std::min(img.w, box.x1), y1 = std::min(img.h, box.y1);
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) {
      Vec p{x + 0.5f, y + 0.5f};
      float d = distance(p);
      float cover = std::clamp(0.5f - d / softness, 0.0f, 1.0f);
      if (cover > 0) img.blend(x, y, colorAt(p, d), cover);
    }
}

template <class Distance>
void fillShape(Image& img, Distance distance, Color c, float softness = 1.0f) {
  paintShape(img, Box{0, 0, img.w, img.h}, distance, [c](Vec, float) { return c; }, softness);
}

template <class Distance>
void fillShapeIn(Image& img, Box box, Distance distance, Color c, float softness = 1.0f) {
  paintShape(img, box, distance, [c](Vec, float) { return c; }, softness);
}

Box boxAround(Vec centre, float radius);

// Straight-line polyline helper: thick line of segments with round joints.
void strokePolyline(Image& img, std::span<const Vec> points, float width, Color c);
