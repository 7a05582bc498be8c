// The rasterizer's rules, checked pixel by pixel: coverage, sampling, wrap-around, colour, blending, clipping.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "platform/gfx.h"
#include "platform/raster.h"
#include "render/render.h"

namespace {

constexpr uint32_t kBlack = 0xFF000000u;
constexpr uint32_t kWhite = 0xFFFFFFFFu;

using DrawFn = void (*)(const Canvas&, const TextureView&, const GfxVertex*);

struct Path {
  const char* name;
  DrawFn draw;
};

// Every coverage and sampling rule must hold on the rectangle fast path and on the general triangle path.
constexpr Path kPaths[] = {{"DrawQuad", DrawQuad}, {"DrawQuadGeneral", DrawQuadGeneral}};

// A framebuffer to draw into; a stride wider than the picture leaves a margin that must stay untouched.
struct TestCanvas {
  int width, height, stride;
  std::vector<uint32_t> pixels;
  TestCanvas(int w, int h, uint32_t fill, int s = 0)
      : width(w), height(h), stride(s == 0 ? w : s), pixels(static_cast<size_t>(stride) * h, fill) {}
  Canvas View() { return Canvas{pixels.data(), width, height, stride}; }
  uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * stride + x]; }
};

// A texel value that differs for every (x, y) of a 640 × 480 picture.
uint32_t UniqueTexel(int x, int y) { return kBlack | ((static_cast<uint32_t>(y) << 10 | x) ^ 0x5A5A5Au); }

PixelVector UniqueTexels(int width, int height) {
  PixelVector texels(static_cast<size_t>(width) * height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) texels[static_cast<size_t>(y) * width + x] = UniqueTexel(x, y);
  }
  return texels;
}

SpriteQuad Rect(float l, float t, float r, float b, float u0 = 0, float v0 = 0, float u1 = 1, float v1 = 1,
                uint32_t color = kWhite) {
  SpriteQuad q;
  SetQuad(q, l, t, r, b, u0, v0, u1, v1, color);
  return q;
}

// The columns [first, last] of row y that differ from the fill colour; first > last when none.
std::pair<int, int> CoveredColumns(const TestCanvas& c, int y, uint32_t fill) {
  int first = c.width, last = -1;
  for (int x = 0; x < c.width; ++x) {
    if (c.At(x, y) != fill) first = std::min(first, x), last = x;
  }
  return {first, last};
}

std::pair<int, int> CoveredRows(const TestCanvas& c, int x, uint32_t fill) {
  int first = c.height, last = -1;
  for (int y = 0; y < c.height; ++y) {
    if (c.At(x, y) != fill) first = std::min(first, y), last = y;
  }
  return {first, last};
}

int CountDifferent(const TestCanvas& a, uint32_t fill) {
  int n = 0;
  for (uint32_t p : a.pixels) n += p != fill;
  return n;
}

// Draws q through the fast paths onto one canvas and through the general path onto the other (both
// canvases the same size); a failure names the first pixel where they differ.
::testing::AssertionResult DrawnAlikeBothWays(TestCanvas& fast, TestCanvas& general, const GfxTexture& texture,
                                              const SpriteQuad& q) {
  DrawQuad(fast.View(), texture.View(), q.v);
  DrawQuadGeneral(general.View(), texture.View(), q.v);
  for (size_t p = 0; p < fast.pixels.size(); ++p) {
    if (fast.pixels[p] != general.pixels[p]) {
      return ::testing::AssertionFailure() << "at pixel " << p % fast.stride << ", " << p / fast.stride << ": "
                                           << std::hex << fast.pixels[p] << " against " << general.pixels[p];
    }
  }
  return ::testing::AssertionSuccess();
}

class Raster : public ::testing::Test {
 protected:
  void SetUp() override { g_HalfPixel = 0.5f; }
  void TearDown() override { g_HalfPixel = 0; }
};

TEST_F(Raster, KindZeroOverTheWholeScreenPutsEveryTexelOnItsPixel) {
  GfxTexture texture(640, 480, UniqueTexels(640, 480));
  SpriteQuad q;
  SetSpriteQuad(q, 0, 0, 0, 640, 480);
  for (const Path& path : kPaths) {
    SCOPED_TRACE(path.name);
    TestCanvas canvas(640, 480, kBlack);
    path.draw(canvas.View(), texture.View(), q.v);
    int wrong = 0;
    for (int y = 0; y < 480; ++y) {
      for (int x = 0; x < 640; ++x) wrong += canvas.At(x, y) != UniqueTexel(x, y);
    }
    EXPECT_EQ(wrong, 0);
  }
}

