// Coverage, sampling and blending of the software rasterizer.
//
// The rules: a triangle covers the pixels whose centres (integer coordinates) lie inside it, a centre
// exactly on an edge only for a top or left edge; texture coordinates and colours are interpolated
// linearly in screen space; sampling takes texel floor(u * width), floor(v * height), wrapped; colour is
// texel × vertex colour, blended over the canvas by its alpha. Positions are snapped to 1/256 pixel for
// the edge tests, as graphics hardware does, so that the tests are exact and two triangles sharing an
// edge never both draw, or both miss, a pixel on it.
//
// All quads of the game are axis-aligned rectangles; DrawQuad sends those through a fast path that
// evaluates the same formulas once per row and column instead of once per pixel.
#include "platform/raster.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kSubpixelBits = 8;
constexpr double kSubpixel = 1 << kSubpixelBits;
// Snapped coordinates beyond this could overflow the 64-bit edge products; nothing sane goes there.
constexpr double kCoordinateLimit = 1 << 22;

using Fixed = int64_t;

Fixed Snap(float c) { return static_cast<Fixed>(std::nearbyint(static_cast<double>(c) * kSubpixel)); }

// The first whole pixel p with p * 256 >= s.
int CeilPixel(Fixed s) {
  Fixed q = s >> kSubpixelBits;
  return static_cast<int>((q << kSubpixelBits) == s ? q : q + 1);
}

bool Finite(const GfxVertex& v) {
  return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.u) && std::isfinite(v.v) &&
         std::fabs(v.x) < kCoordinateLimit && std::fabs(v.y) < kCoordinateLimit;
}

// Texel index of coordinate t (already multiplied by the picture size), repeated into 0 .. n - 1.
int Wrap(double t, int n) {
  double f = std::floor(t);
  if (std::fabs(f) > 1e15) f = std::fmod(f, n);
  int64_t i = static_cast<int64_t>(f) % n;
  return static_cast<int>(i < 0 ? i + n : i);
}

// A linear attribute over a triangle, anchored at the fan's first vertex so that both triangles of a
// rectangle give bit-identical values. The division comes last, so that a texel coordinate that is
// mathematically whole (row 7 of 12 spread over 12 pixels) comes out whole and not a hair below.
struct Plane {
  double a0 = 0, nx = 0, ny = 0, det = 1, x0 = 0, y0 = 0;
  double At(double px, double py) const { return a0 + (nx * (px - x0) + ny * (py - y0)) / det; }
};

Plane MakePlane(const GfxVertex& a, const GfxVertex& b, const GfxVertex& c, double va, double vb, double vc) {
  double bx = double(b.x) - a.x, by = double(b.y) - a.y;
  double cx = double(c.x) - a.x, cy = double(c.y) - a.y;
  Plane p;
  p.a0 = va, p.x0 = a.x, p.y0 = a.y;
  p.det = bx * cy - cx * by;
  if (p.det == 0) {
    p.det = 1;
    return p;
  }
  p.nx = (vb - va) * cy - (vc - va) * by;
  p.ny = (vc - va) * bx - (vb - va) * cx;
  return p;
}

// Planes of the texel coordinates: u and v already multiplied by the picture's size.
Plane TexelPlaneU(const TextureView& tex, const GfxVertex& a, const GfxVertex& b, const GfxVertex& c) {
  double w = tex.width;
  return MakePlane(a, b, c, a.u * w, b.u * w, c.u * w);
}

Plane TexelPlaneV(const TextureView& tex, const GfxVertex& a, const GfxVertex& b, const GfxVertex& c) {
  double h = tex.height;
  return MakePlane(a, b, c, a.v * h, b.v * h, c.v * h);
}

uint32_t Channel(uint32_t c, int shift) { return (c >> shift) & 0xFF; }

