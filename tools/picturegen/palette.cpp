// The shared sprite palette and the finishing step that makes colour-keyed sprites clean.
#include "palette.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

// The sprite palette. Every value is a multiple of 8, so the 5-bit load keeps it exactly.
struct Ink {
  int r, g, b;  // 0..255 each
};
const Ink kSpriteInks[] = {
    {24, 20, 48},    // outline: deep navy, never pure black
    {56, 44, 104},   // indigo
    {88, 88, 144},   // slate
    {144, 152, 192}, // grey
    {208, 216, 240}, // pale
    {248, 248, 248}, // white
    {248, 240, 200}, // cream
    {248, 224, 88},  // yellow
    {232, 168, 48},  // gold
    {232, 112, 40},  // orange
    {208, 48, 64},   // red
    {128, 32, 72},   // maroon
    {248, 184, 208}, // blush
    {240, 104, 176}, // pink
    {192, 40, 144},  // magenta
    {112, 32, 112},  // plum
    {200, 248, 248}, // ice cyan
    {64, 208, 240},  // cyan
    {48, 120, 224},  // blue
    {40, 56, 152},   // navy blue
    {168, 240, 160}, // mint
    {80, 184, 96},   // green
    {32, 112, 88},   // forest
    {200, 176, 248}, // lavender
    {144, 96, 232},  // violet
    {88, 56, 168},   // purple
    {248, 200, 160}, // skin
    {208, 136, 96},  // tan
    {120, 72, 56},   // brown
    {48, 160, 168},  // teal
    {176, 168, 200}, // smoke
    {112, 104, 144}, // ash
};

Color inkAt(int i) { return rgb(kSpriteInks[i].r, kSpriteInks[i].g, kSpriteInks[i].b); }

// "Redmean" weighted distance: cheap and close enough to how the eye groups colours.
float colourDistance(Color a, Color b) {
  float rm = (a.r + b.r) * 0.5f;
  float dr = a.r - b.r, dg = a.g - b.g, db = a.b - b.b;
  return (2 + rm) * dr * dr + 4 * dg * dg + (3 - rm) * db * db;
}

bool isKey(const Color& c) { return c.r == 0 && c.g == 0 && c.b == 0; }

}  // namespace

namespace ink {
const Color outline = inkAt(0), indigo = inkAt(1), slate = inkAt(2), grey = inkAt(3),
            pale = inkAt(4), white = inkAt(5), cream = inkAt(6), yellow = inkAt(7),
            gold = inkAt(8), orange = inkAt(9), red = inkAt(10), maroon = inkAt(11),
            blush = inkAt(12), pink = inkAt(13), magenta = inkAt(14), plum = inkAt(15),
            iceCyan = inkAt(16), cyan = inkAt(17), blue = inkAt(18), navyBlue = inkAt(19),
            mint = inkAt(20), green = inkAt(21), forest = inkAt(22), lavender = inkAt(23),
            violet = inkAt(24), purple = inkAt(25), skin = inkAt(26), tan = inkAt(27),
            brown = inkAt(28), teal = inkAt(29), smoke = inkAt(30), ash = inkAt(31);
}

Color nearestInk(Color c) {
  int best = 0;
  float bestD = 1e9f;
  for (int i = 0; i < static_cast<int>(std::size(kSpriteInks)); ++i) {
    float d = colourDistance(c, inkAt(i));
    if (d < bestD) bestD = d, best = i;
  }
  return inkAt(best);
}

void finishKeyed(Image& cell, const KeyStyle& style) {
  std::vector<char> solid(cell.px.size());
  for (size_t i = 0; i < cell.px.size(); ++i) {
    Color& c = cell.px[i];
    solid[i] = c.a >= style.alphaCut;
    if (solid[i]) c = style.quantize ? nearestInk(c) : withAlpha(c, 1);
  }
  for (int y = 0; y < cell.h; ++y)
    for (int x = 0; x < cell.w; ++x) {
      size_t i = static_cast<size_t>(y) * cell.w + x;
      if (solid[i]) continue;
      auto on = [&](int nx, int ny) {
        return cell.contains(nx, ny) && solid[static_cast<size_t>(ny) * cell.w + nx];
      };
      bool edge = on(x - 1, y) || on(x + 1, y) || on(x, y - 1) || on(x, y + 1);
      cell.px[i] = (style.outline && edge) ? ink::outline : kKey;
    }
}

Image simulateKeyedLoad(const Image& img) {
  Image out(img.w, img.h);
  for (size_t i = 0; i < img.px.size(); ++i) {
    const Color& c = img.px[i];
    if (isKey(c) || c.a < 0.5f) continue;
    auto five = [](float v) {
      int b = toByte(v) >> 3;
      return ((b << 3) | (b >> 2)) / 255.0f;
    };
    out.px[i] = {five(c.r), five(c.g), five(c.b), 1};
  }
  return out;
}

bool keyedPictureIsClean(const Image& img, int* badX, int* badY) {
  for (int y = 0; y < img.h; ++y)
    for (int x = 0; x < img.w; ++x) {
      const Color& c = img.at(x, y);
      bool visible = std::max({toByte(c.r), toByte(c.g), toByte(c.b)}) >= 40;
      if (c.a == 1 && (isKey(c) || visible)) continue;
      *badX = x;
      *badY = y;
      return false;
    }
  return true;
}