// A sprite whose corners sit on whole pixels has every pixel centre exactly on a texel's edge; each must
// show its own texel, never the one before it, whatever picture size the cell is cut from.
TEST_F(Raster, SpritesOnWholePixelsShowEachTexelOfTheirCell) {
  struct Case {
    int textureWidth, textureHeight;  // the sheet
    float u0, v0, u1, v1;             // the cell, as the game's tables give it
    int cellX, cellY, width, height;  // the cell in texels, drawn 1:1
  };
  const Case cases[] = {
      {40, 12, 0, 0, 0.2f, 1, 0, 0, 8, 12},                      // the vertical player shot
      {384, 48, 0.125f, 0, 0.25f, 1, 48, 0, 48, 48},             // the ship facing right
      {100, 12, 3 * 0.1f, 0, 3 * 0.1f + 0.1f, 1, 30, 0, 10, 12}, // the digit 3
  };
  for (const Path& path : kPaths) {
    for (const Case& c : cases) {
      SCOPED_TRACE(testing::Message() << path.name << " cell at " << c.cellX << ", " << c.cellY);
      GfxTexture sheet(c.textureWidth, c.textureHeight, UniqueTexels(c.textureWidth, c.textureHeight));
      TestCanvas canvas(128, 128, kBlack);
      SpriteQuad q = Rect(20, 30, 20.0f + c.width, 30.0f + c.height, c.u0, c.v0, c.u1, c.v1);
      path.draw(canvas.View(), sheet.View(), q.v);
      int wrong = 0;
      for (int j = 0; j < c.height; ++j) {
        for (int i = 0; i < c.width; ++i) wrong += canvas.At(20 + i, 30 + j) != UniqueTexel(c.cellX + i, c.cellY + j);
      }
      EXPECT_EQ(wrong, 0);
    }
  }
}

// A quad from l to r covers the columns whose centres lie in [l, r): the left edge belongs to it, the right
// one to its neighbour. The same holds for rows, top and bottom.
TEST_F(Raster, EdgesCoverCentresFromTheLeftAndTopEdgeUpToButNotTheRightAndBottomEdge) {
  struct Case {
    float from, to;
    int first, last;  // first > last: nothing covered
  };
  const Case cases[] = {
      {2, 5, 2, 4},         // whole-pixel edges: the left centre is in, the right one out
      {2.5f, 5.5f, 3, 5},   // half-pixel edges: the centres between them
      {-0.5f, 0.5f, 0, 0},  // a one-pixel quad around a centre, as kind 0 makes it
      {2.25f, 2.75f, 3, 2}, // no centre inside: nothing, although the quad has area
      {1.9f, 3.1f, 2, 3},
      {7, 7, 8, 7},         // no width
      {2.1f, 3, 3, 2},      // ends exactly on a centre that belongs to the next quad
  };
  GfxTexture white(1, 1, {kWhite});
  for (const Path& path : kPaths) {
    for (const Case& c : cases) {
      SCOPED_TRACE(testing::Message() << path.name << " from " << c.from << " to " << c.to);
      TestCanvas columns(16, 16, kBlack), rows(16, 16, kBlack);
      SpriteQuad horizontal = Rect(c.from, 4, c.to, 9), vertical = Rect(4, c.from, 9, c.to);
      path.draw(columns.View(), white.View(), horizontal.v);
      path.draw(rows.View(), white.View(), vertical.v);
      auto [firstX, lastX] = CoveredColumns(columns, 6, kBlack);
      auto [firstY, lastY] = CoveredRows(rows, 6, kBlack);
      if (c.first > c.last) {
        EXPECT_EQ(CountDifferent(columns, kBlack), 0);
        EXPECT_EQ(CountDifferent(rows, kBlack), 0);
        continue;
      }
      EXPECT_EQ(firstX, c.first);
      EXPECT_EQ(lastX, c.last);
      EXPECT_EQ(firstY, c.first);
      EXPECT_EQ(lastY, c.last);
    }
  }
}