// Texel × colour, then blended over dst.
uint32_t Shade(uint32_t texel, uint32_t color, uint32_t dst) {
  uint32_t a = Div255Round(Channel(texel, 24) * Channel(color, 24));
  if (a == 0) return dst;
  uint32_t out = 0xFF000000u;  // the framebuffer stays opaque
  for (int shift = 0; shift < 24; shift += 8) {
    uint32_t s = Div255Round(Channel(texel, shift) * Channel(color, shift));
    uint32_t d = Channel(dst, shift);
    out |= Div255Round(s * a + d * (255 - a)) << shift;
  }
  return out;
}

// Blends a white-modulated texel with alpha a (1 .. 254) over dst, both colour lanes pairs at once.
uint32_t BlendTexel(uint32_t texel, uint32_t a, uint32_t dst) {
  uint32_t rb = (texel & 0xFF00FFu) * a + (dst & 0xFF00FFu) * (255 - a) + 0x800080u;
  uint32_t g = (texel & 0x00FF00u) * a + (dst & 0x00FF00u) * (255 - a) + 0x008000u;
  rb = ((rb + ((rb >> 8) & 0xFF00FFu)) >> 8) & 0xFF00FFu;
  g = ((g + ((g >> 8) & 0x00FF00u)) >> 8) & 0x00FF00u;
  return 0xFF000000u | rb | g;
}

struct Edge {
  Fixed ax, ay, bx, by;
  bool topLeft;
  // Positive inside a triangle that runs clockwise on the screen (y grows downward).
  Fixed At(Fixed px, Fixed py) const { return (bx - ax) * (py - ay) - (by - ay) * (px - ax); }
  bool Covers(Fixed px, Fixed py) const {
    Fixed e = At(px, py);
    return e > 0 || (e == 0 && topLeft);
  }
};

Edge MakeEdge(Fixed ax, Fixed ay, Fixed bx, Fixed by) {
  // Clockwise on the screen, a top edge runs exactly rightward and a left edge runs upward.
  bool top = ay == by && bx > ax;
  bool left = by < ay;
  return Edge{ax, ay, bx, by, top || left};
}

void DrawTriangle(const Canvas& canvas, const TextureView& tex, const GfxVertex& anchor, const GfxVertex& p1,
                  const GfxVertex& p2) {
  Fixed x[3] = {Snap(anchor.x), Snap(p1.x), Snap(p2.x)};
  Fixed y[3] = {Snap(anchor.y), Snap(p1.y), Snap(p2.y)};
  Fixed area = (x[1] - x[0]) * (y[2] - y[0]) - (x[2] - x[0]) * (y[1] - y[0]);
  if (area == 0) return;
  int i1 = area > 0 ? 1 : 2, i2 = area > 0 ? 2 : 1;  // make the order clockwise on the screen
  Edge edges[3] = {MakeEdge(x[0], y[0], x[i1], y[i1]), MakeEdge(x[i1], y[i1], x[i2], y[i2]),
                   MakeEdge(x[i2], y[i2], x[0], y[0])};
  int left = std::max(0, CeilPixel(std::min({x[0], x[1], x[2]})));
  int right = std::min(canvas.width - 1, static_cast<int>(std::max({x[0], x[1], x[2]}) >> kSubpixelBits));
  int top = std::max(0, CeilPixel(std::min({y[0], y[1], y[2]})));
  int bottom = std::min(canvas.height - 1, static_cast<int>(std::max({y[0], y[1], y[2]}) >> kSubpixelBits));

  Plane u = TexelPlaneU(tex, anchor, p1, p2);
  Plane v = TexelPlaneV(tex, anchor, p1, p2);
  Plane color[4];
  for (int c = 0; c < 4; ++c) {
    int shift = 8 * c;
    color[c] = MakePlane(anchor, p1, p2, Channel(anchor.diffuse, shift), Channel(p1.diffuse, shift),
                         Channel(p2.diffuse, shift));
  }
  for (int py = top; py <= bottom; ++py) {
    uint32_t* row = canvas.pixels + static_cast<size_t>(py) * canvas.stride;
    for (int px = left; px <= right; ++px) {
      Fixed fx = Fixed(px) << kSubpixelBits, fy = Fixed(py) << kSubpixelBits;
      if (!edges[0].Covers(fx, fy) || !edges[1].Covers(fx, fy) || !edges[2].Covers(fx, fy)) continue;
      int tx = Wrap(u.At(px, py), tex.width);
      int ty = Wrap(v.At(px, py), tex.height);
      uint32_t shade = 0;
      for (int c = 0; c < 4; ++c) {
        double value = std::clamp(std::nearbyint(color[c].At(px, py)), 0.0, 255.0);
        shade |= static_cast<uint32_t>(value) << (8 * c);
      }
      row[px] = Shade(tex.texels[static_cast<size_t>(ty) * tex.width + tx], shade, row[px]);
    }
  }
}

