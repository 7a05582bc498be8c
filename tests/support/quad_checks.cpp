// The quad checks, vertex by vertex so that a failure names the corner.
#include "tests/support/quad_checks.h"

#include <gtest/gtest.h>

void ExpectQuadAt(const SpriteQuad& quad, QuadRect r) {
  const float xs[4] = {r.left, r.right, r.right, r.left};
  const float ys[4] = {r.top, r.top, r.bottom, r.bottom};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(quad.v[i].x, xs[i]) << "x of vertex " << i;
    EXPECT_EQ(quad.v[i].y, ys[i]) << "y of vertex " << i;
  }
}

void ExpectQuadUV(const SpriteQuad& quad, TexRect uv) {
  const float us[4] = {uv.left, uv.right, uv.right, uv.left};
  const float vs[4] = {uv.top, uv.top, uv.bottom, uv.bottom};
  for (int i = 0; i < 4; ++i) {
    EXPECT_FLOAT_EQ(quad.v[i].u, us[i]) << "u of vertex " << i;
    EXPECT_FLOAT_EQ(quad.v[i].v, vs[i]) << "v of vertex " << i;
  }
}

void ExpectQuad(const SpriteQuad& quad, QuadRect rect, TexRect uv, uint32_t color) {
  ExpectQuadAt(quad, rect);
  ExpectQuadUV(quad, uv);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(quad.v[i].z, 0.0f) << "z of vertex " << i;
    EXPECT_EQ(quad.v[i].rhw, 1.0f) << "rhw of vertex " << i;
    EXPECT_EQ(quad.v[i].diffuse, color) << "colour of vertex " << i;
  }
}