// Kind 45 skips the half-pixel offset: whole-number rectangles cover the same pixels as kind 0, but a
// rectangle on half pixels lands one column and one row further right and down.
TEST_F(Raster, KindFortyFiveKeepsTheExactRectangle) {
  struct Case {
    int kind;
    float l, t, r, b;
    int firstX, lastX, firstY, lastY;
  };
  const Case cases[] = {
      {0, 10, 20, 14, 23, 10, 13, 20, 22},
      {45, 10, 20, 14, 23, 10, 13, 20, 22},
      {0, 10.5f, 20.5f, 14.5f, 23.5f, 10, 13, 20, 22},
      {45, 10.5f, 20.5f, 14.5f, 23.5f, 11, 14, 21, 23},
  };
  GfxTexture white(1, 1, {kWhite});
  for (const Path& path : kPaths) {
    for (const Case& c : cases) {
      SCOPED_TRACE(testing::Message() << path.name << " kind " << c.kind << " left " << c.l);
      TestCanvas canvas(32, 32, kBlack);
      SpriteQuad q;
      SetSpriteQuad(q, c.kind, c.l, c.t, c.r, c.b);
      path.draw(canvas.View(), white.View(), q.v);
      auto [firstX, lastX] = CoveredColumns(canvas, c.firstY, kBlack);
      auto [firstY, lastY] = CoveredRows(canvas, c.firstX, kBlack);
      EXPECT_EQ(firstX, c.firstX);
      EXPECT_EQ(lastX, c.lastX);
      EXPECT_EQ(firstY, c.firstY);
      EXPECT_EQ(lastY, c.lastY);
      EXPECT_EQ(CountDifferent(canvas, kBlack), (c.lastX - c.firstX + 1) * (c.lastY - c.firstY + 1));
    }
  }
}

// The scrolling background and the shutter rely on coordinates outside 0..1 repeating the picture.
TEST_F(Raster, TextureCoordinatesOutsideZeroToOneWrapAround) {
  // An 8 × 8 kind-0 quad over a 4 × 4 picture with u and v spanning 2: one texel per pixel, starting at
  // texel 4 × start, so pixel (x, y) shows texel ((x + shift) mod 4, (y + shift) mod 4).
  struct Case {
    float start;
    int shift;
  };
  const Case cases[] = {{0, 0}, {-1, -4}, {-0.25f, -1}, {-3.75f, -15}, {2.5f, 10}, {1000.25f, 4001}};
  GfxTexture texture(4, 4, UniqueTexels(4, 4));
  for (const Path& path : kPaths) {
    for (const Case& c : cases) {
      SCOPED_TRACE(testing::Message() << path.name << " start " << c.start);
      TestCanvas canvas(8, 8, kBlack);
      SpriteQuad q = Rect(-0.5f, -0.5f, 7.5f, 7.5f, c.start, c.start, c.start + 2, c.start + 2);
      path.draw(canvas.View(), texture.View(), q.v);
      for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
          int tx = ((x + c.shift) % 4 + 4) % 4, ty = ((y + c.shift) % 4 + 4) % 4;
          ASSERT_EQ(canvas.At(x, y), UniqueTexel(tx, ty)) << "pixel " << x << ", " << y;
        }
      }
    }
  }
}

TEST(Div255Round, IsRoundOfXOver255ForEverySixteenBitValue) {
  for (uint32_t x = 0; x <= 65535; ++x) {
    // x / 255 is never exactly halfway, so rounding is unambiguous; (2x + 255) / 510 is round(x / 255).
    ASSERT_EQ(Div255Round(x), (2 * x + 255) / 510) << x;
  }
}