bool IsPlainRectangle(const GfxVertex v[4]) {
  return v[0].y == v[1].y && v[2].y == v[3].y && v[0].x == v[3].x && v[1].x == v[2].x &&
         v[0].u == v[3].u && v[1].u == v[2].u && v[0].v == v[1].v && v[2].v == v[3].v &&
         v[0].diffuse == v[1].diffuse && v[0].diffuse == v[2].diffuse && v[0].diffuse == v[3].diffuse &&
         Snap(v[0].x) < Snap(v[1].x) && Snap(v[0].y) < Snap(v[2].y);
}

// Covers columns l <= x < r and rows t <= y < b: exactly the pixels the two triangles would cover.
void DrawRectangle(const Canvas& canvas, const TextureView& tex, const GfxVertex v[4]) {
  int left = std::max(0, CeilPixel(Snap(v[0].x)));
  int right = std::min(canvas.width, CeilPixel(Snap(v[1].x)));
  int top = std::max(0, CeilPixel(Snap(v[0].y)));
  int bottom = std::min(canvas.height, CeilPixel(Snap(v[2].y)));
  if (left >= right || top >= bottom) return;

  // Along a row u changes only with x and v only with y, so the same plane values hold in every row.
  Plane u = TexelPlaneU(tex, v[0], v[1], v[2]);
  Plane vv = TexelPlaneV(tex, v[0], v[1], v[2]);
  int columns[2048];
  int width = std::min(right - left, 2048);
  for (int i = 0; i < width; ++i) columns[i] = Wrap(u.At(left + i, top), tex.width);

  uint32_t color = v[0].diffuse;
  bool white = color == 0xFFFFFFFFu;
  for (int py = top; py < bottom; ++py) {
    const uint32_t* texRow = tex.texels + static_cast<size_t>(Wrap(vv.At(left, py), tex.height)) * tex.width;
    uint32_t* out = canvas.pixels + static_cast<size_t>(py) * canvas.stride + left;
    if (white && tex.opaque) {
      for (int i = 0; i < width; ++i) out[i] = texRow[columns[i]] | 0xFF000000u;
    } else if (white) {
      for (int i = 0; i < width; ++i) {
        uint32_t t = texRow[columns[i]], a = t >> 24;
        if (a == 255) out[i] = t;
        else if (a != 0) out[i] = BlendTexel(t, a, out[i]);
      }
    } else {
      for (int i = 0; i < width; ++i) out[i] = Shade(texRow[columns[i]], color, out[i]);
    }
  }
}

bool Visible(const Canvas& canvas, const GfxVertex v[4]) {
  float minX = std::min({v[0].x, v[1].x, v[2].x, v[3].x}), maxX = std::max({v[0].x, v[1].x, v[2].x, v[3].x});
  float minY = std::min({v[0].y, v[1].y, v[2].y, v[3].y}), maxY = std::max({v[0].y, v[1].y, v[2].y, v[3].y});
  return maxX >= 0 && maxY >= 0 && minX < canvas.width && minY < canvas.height;
}

