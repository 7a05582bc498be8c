// Float RGBA pictures and the few pixel operations that every painter shares.
#include "image.h"

#include <algorithm>
#include <cmath>

Color rgb(int r, int g, int b, float a) { return {r / 255.0f, g / 255.0f, b / 255.0f, a}; }

Color mix(Color x, Color y, float t) {
  return {x.r + (y.r - x.r) * t, x.g + (y.g - x.g) * t, x.b + (y.b - x.b) * t,
          x.a + (y.a - x.a) * t};
}

Color withAlpha(Color c, float a) { return {c.r, c.g, c.b, a}; }

Color scaleRgb(Color c, float k) { return {c.r * k, c.g * k, c.b * k, c.a}; }

float luma(Color c) { return 0.299f * c.r + 0.587f * c.g + 0.114f * c.b; }

Image::Image(int width, int height, Color fill)
    : w(width), h(height), px(static_cast<size_t>(width) * height, fill) {}

void Image::blend(int x, int y, Color c, float coverage) {
  if (!contains(x, y)) return;
  float a = std::clamp(c.a * coverage, 0.0f, 1.0f);
  if (a <= 0) return;
  Color& d = at(x, y);
  float outA = a + d.a * (1 - a);
  if (outA <= 0) return;
  float keep = d.a * (1 - a);
  d.r = (c.r * a + d.r * keep) / outA;
  d.g = (c.g * a + d.g * keep) / outA;
  d.b = (c.b * a + d.b * keep) / outA;
  d.a = outA;
}

void fillRect(Image& img, Box box, Color c) {
  for (int y = std::max(0, box.y0); y < std::min(img.h, box.y1); ++y)
    for (int x = std::max(0, box.x0); x < std::min(img.w, box.x1); ++x) img.blend(x, y, c);
}

void blit(Image& dst, const Image& src, int dx, int dy, float opacity) {
  for (int y = 0; y < src.h; ++y)
    for (int x = 0; x < src.w; ++x) dst.blend(x + dx, y + dy, src.at(x, y), opacity);
}

void place(Image& dst, const Image& src, int dx, int dy) {
  for (int y = 0; y < src.h; ++y)
    for (int x = 0; x < src.w; ++x)
      if (dst.contains(x + dx, y + dy)) dst.at(x + dx, y + dy) = src.at(x, y);
}

Image crop(const Image& src, Box box) {
  Image out(box.x1 - box.x0, box.y1 - box.y0);
  for (int y = 0; y < out.h; ++y)
    for (int x = 0; x < out.w; ++x)
      if (src.contains(x + box.x0, y + box.y0)) out.at(x, y) = src.at(x + box.x0, y + box.y0);
  return out;
}

namespace {

// One output pixel of an area resize: the source area it covers, weighted by overlap.
Color areaAverage(const Image& src, float sx0, float sy0, float sx1, float sy1) {
  float r = 0, g = 0, b = 0, a = 0, total = 0;
  for (int y = static_cast<int>(sy0); y < static_cast<int>(std::ceil(sy1)); ++y) {
    float wy = std::min(sy1, y + 1.0f) - std::max(sy0, static_cast<float>(y));
    for (int x = static_cast<int>(sx0); x < static_cast<int>(std::ceil(sx1)); ++x) {
      float wx = std::min(sx1, x + 1.0f) - std::max(sx0, static_cast<float>(x));
      const Color& c = src.at(std::min(x, src.w - 1), std::min(y, src.h - 1));
      float k = wx * wy;
      r += c.r * c.a * k; g += c.g * c.a * k; b += c.b * c.a * k; a += c.a * k; total += k;
    }
  }
  if (a <= 0) return {0, 0, 0, 0};
  return {r / a, g / a, b / a, a / total};
}

}  // namespace

Image resample(const Image& src, int w, int h) {
  Image out(w, h);
  float kx = static_cast<float>(src.w) / w, ky = static_cast<float>(src.h) / h;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      float sx0 = x * kx, sy0 = y * ky;
      // When enlarging, widen the window to one source pixel so it still averages.
      float sx1 = std::max(sx0 + kx, std::min(sx0 + 1.0f, static_cast<float>(src.w)));
      float sy1 = std::max(sy0 + ky, std::min(sy0 + 1.0f, static_cast<float>(src.h)));
      out.at(x, y) = areaAverage(src, sx0, sy0, std::min(sx1, static_cast<float>(src.w)),
                                 std::min(sy1, static_cast<float>(src.h)));
    }
  return out;
}

Image enlarge(const Image& src, int factor) {
  Image out(src.w * factor, src.h * factor);
  for (int y = 0; y < out.h; ++y)
    for (int x = 0; x < out.w; ++x) out.at(x, y) = src.at(x / factor, y / factor);
  return out;
}

uint8_t toByte(float v) {
  return static_cast<uint8_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f));
}

std::vector<uint8_t> toBytes(const Image& img, bool withAlphaChannel) {
  std::vector<uint8_t> out;
  out.reserve(img.px.size() * (withAlphaChannel ? 4 : 3));
  for (const Color& c : img.px) {
    out.push_back(toByte(c.r));
    out.push_back(toByte(c.g));
    out.push_back(toByte(c.b));
    if (withAlphaChannel) out.push_back(toByte(c.a));
  }
  return out;
}