// Colour is texel × vertex colour, alpha is texel alpha × vertex alpha, and the result goes over the
// framebuffer as src × a + dst × (1 − a); each product is rounded to the nearest of 0..255.
TEST_F(Raster, VertexColourAndAlphaModulateTheTexelAndBlendOverTheFramebuffer) {
  struct Case {
    const char* what;
    uint32_t texel, color, dst, expected;
  };
  const Case cases[] = {
      {"opaque texel, white", 0xFFFF0000u, kWhite, 0xFF0000FFu, 0xFFFF0000u},
      {"vertex alpha 128", 0xFFFF0000u, 0x80FFFFFFu, 0xFF0000FFu, 0xFF80007Fu},
      {"texel alpha 128, vertex alpha 128: alpha 64", 0x80FF0000u, 0x80FFFFFFu, 0xFF0000FFu, 0xFF4000BFu},
      {"texel alpha 128, white", 0x80FF0000u, kWhite, 0xFF0000FFu, 0xFF80007Fu},
      {"texel alpha 1", 0x01FF0000u, kWhite, 0xFF0000FFu, 0xFF0100FEu},
      {"texel alpha 254", 0xFEFFFFFFu, kWhite, 0xFF000000u, 0xFFFEFEFEu},
      {"vertex alpha 0: invisible", 0xFFFF0000u, 0x00FFFFFFu, 0xFF123456u, 0xFF123456u},
      {"texel alpha 0: invisible", 0x00FF0000u, kWhite, 0xFF123456u, 0xFF123456u},
      {"grey vertex colour darkens", 0xFF80C0FFu, 0xFF808080u, 0xFF000000u, 0xFF406080u},
      {"coloured vertex filters channels", 0xFFFFFFFFu, 0xFF00FF80u, 0xFF000000u, 0xFF00FF80u},
      {"colour and alpha together", 0xFF80C0FFu, 0x80808080u, 0xFF0000FFu, 0xFF2030BFu},
  };
  for (const Path& path : kPaths) {
    for (const Case& c : cases) {
      SCOPED_TRACE(testing::Message() << path.name << ": " << c.what);
      GfxTexture texture(1, 1, {c.texel});
      TestCanvas canvas(4, 4, c.dst);
      SpriteQuad q = Rect(0.5f, 0.5f, 2.5f, 2.5f, 0, 0, 1, 1, c.color);
      path.draw(canvas.View(), texture.View(), q.v);
      EXPECT_EQ(canvas.At(1, 1), c.expected) << std::hex << canvas.At(1, 1);
      EXPECT_EQ(canvas.At(2, 2), c.expected) << std::hex << canvas.At(2, 2);
      EXPECT_EQ(canvas.At(0, 0), c.dst);
      EXPECT_EQ(canvas.At(3, 3), c.dst);
    }
  }
}

// Quads that share edges, straight or slanted, through pixel centres or between them, must tile: every
// pixel inside the outline exactly once, none outside it.
TEST_F(Raster, QuadsSharingEdgesDrawEveryPixelExactlyOnce) {
  constexpr int kCells = 8;
  const float kLeft = 10.3f, kTop = 7.5f, kRight = 190.6f, kBottom = 140;
  struct Case {
    const char* what;
    float jitter;         // of inner grid points, in cells
    bool snapHalf;        // grid points rounded to half pixels, so that edges run through centres
    bool alternateWinding;
  };
  const Case cases[] = {
      {"axis-aligned grid", 0, false, false},
      {"axis-aligned grid on half pixels", 0, true, false},
      {"slanted edges", 0.2f, false, false},
      {"slanted edges through centres", 0.2f, true, false},
      {"slanted edges, both windings", 0.2f, true, true},
  };
  GfxTexture white(1, 1, {kWhite});
  for (const Path& path : kPaths) {
    for (const Case& c : cases) {
      SCOPED_TRACE(testing::Message() << path.name << ": " << c.what);
      std::mt19937 rng(7);
      std::uniform_real_distribution<float> jitter(-c.jitter, c.jitter);
      float gx[kCells + 1][kCells + 1], gy[kCells + 1][kCells + 1];
      for (int j = 0; j <= kCells; ++j) {
        for (int i = 0; i <= kCells; ++i) {
          bool innerX = i > 0 && i < kCells, innerY = j > 0 && j < kCells;
          float x = kLeft + (kRight - kLeft) * (i + (innerX ? jitter(rng) : 0)) / kCells;
          float y = kTop + (kBottom - kTop) * (j + (innerY ? jitter(rng) : 0)) / kCells;
          if (c.snapHalf && innerX) x = std::round(x * 2) / 2;
          if (c.snapHalf && innerY) y = std::round(y * 2) / 2;
          // Points on the outline stay on it, so the outline is the rectangle.
          gx[j][i] = i == 0 ? kLeft : (i == kCells ? kRight : x);
          gy[j][i] = j == 0 ? kTop : (j == kCells ? kBottom : y);
        }
      }
      std::vector<int> count(200 * 150, 0);
      for (int j = 0; j < kCells; ++j) {
        for (int i = 0; i < kCells; ++i) {
          int order[4][2] = {{i, j}, {i + 1, j}, {i + 1, j + 1}, {i, j + 1}};
          if (c.alternateWinding && (i + j) % 2 == 1) std::swap(order[1], order[3]);
          GfxVertex v[4];
          for (int k = 0; k < 4; ++k) {
            v[k] = GfxVertex{gx[order[k][1]][order[k][0]], gy[order[k][1]][order[k][0]], 0, 1, kWhite, 0, 0};
          }
          TestCanvas canvas(200, 150, kBlack);
          path.draw(canvas.View(), white.View(), v);
          for (size_t p = 0; p < canvas.pixels.size(); ++p) count[p] += canvas.pixels[p] != kBlack;
        }
      }
      int wrong = 0;
      for (int y = 0; y < 150; ++y) {
        for (int x = 0; x < 200; ++x) {
          bool inside = x >= kLeft && x < kRight && y >= kTop && y < kBottom;
          int n = count[static_cast<size_t>(y) * 200 + x];
          if (n != (inside ? 1 : 0) && wrong++ < 5) ADD_FAILURE() << "pixel " << x << ", " << y << " drawn " << n << " times";
        }
      }
      EXPECT_EQ(wrong, 0);
    }
  }
}