bool Drawable(const Canvas& canvas, const TextureView& tex, const GfxVertex v[4]) {
  if (tex.texels == nullptr || tex.width <= 0 || tex.height <= 0) return false;
  for (int i = 0; i < 4; ++i) {
    if (!Finite(v[i])) return false;
  }
  return Visible(canvas, v);
}

}  // namespace

void DrawQuadGeneral(const Canvas& canvas, const TextureView& texture, const GfxVertex v[4]) {
  if (!Drawable(canvas, texture, v)) return;
  DrawTriangle(canvas, texture, v[0], v[1], v[2]);
  DrawTriangle(canvas, texture, v[0], v[2], v[3]);
}

void DrawQuad(const Canvas& canvas, const TextureView& texture, const GfxVertex v[4]) {
  if (!Drawable(canvas, texture, v)) return;
  if (IsPlainRectangle(v) && canvas.width <= 2048) {
    DrawRectangle(canvas, texture, v);
    return;
  }
  DrawTriangle(canvas, texture, v[0], v[1], v[2]);
  DrawTriangle(canvas, texture, v[0], v[2], v[3]);
}

namespace {

void Plot(const Canvas& canvas, int x, int y, double coverage, uint32_t color) {
  if (x < 0 || y < 0 || x >= canvas.width || y >= canvas.height || coverage <= 0) return;
  uint32_t alpha = static_cast<uint32_t>(std::nearbyint(std::min(coverage, 1.0) * Channel(color, 24)));
  uint32_t& dst = canvas.pixels[static_cast<size_t>(y) * canvas.stride + x];
  dst = Shade((alpha << 24) | (color & 0xFFFFFFu), 0xFFFFFFFFu, dst);
}

double Frac(double x) { return x - std::floor(x); }

// One segment by Xiaolin Wu's method: two pixels across the line, shared by their distance from it.
void DrawSegment(const Canvas& canvas, double x0, double y0, double x1, double y1, uint32_t color) {
  bool steep = std::fabs(y1 - y0) > std::fabs(x1 - x0);
  if (steep) std::swap(x0, y0), std::swap(x1, y1);
  if (x0 > x1) std::swap(x0, x1), std::swap(y0, y1);
  double dx = x1 - x0, gradient = dx == 0 ? 1 : (y1 - y0) / dx;
  auto plot = [&](int a, int b, double c) { steep ? Plot(canvas, b, a, c, color) : Plot(canvas, a, b, c, color); };
  // Endpoints get coverage in proportion to how much of their pixel the line spans.
  int xStart = static_cast<int>(std::nearbyint(x0)), xEnd = static_cast<int>(std::nearbyint(x1));
  double startGap = 1 - Frac(x0 + 0.5), endGap = Frac(x1 + 0.5);
  for (int x = xStart; x <= xEnd; ++x) {
    double y = y0 + gradient * (x - x0);
    double weight = x == xStart ? startGap : (x == xEnd ? endGap : 1.0);
    if (xStart == xEnd) weight = x1 - x0;
    int yi = static_cast<int>(std::floor(y));
    plot(x, yi, (1 - Frac(y)) * weight);
    plot(x, yi + 1, Frac(y) * weight);
  }
}

}  // namespace

void DrawPolyline(const Canvas& canvas, const float* points, int count, uint32_t color) {
  for (int i = 0; i + 1 < count; ++i) {
    const float* a = points + 2 * i;
    const float* b = a + 2;
    if (!std::isfinite(a[0]) || !std::isfinite(a[1]) || !std::isfinite(b[0]) || !std::isfinite(b[1])) continue;
    if (std::fabs(a[0]) > kCoordinateLimit || std::fabs(a[1]) > kCoordinateLimit ||
        std::fabs(b[0]) > kCoordinateLimit || std::fabs(b[1]) > kCoordinateLimit) continue;
    DrawSegment(canvas, a[0], a[1], b[0], b[1], color);
  }
}
