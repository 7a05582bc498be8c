// Shapes as signed distances (negative inside, in pixels) and the painter that fills them.
#include "shape.h"

float sdCircle(Vec p, Vec centre, float radius) { return length(p - centre) - radius; }

float sdEllipse(Vec p, Vec centre, float rx, float ry) {
  // Scaled-circle distance, corrected by the gradient so the rim stays about one pixel wide.
  Vec q{(p.x - centre.x) / rx, (p.y - centre.y) / ry};
  float k = length(q);
  Vec grad{q.x / rx, q.y / ry};
  float g = length(grad);
  if (g < 1e-6f) return -std::min(rx, ry);
  return (k - 1) * k / g;
}

float sdBox(Vec p, Vec centre, Vec half, float round) {
  Vec d{std::fabs(p.x - centre.x) - half.x + round, std::fabs(p.y - centre.y) - half.y + round};
  Vec outside{std::max(d.x, 0.0f), std::max(d.y, 0.0f)};
  return length(outside) + std::min(std::max(d.x, d.y), 0.0f) - round;
}

float sdSegment(Vec p, Vec a, Vec b, float radius) {
  Vec pa = p - a, ba = b - a;
  float len2 = dot(ba, ba);
  float h = len2 > 0 ? std::clamp(dot(pa, ba) / len2, 0.0f, 1.0f) : 0.0f;
  return length(pa - ba * h) - radius;
}

float sdTaper(Vec p, Vec a, Vec b, float ra, float rb) {
  Vec ba = b - a;
  float len2 = dot(ba, ba);
  float t = len2 > 0 ? std::clamp(dot(p - a, ba) / len2, 0.0f, 1.0f) : 0.0f;
  return length(p - (a + ba * t)) - (ra + (rb - ra) * t);
}

float sdPolygon(Vec p, std::span<const Vec> v) {
  float d = dot(p - v[0], p - v[0]);
  float s = 1;
  for (size_t i = 0, j = v.size() - 1; i < v.size(); j = i, ++i) {
    Vec e = v[j] - v[i], w = p - v[i];
    float h = std::clamp(dot(w, e) / dot(e, e), 0.0f, 1.0f);
    Vec b = w - e * h;
    d = std::min(d, dot(b, b));
    bool c1 = p.y >= v[i].y, c2 = p.y < v[j].y, c3 = e.x * w.y > e.y * w.x;
    if ((c1 && c2 && c3) || (!c1 && !c2 && !c3)) s = -s;
  }
  return s * std::sqrt(d);
}

float sdStar(Vec p, Vec centre, int n, float outer, float inner, float angle) {
  // Fold the point into one half-spike, then measure to the edge from tip to notch.
  Vec q = rotate(p - centre, -angle);
  float sector = 2 * kPi / n;
  float a = std::atan2(q.y, q.x) + sector * 0.5f;
  a = std::fabs(a - sector * std::floor(a / sector) - sector * 0.5f);
  float r = length(q);
  Vec f{r * std::cos(a), r * std::sin(a)};
  Vec tip{outer, 0}, notch{inner * std::cos(sector / 2), inner * std::sin(sector / 2)};
  Vec e = notch - tip, w = f - tip;
  float h = std::clamp(dot(w, e) / dot(e, e), 0.0f, 1.0f);
  float d = length(w - e * h);
  return (e.x * w.y - e.y * w.x) > 0 ? -d : d;
}

Box boxAround(Vec centre, float radius) {
  return {static_cast<int>(std::floor(centre.x - radius - 2)),
          static_cast<int>(std::floor(centre.y - radius - 2)),
          static_cast<int>(std::ceil(centre.x + radius + 2)),
          static_cast<int>(std::ceil(centre.y + radius + 2))};
}

void strokePolyline(Image& img, std::span<const Vec> points, float width, Color c) {
  for (size_t i = 1; i < points.size(); ++i) {
    Vec a = points[i - 1], b = points[i];
    Box box{static_cast<int>(std::min(a.x, b.x) - width - 2),
            static_cast<int>(std::min(a.y, b.y) - width - 2),
            static_cast<int>(std::max(a.x, b.x) + width + 2),
            static_cast<int>(std::max(a.y, b.y) + width + 2)};
    fillShapeIn(img, box, [&](Vec p) { return sdSegment(p, a, b, width / 2); }, c);
  }
}
