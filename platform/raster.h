// The software rasterizer: textured, colour-modulated, alpha-blended quads and antialiased lines.
#pragma once

#include <cstdint>

// The one vertex format the device draws: a position already in screen pixels, a colour, and one
// pair of texture coordinates. 28 bytes, in this order.
struct GfxVertex {
  float x, y;        // screen pixels; a pixel's centre is at integer coordinates
  float z;           // unused (always 0)
  float rhw;         // unused (always 1): the position is already on the screen
  uint32_t diffuse;  // ARGB colour multiplied into the texture; its alpha scales the texture's alpha
  float u, v;        // texture coordinates: 0 to 1 span the picture, values outside repeat it
};
static_assert(sizeof(GfxVertex) == 28);

// A picture to sample from: ARGB words, row after row.
struct TextureView {
  const uint32_t* texels = nullptr;
  int width = 0;
  int height = 0;
  bool opaque = false;       // every texel has alpha 255
  bool binaryAlpha = false;  // every texel has alpha 0 or 255
};

// The picture drawn into: ARGB words, row after row, stride in words.
struct Canvas {
  uint32_t* pixels = nullptr;
  int width = 0;
  int height = 0;
  int stride = 0;
};

// Draws the quad v[0..3] as the triangle fan (0, 1, 2), (0, 2, 3).
void DrawQuad(const Canvas& canvas, const TextureView& texture, const GfxVertex v[4]);

// Whether DrawQuad would give every pixel of the canvas a value that does not depend on what was there:
// an opaque picture under opaque white over the whole canvas. Such a draw makes a clear before it moot.
bool CoversCanvasOpaquely(const Canvas& canvas, const TextureView& texture, const GfxVertex v[4]);

// The same through the general triangle path only; tests compare it with DrawQuad's fast path.
void DrawQuadGeneral(const Canvas& canvas, const TextureView& texture, const GfxVertex v[4]);

// An antialiased polyline one pixel wide through count points (x, y pairs), blended in colour (ARGB).
void DrawPolyline(const Canvas& canvas, const float* points, int count, uint32_t color);

// round(x / 255) for x in 0 .. 65535, without a division.
inline uint32_t Div255Round(uint32_t x) { return (x + 128 + ((x + 128) >> 8)) >> 8; }
