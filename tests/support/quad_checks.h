// Checks on sprite quads: the pixel rectangle, the texture rectangle and the colour of all four vertices.
#pragma once

#include <cstdint>

#include "render/render.h"

// What a quad should hold: vertex 0 top-left, 1 top-right, 2 bottom-right, 3 bottom-left.
struct QuadRect {
  float left, top, right, bottom;
};
struct TexRect {
  float left, top, right, bottom;
};

// Positions of all four vertices; exact, since every value here is a sum of small binary fractions.
void ExpectQuadAt(const SpriteQuad& quad, QuadRect rect);
// Texture coordinates of all four vertices, to within a float's rounding.
void ExpectQuadUV(const SpriteQuad& quad, TexRect uv);
// The whole vertex: position, texture rectangle, z 0, rhw 1 and the colour.
void ExpectQuad(const SpriteQuad& quad, QuadRect rect, TexRect uv, uint32_t color = 0xFFFFFFFFu);