// Sprites leave the screen on every side; only their visible part is drawn, with the texels that belong
// there, and nothing lands beyond the framebuffer's rows (the stride's margin stays untouched).
TEST_F(Raster, QuadsOverTheEdgesDrawOnlyTheirVisiblePart) {
  constexpr uint32_t kMargin = 0xFFABCDEFu;
  struct Case {
    const char* side;
    int left, top;  // of a 16 × 16 kind-0 sprite on a 64 × 48 canvas
  };
  const Case cases[] = {
      {"left", -5, 20}, {"right", 55, 20}, {"top", 20, -7}, {"bottom", 20, 40},
      {"top-left corner", -15, -15}, {"bottom-right corner", 63, 47}, {"just outside the left", -16, 20},
      {"just outside the bottom", 20, 48},
  };
  GfxTexture texture(16, 16, UniqueTexels(16, 16));
  for (const Path& path : kPaths) {
    for (const Case& c : cases) {
      SCOPED_TRACE(testing::Message() << path.name << ": " << c.side);
      TestCanvas canvas(64, 48, kBlack, 80);
      for (int y = 0; y < 48; ++y) {
        for (int x = 64; x < 80; ++x) canvas.pixels[static_cast<size_t>(y) * 80 + x] = kMargin;
      }
      SpriteQuad q;
      SetSpriteQuad(q, 0, c.left, c.top, c.left + 16, c.top + 16);
      path.draw(canvas.View(), texture.View(), q.v);
      for (int y = 0; y < 48; ++y) {
        for (int x = 0; x < 80; ++x) {
          int tx = x - c.left, ty = y - c.top;
          uint32_t expected = x >= 64 ? kMargin : (tx >= 0 && tx < 16 && ty >= 0 && ty < 16 ? UniqueTexel(tx, ty) : kBlack);
          ASSERT_EQ(canvas.pixels[static_cast<size_t>(y) * 80 + x], expected) << "pixel " << x << ", " << y;
        }
      }
    }
  }
}

// A new shot waits at x + 9999 until its first update, and damaged numbers must not bring the game down.
TEST_F(Raster, ParkedAndNonFiniteQuadsDrawNothing) {
  const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
  struct Case {
    const char* what;
    int vertex;
    float GfxVertex::*field;
    float value;  // added to x for the parked quad, stored otherwise
    bool add;
  };
  const Case cases[] = {
      {"parked at x + 9999", -1, &GfxVertex::x, 9999, true},
      {"NaN x", 1, &GfxVertex::x, nan, false},
      {"NaN y", 2, &GfxVertex::y, nan, false},
      {"infinite x", 0, &GfxVertex::x, inf, false},
      {"minus infinite y", 3, &GfxVertex::y, -inf, false},
      {"NaN u", 1, &GfxVertex::u, nan, false},
      {"infinite v", 2, &GfxVertex::v, inf, false},
  };
  GfxTexture texture(4, 4, UniqueTexels(4, 4));
  for (const Path& path : kPaths) {
    for (const Case& c : cases) {
      SCOPED_TRACE(testing::Message() << path.name << ": " << c.what);
      TestCanvas canvas(640, 480, kBlack);
      SpriteQuad q;
      SetSpriteQuad(q, 0, 100, 100, 140, 132);
      if (c.add) {
        MoveSpriteQuad(q, c.value, 0);
      } else {
        q.v[c.vertex].*c.field = c.value;
      }
      path.draw(canvas.View(), texture.View(), q.v);
      EXPECT_EQ(CountDifferent(canvas, kBlack), 0);
    }
  }
}

