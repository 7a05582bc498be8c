// Sprite quads: the texture rectangle of every kind, the half-pixel rule, and moving a quad.
#include <gtest/gtest.h>

#include "game/game.h"
#include "render/render.h"

namespace {

struct UV {
  float left, top, right, bottom;
};

void ExpectQuad(const SpriteQuad& q, float l, float t, float r, float b, const UV& uv, uint32_t color) {
  const float x[4] = {l, r, r, l}, y[4] = {t, t, b, b};
  const float u[4] = {uv.left, uv.right, uv.right, uv.left}, v[4] = {uv.top, uv.top, uv.bottom, uv.bottom};
  for (int k = 0; k < 4; ++k) {
    SCOPED_TRACE(testing::Message() << "vertex " << k);
    EXPECT_FLOAT_EQ(q.v[k].x, x[k]);
    EXPECT_FLOAT_EQ(q.v[k].y, y[k]);
    EXPECT_EQ(q.v[k].z, 0.0f);
    EXPECT_EQ(q.v[k].rhw, 1.0f);
    EXPECT_EQ(q.v[k].diffuse, color);
    EXPECT_FLOAT_EQ(q.v[k].u, u[k]);
    EXPECT_FLOAT_EQ(q.v[k].v, v[k]);
  }
}

class SpriteQuads : public ::testing::Test {
 protected:
  void SetUp() override { g_HalfPixel = 0.5f; }
  void TearDown() override {
    g_HalfPixel = 0;
    g_PlayerFrame = 0;
    g_WaveNo = 0;
  }
};

TEST_F(SpriteQuads, EveryKindSelectsItsTextureRectangle) {
  struct Case {
    int kind;
    int playerFrame, waveNo;  // what kinds 3 and 4 depend on
    UV uv;
  };
  const Case cases[] = {
      {0, 0, 0, {0, 0, 1, 1}},
      {1, 0, 0, {0, 0, 0.125f, 1}},
      {2, 0, 0, {0, 0, 0.09f, 0.5f}},
      {3, 0, 0, {0, 0, 0.2f, 1}},
      {3, 1, 0, {0.2f, 0, 0.475f, 0.66f}},
      {3, 2, 0, {0, 0, 0.2f, 1}},
      {3, 3, 0, {0.2f, 0, 0.475f, 0.66f}},
      {3, 4, 0, {0.5f, 0, 0.725f, 0.75f}},
      {3, 5, 0, {0.75f, 0, 1, 0.75f}},
      {3, 6, 0, {0.5f, 0, 0.725f, 0.75f}},
      {3, 7, 0, {0.75f, 0, 1, 0.75f}},
      {4, 0, 0, {0, 0, 0.125f, 1}},
      {4, 0, 1, {0.25f, 0, 0.375f, 1}},
      {4, 0, 2, {0.5f, 0, 0.625f, 1}},
      {4, 0, 3, {0.75f, 0, 0.875f, 1}},
      {4, 0, 4, {1, 0, 1.125f, 1}},
      {5, 0, 0, {0, 0, 0.125f, 0.75f}},
      {6, 0, 0, {0.125f, 0, 0.25f, 0.375f}},
      {7, 0, 0, {0.25f, 0, 0.375f, 0.375f}},
      {8, 0, 0, {0.375f, 0, 0.5416f, 0.5f}},
      {9, 0, 0, {0.5416f, 0, 0.666f, 0.375f}},
      {10, 0, 0, {0.666f, 0, 1, 1}},
      {11, 0, 0, {0, 0, 0.166666f, 1}},
      {12, 0, 0, {0.5f, 0, 0.666666f, 1}},
      {13, 0, 0, {0.25f, 0, 0.375f, 1}},
      {14, 0, 0, {0, 0, 0.18181f, 0.5f}},
      {15, 0, 0, {0.18181f, 0, 0.45454f, 0.33333f}},
      {16, 0, 0, {0, 0.5f, 0.18181f, 1}},
      {17, 0, 0, {0.18181f, 0.33333f, 0.45454f, 0.66666f}},
      {18, 0, 0, {0.45454f, 0, 0.72727f, 0.5f}},
      {19, 0, 0, {0.72727f, 0, 1, 0.5f}},
      {20, 0, 0, {0.45454f, 0.5f, 0.72727f, 1}},
      {21, 0, 0, {0.72727f, 0.5f, 1, 1}},
      {22, 0, 0, {0, 0, 0.25f, 1}},
      {23, 0, 0, {0, 0, 0.6f, 1}},
      {24, 0, 0, {0.6f, 0, 1, 0.66666f}},
      {26, 0, 0, {0, 0, 0.125f, 1}},
      {27, 0, 0, {0.125f, 0, 0.25f, 1}},
      {28, 0, 0, {0.25f, 0, 0.375f, 1}},
      {29, 0, 0, {0.375f, 0, 0.5f, 1}},
      {30, 0, 0, {0.5f, 0, 0.625f, 1}},
      {31, 0, 0, {0.625f, 0, 0.75f, 1}},
      {32, 0, 0, {0.75f, 0, 0.875f, 1}},
      {33, 0, 0, {0.875f, 0, 1, 1}},
      {35, 0, 0, {0, 0, 0.1f, 1}},
      {36, 0, 0, {0, 0, 0.1f, 1}},
      {37, 0, 0, {0, 0, 0.1f, 1}},
      {38, 0, 0, {0, 0, 0.1f, 1}},
      {39, 0, 0, {0, 0, 0.1f, 1}},
      {40, 0, 0, {0, 0, 0.1f, 1}},
      {41, 0, 0, {0, 0, 0.1f, 1}},
      {42, 0, 0, {0, 0, 0.1f, 1}},
      {43, 0, 0, {0, 0, 0.1f, 1}},
      {44, 0, 0, {0, 0, 0.1f, 1}},
      {45, 0, 0, {0, 0, 1, 1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "kind " << c.kind << ", player frame " << c.playerFrame << ", wave "
                                    << c.waveNo);
    g_PlayerFrame = c.playerFrame;
    g_WaveNo = c.waveNo;
    SpriteQuad q;
    q.v[2].diffuse = 0x12345678u;  // must be overwritten with opaque white
    SpriteQuad& returned = SetSpriteQuad(q, c.kind, 100, 50, 148, 98);
    EXPECT_EQ(&returned, &q);
    float shift = c.kind == 45 ? 0 : 0.5f;
    ExpectQuad(q, 100 - shift, 50 - shift, 148 - shift, 98 - shift, c.uv, kOpaqueWhite);
  }
}

TEST_F(SpriteQuads, HalfPixelRuleShiftsEveryKindButFortyFive) {
  SpriteQuad whole, exact;
  SetSpriteQuad(whole, 0, 0, 0, 640, 480);
  SetSpriteQuad(exact, 45, 0, 0, 640, 480);
  ExpectQuad(whole, -0.5f, -0.5f, 639.5f, 479.5f, {0, 0, 1, 1}, kOpaqueWhite);
  ExpectQuad(exact, 0, 0, 640, 480, {0, 0, 1, 1}, kOpaqueWhite);
  // Before start-up sets it, the offset is nothing.
  g_HalfPixel = 0;
  SetSpriteQuad(whole, 0, 0, 0, 640, 480);
  ExpectQuad(whole, 0, 0, 640, 480, {0, 0, 1, 1}, kOpaqueWhite);
}

TEST_F(SpriteQuads, MovingKeepsTextureCoordinatesColoursAndTheHalfPixelOffset) {
  g_PlayerFrame = 5;
  SpriteQuad q;
  SetSpriteQuad(q, 3, 10, 20, 22, 44);
  SetQuadColor(q, 0x80FF4020u);
  MoveSpriteQuad(q, 6, -6);
  MoveSpriteQuad(q, 0.25f, 100);
  ExpectQuad(q, 15.75f, 113.5f, 27.75f, 137.5f, {0.75f, 0, 1, 0.75f}, 0x80FF4020u);
}

}  // namespace
