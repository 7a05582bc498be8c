// Sprite quads: filling them by kind with the half-pixel rule, moving them, drawing them.
#include <cmath>

#include "app/app.h"
#include "game/game.h"
#include "render/render.h"

float g_HalfPixel = 0;

const float g_SpriteUVTable[22][4] = {
    // left u   top v     right u   bottom v      rows 0-7: player shot by facing
    {0,         0,        0.2f,     1},
    {0.2f,      0,        0.475f,   0.66f},
    {0,         0,        0.2f,     1},
    {0.2f,      0,        0.475f,   0.66f},
    {0.5f,      0,        0.725f,   0.75f},
    {0.75f,     0,        1,        0.75f},
    {0.5f,      0,        0.725f,   0.75f},
    {0.75f,     0,        1,        0.75f},
    // rows 8-13: enemy bullets of types 0 to 5 (kinds 5 to 10)
    {0,         0,        0.125f,   0.75f},
    {0.125f,    0,        0.25f,    0.375f},
    {0.25f,     0,        0.375f,   0.375f},
    {0.375f,    0,        0.5416f,  0.5f},
    {0.5416f,   0,        0.666f,   0.375f},
    {0.666f,    0,        1,        1},
    // rows 14-21: missiles by direction (kinds 14 to 21)
    {0,         0,        0.18181f, 0.5f},
    {0.18181f,  0,        0.45454f, 0.33333f},
    {0,         0.5f,     0.18181f, 1},
    {0.18181f,  0.33333f, 0.45454f, 0.66666f},
    {0.45454f,  0,        0.72727f, 0.5f},
    {0.72727f,  0,        1,        0.5f},
    {0.45454f,  0.5f,     0.72727f, 1},
    {0.72727f,  0.5f,     1,        1},
};

namespace {

struct UVRect {
  float left, top, right, bottom;
};

UVRect TableRow(int row) {
  const float* r = g_SpriteUVTable[row];
  return UVRect{r[0], r[1], r[2], r[3]};
}

UVRect KindRect(int kind) {
  if (kind == 1) return {0, 0, 0.125f, 1};
  if (kind == 2) return {0, 0, 0.09f, 0.5f};
  if (kind == 3) return TableRow(g_PlayerFrame);
  if (kind == 4) return {g_WaveNo * 0.25f, 0, g_WaveNo * 0.25f + 0.125f, 1};
  if (kind >= 5 && kind <= 10) return TableRow(kind + 3);
  if (kind == 11 || kind == 12) return {(kind - 11) * 0.5f, 0, (kind - 11) * 0.5f + 0.166666f, 1};
  if (kind == 13) return {0.25f, 0, 0.375f, 1};
  if (kind >= 14 && kind <= 21) return TableRow(kind);
  if (kind == 22) return {0, 0, 0.25f, 1};
  if (kind == 23) return {0, 0, 0.6f, 1};
  if (kind == 24) return {0.6f, 0, 1, 0.66666f};
  if (kind >= 26 && kind <= 33) return {(kind - 26) * 0.125f, 0, (kind - 26) * 0.125f + 0.125f, 1};
  if (kind >= 35 && kind <= 44) return {0, 0, 0.1f, 1};
  return {0, 0, 1, 1};  // kind 0 and 45: the whole picture
}

}  // namespace

SpriteQuad& SetSpriteQuad(SpriteQuad& quad, int kind, float left, float top, float right, float bottom) {
  // Pixel centres sit at whole coordinates, so half a pixel up and left puts each texel on a pixel.
  if (kind != 45) {
    left -= g_HalfPixel;
    top -= g_HalfPixel;
    right -= g_HalfPixel;
    bottom -= g_HalfPixel;
  }
  UVRect uv = KindRect(kind);
  SetQuad(quad, left, top, right, bottom, uv.left, uv.top, uv.right, uv.bottom);
  return quad;
}

void MoveSpriteQuad(SpriteQuad& quad, float dx, float dy) {
  for (SpriteVertex& v : quad.v) {
    v.x += dx;
    v.y += dy;
  }
}

void DrawSpriteQuad(const GfxTexture* texture, const SpriteQuad& quad) {
  g_Device->SetTexture(texture);
  g_Device->DrawQuad(quad.v);
}

void SetQuadU(SpriteQuad& quad, float left, float right) {
  quad.v[0].u = left;
  quad.v[3].u = left;
  quad.v[1].u = right;
  quad.v[2].u = right;
}

void SetQuadUV(SpriteQuad& quad, float left, float top, float right, float bottom) {
  SetQuadU(quad, left, right);
  quad.v[0].v = top;
  quad.v[1].v = top;
  quad.v[2].v = bottom;
  quad.v[3].v = bottom;
}

void SetQuadPosition(SpriteQuad& quad, float left, float top, float right, float bottom) {
  quad.v[0].x = left, quad.v[0].y = top;
  quad.v[1].x = right, quad.v[1].y = top;
  quad.v[2].x = right, quad.v[2].y = bottom;
  quad.v[3].x = left, quad.v[3].y = bottom;
}

void SetQuadColor(SpriteQuad& quad, uint32_t argb) {
  for (SpriteVertex& v : quad.v) v.diffuse = argb;
}

void SetQuad(SpriteQuad& quad, float left, float top, float right, float bottom, float u0, float v0, float u1,
             float v1, uint32_t argb) {
  SetQuadPosition(quad, left, top, right, bottom);
  SetQuadUV(quad, u0, v0, u1, v1);
  for (SpriteVertex& v : quad.v) {
    v.z = 0;
    v.rhw = 1;
    v.diffuse = argb;
  }
}