TEST_F(Raster, NoTextureDrawsNothing) {
  std::vector<uint32_t> texel = {kWhite};
  const TextureView views[] = {TextureView{}, TextureView{texel.data(), 0, 1}, TextureView{nullptr, 1, 1}};
  for (const Path& path : kPaths) {
    for (const TextureView& view : views) {
      TestCanvas canvas(64, 48, kBlack);
      SpriteQuad q = Rect(0, 0, 64, 48);
      path.draw(canvas.View(), view, q.v);
      EXPECT_EQ(CountDifferent(canvas, kBlack), 0) << path.name;
    }
  }
  GfxDevice device(0);
  device.Clear(kBlack);
  device.BeginScene();
  device.SetTexture(nullptr);
  SpriteQuad q = Rect(0, 0, 640, 480);
  device.DrawQuad(q.v);
  device.EndScene();
  for (int i = 0; i < 640 * 480; ++i) ASSERT_EQ(device.Pixels()[i], kBlack) << i;
}

// The fast path must be invisible: over thousands of random rectangles, random texture rectangles (mirrored
// and wrapping too), colours and textures with and without alpha, its pixels equal the general path's.
TEST_F(Raster, RectangleFastPathGivesExactlyTheGeneralPathsPixels) {
  std::mt19937 rng(20240611);
  auto uniform = [&](float lo, float hi) { return std::uniform_real_distribution<float>(lo, hi)(rng); };
  auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
  auto word = [&] { return static_cast<uint32_t>(rng()); };

  PixelVector opaque(7 * 5), keyed(8 * 8), translucent(5 * 9);
  for (uint32_t& t : opaque) t = kBlack | word();
  for (uint32_t& t : keyed) t = pick(3) == 0 ? 0 : kBlack | word();
  for (uint32_t& t : translucent) t = word();
  GfxTexture textures[] = {GfxTexture(7, 5, opaque), GfxTexture(8, 8, keyed), GfxTexture(5, 9, translucent)};
  ASSERT_TRUE(textures[0].View().opaque);
  ASSERT_TRUE(textures[1].View().binaryAlpha);

  TestCanvas fast(160, 120, kBlack), general(160, 120, kBlack);
  for (size_t i = 0; i < fast.pixels.size(); ++i) fast.pixels[i] = general.pixels[i] = kBlack | word();
  for (int n = 0; n < 3000; ++n) {
    float l = uniform(-40, 170), t = uniform(-30, 130);
    // Half of the rectangles sit on whole or half pixels, as the game's do.
    if (pick(2) == 0) l = std::round(l * 2) / 2, t = std::round(t * 2) / 2;
    float r = l + uniform(0.25f, 70), b = t + uniform(0.25f, 50);
    uint32_t colors[] = {kWhite, 0x00FFFFFFu | (word() << 24), word()};
    SpriteQuad q = Rect(l, t, r, b, uniform(-2, 3), uniform(-2, 3), uniform(-2, 3), uniform(-2, 3), colors[pick(3)]);
    const GfxTexture& texture = textures[pick(3)];
    ASSERT_TRUE(DrawnAlikeBothWays(fast, general, texture, q))
        << "quad " << n << " (" << l << ", " << t << ")-(" << r << ", " << b << ")";
  }
}

// Sprites drawn texel for texel, as nearly all of the game's are, take the fast path's straight row
// copies and selects: opaque pictures, keyed ones (alpha 0 or 255) and translucent ones, under opaque
// white, white with any vertex alpha, or any colour, on whole and half pixels, some cells running over
// the picture's edge so that they wrap. Their pixels too must be exactly the general path's.
TEST_F(Raster, TexelForTexelRowsGiveExactlyTheGeneralPathsPixels) {
  constexpr int kTexW = 96, kTexH = 64;
  std::mt19937 rng(20251211);
  auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
  auto word = [&] { return static_cast<uint32_t>(rng()); };

  PixelVector opaque(kTexW * kTexH), keyed(kTexW * kTexH), translucent(kTexW * kTexH);
  for (uint32_t& t : opaque) t = kBlack | word();
  for (uint32_t& t : keyed) t = pick(3) == 0 ? 0 : kBlack | word();
  for (uint32_t& t : translucent) t = word();
  GfxTexture textures[] = {GfxTexture(kTexW, kTexH, opaque), GfxTexture(kTexW, kTexH, keyed),
                           GfxTexture(kTexW, kTexH, translucent)};
  ASSERT_TRUE(textures[0].View().opaque);
  ASSERT_TRUE(textures[1].View().binaryAlpha);

  TestCanvas fast(200, 150, kBlack), general(200, 150, kBlack);
  for (size_t i = 0; i < fast.pixels.size(); ++i) fast.pixels[i] = general.pixels[i] = kBlack | word();
  for (int n = 0; n < 3000; ++n) {
    int w = 1 + pick(90), h = 1 + pick(60), cellX = pick(kTexW), cellY = pick(kTexH);
    float l = static_cast<float>(pick(260) - 40) - 0.5f * pick(2), t = static_cast<float>(pick(200) - 30) - 0.5f * pick(2);
    uint32_t colors[] = {kWhite, kWhite, (word() << 24) | 0xFFFFFFu, 0xFFFFFFu, word()};
    SpriteQuad q = Rect(l, t, l + w, t + h, float(cellX) / kTexW, float(cellY) / kTexH, float(cellX + w) / kTexW,
                        float(cellY + h) / kTexH, colors[pick(5)]);
    const GfxTexture& texture = textures[pick(3)];
    ASSERT_TRUE(DrawnAlikeBothWays(fast, general, texture, q))
        << "quad " << n << " (" << l << ", " << t << ") " << w << " × " << h;
  }
}

