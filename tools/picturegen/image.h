// Float RGBA pictures and the few pixel operations that every painter shares.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Straight (not premultiplied) colour, every channel 0..1.
struct Color {
  float r = 0, g = 0, b = 0, a = 1;
};

Color rgb(int r, int g, int b, float a = 1.0f);
Color mix(Color x, Color y, float t);
Color withAlpha(Color c, float a);
Color scaleRgb(Color c, float k);
float luma(Color c);

struct Image {
  int w = 0, h = 0;
  std::vector<Color> px;

  Image() = default;
  Image(int width, int height, Color fill = {0, 0, 0, 0});
  Color& at(int x, int y) { return px[static_cast<size_t>(y) * w + x]; }
  const Color& at(int x, int y) const { return px[static_cast<size_t>(y) * w + x]; }
  bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < w && y < h; }
  // Paints c over the pixel with the given coverage, keeping straight alpha.
  void blend(int x, int y, Color c, float coverage = 1.0f);
};

struct Box {
  int x0, y0, x1, y1;  // x1 and y1 are one past the last pixel
};

void fillRect(Image& img, Box box, Color c);
// Draws src over dst with src's top-left at (dx, dy).
void blit(Image& dst, const Image& src, int dx, int dy, float opacity = 1.0f);
// Copies src into dst unchanged, alpha included.
void place(Image& dst, const Image& src, int dx, int dy);
Image crop(const Image& src, Box box);
// Area-averaged resize in premultiplied alpha, good for shrinking and for mild enlarging.
Image resample(const Image& src, int w, int h);
// Nearest-neighbour enlargement, for showing pixel art big.
Image enlarge(const Image& src, int factor);

// 8-bit output, RGBA order.
std::vector<uint8_t> toBytes(const Image& img, bool withAlphaChannel);
uint8_t toByte(float v);