// The device's clear waits for the frame's first draw, which may make it moot. Whatever that draw is,
// the pixels must be those of a clear carried out at once, then the same draws.
TEST_F(Raster, DeferredClearGivesThePixelsOfAClearCarriedOutAtOnce) {
  constexpr uint32_t kClear = 0xFF203040u;
  enum Picture { kOpaque, kKeyed, kNone };
  struct Step {
    Picture picture;
    float l, t, r, b;
    uint32_t color;
  };
  struct Case {
    const char* what;
    std::vector<Step> steps;
    bool line;  // the results graph's line after the quads
  };
  const Case cases[] = {
      {"an opaque picture over the whole screen", {{kOpaque, -0.5f, -0.5f, 639.5f, 479.5f, kWhite}}, false},
      {"and beyond it", {{kOpaque, -20, -30, 700, 19680, kWhite}}, false},
      {"translucent over the whole screen", {{kOpaque, -0.5f, -0.5f, 639.5f, 479.5f, 0xFEFFFFFFu}}, false},
      {"tinted over the whole screen", {{kOpaque, -0.5f, -0.5f, 639.5f, 479.5f, 0xFFFFFFFEu}}, false},
      {"a keyed picture over the whole screen", {{kKeyed, -0.5f, -0.5f, 639.5f, 479.5f, kWhite}}, false},
      {"one column short", {{kOpaque, -0.5f, -0.5f, 638.5f, 479.5f, kWhite}}, false},
      {"one row short", {{kOpaque, -0.5f, -0.5f, 639.5f, 478.5f, kWhite}}, false},
      {"starting one column in", {{kOpaque, 0.5f, -0.5f, 639.5f, 479.5f, kWhite}}, false},
      {"a sprite first", {{kKeyed, 10, 10, 58, 58, kWhite}, {kOpaque, -0.5f, -0.5f, 639.5f, 479.5f, kWhite}}, false},
      {"no texture, then a sprite", {{kNone, -0.5f, -0.5f, 639.5f, 479.5f, kWhite}, {kKeyed, 10, 10, 58, 58, kWhite}},
       false},
      {"nothing drawn", {}, false},
      {"only the line", {}, true},
      {"the whole screen, then the line", {{kOpaque, -0.5f, -0.5f, 639.5f, 479.5f, kWhite}}, true},
  };
  PixelVector keyedTexels = UniqueTexels(64, 48);
  for (size_t i = 0; i < keyedTexels.size(); i += 3) keyedTexels[i] = 0;
  GfxTexture opaque(640, 480, UniqueTexels(640, 480)), keyed(64, 48, keyedTexels);
  const GfxTexture* pictures[] = {&opaque, &keyed, nullptr};
  const GfxPoint line[] = {{10, 400}, {300, 20}, {630, 470}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    GfxDevice device(0);
    TestCanvas expected(640, 480, kClear);
    // The last frame's picture, which the clear must not let through.
    SpriteQuad last = Rect(-0.5f, -0.5f, 639.5f, 479.5f, 0.25f, 0.5f, 1.25f, 1.5f);
    device.BeginScene();
    device.SetTexture(&opaque);
    device.DrawQuad(last.v);
    device.EndScene();
    device.Clear(kClear);
    device.BeginScene();
    for (const Step& step : c.steps) {
      SpriteQuad q = Rect(step.l, step.t, step.r, step.b, 0, 0, 1, 1, step.color);
      device.SetTexture(pictures[step.picture]);
      device.DrawQuad(q.v);
      if (pictures[step.picture] != nullptr) DrawQuad(expected.View(), pictures[step.picture]->View(), q.v);
    }
    if (c.line) {
      device.DrawPolyline(line, 3, 0xFFFFAEC9u);
      DrawPolyline(expected.View(), &line[0].x, 3, 0xFFFFAEC9u);
    }
    device.EndScene();
    int wrong = 0;
    for (int p = 0; p < 640 * 480; ++p) wrong += device.Pixels()[p] != expected.pixels[p];
    EXPECT_EQ(wrong, 0);
  }
}

// The results graph's line: pink along its path, shared between the two pixels across it, nothing away
// from it.
TEST_F(Raster, AntialiasedPolylineDrawsPinkAlongItsPathOnly) {
  constexpr uint32_t kPink = 0xFFFFAEC9u;
  const float points[] = {50, 60, 250, 110, 300, 300, 120, 280};
  TestCanvas canvas(400, 400, kBlack);
  DrawPolyline(canvas.View(), points, 4, kPink);

  auto distanceToLine = [&](float px, float py) {
    float best = 1e9f;
    for (int s = 0; s < 3; ++s) {
      float ax = points[2 * s], ay = points[2 * s + 1], bx = points[2 * s + 2], by = points[2 * s + 3];
      float dx = bx - ax, dy = by - ay;
      float t = std::clamp(((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy), 0.0f, 1.0f);
      best = std::min(best, std::hypot(px - ax - t * dx, py - ay - t * dy));
    }
    return best;
  };
  for (int y = 0; y < 400; ++y) {
    for (int x = 0; x < 400; ++x) {
      uint32_t p = canvas.At(x, y);
      if (p == kBlack) continue;
      ASSERT_LT(distanceToLine(x, y), 2.0f) << "pixel " << x << ", " << y << " far from the line is drawn";
      // Pink at some coverage over black: green and blue keep pink's proportions to red.
      int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
      EXPECT_NEAR(g, r * 0xAE / 255.0, 1.5) << "pixel " << x << ", " << y;
      EXPECT_NEAR(b, r * 0xC9 / 255.0, 1.5) << "pixel " << x << ", " << y;
    }
  }
  // Along the shallow first segment the two pixels across the line share one full pixel of coverage.
  for (int x = 55; x <= 245; ++x) {
    int red = 0;
    for (int y = 0; y < 200; ++y) red += (canvas.At(x, y) >> 16) & 0xFF;
    EXPECT_NEAR(red, 255, 2) << "column " << x;
  }
  // And along the steep second segment, row by row.
  for (int y = 115; y <= 275; ++y) {
    int red = 0;
    for (int x = 200; x < 400; ++x) red += (canvas.At(x, y) >> 16) & 0xFF;
    EXPECT_NEAR(red, 255, 2) << "row " << y;
  }
}

// A line running off the canvas is clipped at every side; nothing lands in the stride's margin.
TEST_F(Raster, PolylineLeavingTheCanvasIsClipped) {
  constexpr uint32_t kMargin = 0xFFABCDEFu;
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float points[] = {-30, 10, 100, 30, 40, -20, 20, 70, 90, 47.5f, nan, 5, 10, 10};
  TestCanvas canvas(64, 48, kBlack, 80);
  for (int y = 0; y < 48; ++y) {
    for (int x = 64; x < 80; ++x) canvas.pixels[static_cast<size_t>(y) * 80 + x] = kMargin;
  }
  DrawPolyline(canvas.View(), points, 7, 0xFFFFAEC9u);
  int drawn = 0;
  for (int y = 0; y < 48; ++y) {
    for (int x = 0; x < 80; ++x) {
      uint32_t p = canvas.pixels[static_cast<size_t>(y) * 80 + x];
      if (x >= 64) {
        ASSERT_EQ(p, kMargin) << "margin pixel " << x << ", " << y;
      } else {
        drawn += p != kBlack;
      }
    }
  }
  EXPECT_GT(drawn, 150);
}

TEST_F(Raster, DeviceLineDrawsOnlyBetweenBeginAndEnd) {
  constexpr uint32_t kPink = 0xFFFFAEC9u;
  GfxDevice device(0);
  GfxLine line(&device);
  GfxPoint points[] = {{10, 10}, {600, 400}};
  device.Clear(kBlack);
  device.BeginScene();
  line.Draw(points, 2, kPink);  // not begun: nothing
  EXPECT_EQ(std::count(device.Pixels(), device.Pixels() + 640 * 480, kBlack), 640 * 480);
  line.Begin();
  line.Draw(points, 2, kPink);
  line.End();
  device.EndScene();
  EXPECT_GT(640 * 480 - std::count(device.Pixels(), device.Pixels() + 640 * 480, kBlack), 590);
}

}  // namespace
