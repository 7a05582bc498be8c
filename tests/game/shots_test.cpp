// The player's shots: a volley's placement by facing, its first frames, full slots, and the field's edges.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/app.h"
#include "game/game.h"
#include "tests/support/harness.h"
#include "tests/support/quad_checks.h"
#include "tests/support/slot_log.h"

namespace {

void ExpectHitRect(const SpriteObject& shot, HitRect r) {
  EXPECT_EQ(shot.hitRect.left, r.left);
  EXPECT_EQ(shot.hitRect.top, r.top);
  EXPECT_EQ(shot.hitRect.right, r.right);
  EXPECT_EQ(shot.hitRect.bottom, r.bottom);
}

void Volley(GameHarness& game) {
  game.Type("z");
  game.KeyUp(kVkZ);
}

TEST(Shots, AVolleyFromTheStartWaitsAFrameAtTheMuzzlesThenFliesUpUntilTheScoreBar) {
  GameHarness game;
  game.StartStage(0);
  SlotLog log;
  game.Type("z");
  EXPECT_EQ(log.entries, (std::vector<std::string>{"rewind 2", "play 2"}));
  ASSERT_EQ(ActivePlayerShots(), 2);
  const SpriteObject& first = g_PlayerShots[0];
  const SpriteObject& second = g_PlayerShots[1];
  // Vertex 0 carries the new-shot marker until the next update; the other corners are in place.
  EXPECT_EQ(first.quad.v[0].x, 10296.0f);
  EXPECT_EQ(second.quad.v[0].x, 10332.0f);
  for (int i = 1; i < 4; ++i) {
    EXPECT_EQ(first.quad.v[i].x, i == 3 ? 297.0f : 305.0f);
    EXPECT_EQ(second.quad.v[i].x, i == 3 ? 333.0f : 341.0f);
  }
  for (const SpriteObject* shot : {&first, &second}) {
    EXPECT_EQ(shot->quad.v[0].y, 422.0f);
    EXPECT_EQ(shot->quad.v[2].y, 434.0f);
    ExpectQuadUV(shot->quad, {0, 0, 0.2f, 1});
    EXPECT_EQ(shot->dx, 0);
    EXPECT_EQ(shot->dy, -16);
    EXPECT_EQ(shot->type, 0);
  }

  game.Tick();
  ExpectQuad(first.quad, {297, 422, 305, 434}, {0, 0, 0.2f, 1});
  ExpectQuad(second.quad, {333, 422, 341, 434}, {0, 0, 0.2f, 1});
  ExpectHitRect(first, {297, 422, 305, 434});
  ExpectHitRect(second, {333, 422, 341, 434});
  game.Tick();
  ExpectQuadAt(first.quad, {297, 406, 305, 418});
  ExpectHitRect(first, {297, 406, 305, 418});

  game.Tick(23);
  EXPECT_EQ(first.quad.v[0].y, 38.0f);
  EXPECT_EQ(ActivePlayerShots(), 2);
  game.Tick();
  EXPECT_EQ(ActivePlayerShots(), 0);
  ExpectQuadAt(first.quad, {297, 22, 305, 34});
  ExpectHitRect(first, {297, 22, 305, 34});
}

// A volley fired facing one direction from the ship at the start, (295.5, 407.5).
struct VolleyCase {
  std::string name;
  std::string keys;       // the keypad characters that face the ship that way
  int facing;
  QuadRect first, second;  // after the first update
  TexRect uv;
  int dx, dy;
};

void PrintTo(const VolleyCase& c, std::ostream* os) { *os << c.name; }

class VolleyByFacing : public testing::TestWithParam<VolleyCase> {};

TEST_P(VolleyByFacing, ShotsLeaveTheirMuzzlesWithTheirPictureAndSpeed) {
  const VolleyCase& c = GetParam();
  GameHarness game;
  game.StartStage(0);
  game.Type(c.keys);
  ASSERT_EQ(g_PlayerFrame, c.facing);
  game.Type("z");
  for (uint32_t vk : {kVkNumpad2, kVkNumpad4, kVkNumpad6, kVkNumpad8}) game.KeyUp(vk);  // the ship stays put
  game.Tick();
  ASSERT_EQ(ActivePlayerShots(), 2);
  const QuadRect* rects[2] = {&c.first, &c.second};
  for (int s = 0; s < 2; ++s) {
    SCOPED_TRACE("shot " + std::to_string(s));
    const SpriteObject& shot = g_PlayerShots[s];
    const QuadRect& r = *rects[s];
    ExpectQuad(shot.quad, r, c.uv);
    ExpectHitRect(shot, {int(r.left), int(r.top), int(r.right), int(r.bottom)});
    EXPECT_EQ(shot.type, c.facing);
  }
  game.Tick();
  for (int s = 0; s < 2; ++s) {
    const QuadRect& r = *rects[s];
    ExpectQuadAt(g_PlayerShots[s].quad, {r.left + c.dx, r.top + c.dy, r.right + c.dx, r.bottom + c.dy});
  }
}

INSTANTIATE_TEST_SUITE_P(
    Shots, VolleyByFacing,
    testing::Values(
        VolleyCase{"Up", "8", 0, {297, 422, 305, 434}, {333, 422, 341, 434}, {0, 0, 0.2f, 1}, 0, -16},
        VolleyCase{"Right", "6", 1, {316, 409, 328, 417}, {316, 445, 328, 453}, {0.2f, 0, 0.475f, 0.66f}, 18, 0},
        VolleyCase{"Down", "2", 2, {297, 428, 305, 440}, {333, 428, 341, 440}, {0, 0, 0.2f, 1}, 0, 20},
        VolleyCase{"Left", "4", 3, {310, 409, 322, 417}, {310, 445, 322, 453}, {0.2f, 0, 0.475f, 0.66f}, -18, 0},
        VolleyCase{"UpLeft", "84", 4, {296, 434, 306, 444}, {321, 409, 331, 419}, {0.5f, 0, 0.725f, 0.75f}, -18, -18},
        VolleyCase{"UpRight", "86", 5, {306, 408, 316, 418}, {331, 433, 341, 443}, {0.75f, 0, 1, 0.75f}, 18, -18},
        VolleyCase{"DownRight", "62", 6, {307, 443, 317, 453}, {332, 418, 342, 428}, {0.5f, 0, 0.725f, 0.75f}, 20, 20},
        VolleyCase{"DownLeft", "42", 7, {297, 419, 307, 429}, {322, 444, 332, 454}, {0.75f, 0, 1, 0.75f}, -20, 20}),
    [](const testing::TestParamInfo<VolleyCase>& info) { return info.param.name; });

TEST(Shots, WithOneSlotFreeAVolleyHasOneShotAndWithNoneItHasNoneButTheSoundRestarts) {
  GameHarness game;
  game.StartStage(0);
  for (int i = 0; i < 9; ++i) Volley(game);
  ASSERT_EQ(ActivePlayerShots(), 18);
  g_PlayerShots[5].active = 0;  // it hit something
  SpriteObject before[kPlayerShots];
  std::memcpy(before, g_PlayerShots, sizeof before);
  SlotLog log;

  Volley(game);
  EXPECT_EQ(ActivePlayerShots(), 18);
  EXPECT_EQ(g_PlayerShots[5].quad.v[0].x, 297.0f + 9999);  // the first muzzle, though slot 5 held a second shot
  EXPECT_EQ(g_PlayerShots[5].quad.v[1].x, 305.0f);
  for (int s = 0; s < kPlayerShots; ++s) {
    if (s == 5) continue;
    EXPECT_EQ(std::memcmp(&g_PlayerShots[s], &before[s], sizeof before[s]), 0) << "shot " << s;
  }
  std::memcpy(before, g_PlayerShots, sizeof before);

  Volley(game);
  EXPECT_EQ(std::memcmp(g_PlayerShots, before, sizeof before), 0);
  EXPECT_EQ(log.entries, (std::vector<std::string>{"rewind 2", "play 2", "rewind 2", "play 2"}));
}

TEST(Shots, AVolleyWhileTheShipIsDestroyedDoesNothing) {
  GameHarness game;
  game.StartStage(0);
  g_PlayerAlive = 0;
  SlotLog log;
  game.Type("z");
  EXPECT_EQ(ActivePlayerShots(), 0);
  EXPECT_TRUE(log.entries.empty());
}

// A shot one step from an edge of the field: the step onto the edge keeps it, the step past retires it.
struct EdgeCase {
  std::string name;
  int facing;
  float x, y, w, h;
  int dx, dy;
};

void PrintTo(const EdgeCase& c, std::ostream* os) { *os << c.name; }

class ShotEdges : public testing::TestWithParam<EdgeCase> {};

TEST_P(ShotEdges, AShotIsRetiredInTheUpdateThatMovesItPastTheEdge) {
  const EdgeCase& c = GetParam();
  GameHarness game;
  game.StartStage(0);
  SpriteObject& shot = g_PlayerShots[0];
  SetQuad(shot.quad, c.x, c.y, c.x + c.w, c.y + c.h, 0, 0, 1, 1);
  shot.active = 1;
  shot.type = c.facing;
  shot.dx = c.dx;
  shot.dy = c.dy;

  UpdatePlayerShots();
  float x1 = c.x + c.dx, y1 = c.y + c.dy;
  EXPECT_EQ(shot.active, 1) << "on the edge at (" << x1 << ", " << y1 << ")";
  UpdatePlayerShots();
  float x2 = x1 + c.dx, y2 = y1 + c.dy;
  EXPECT_EQ(shot.active, 0) << "past the edge at (" << x2 << ", " << y2 << ")";
  ExpectQuadAt(shot.quad, {x2, y2, x2 + c.w, y2 + c.h});
  ExpectHitRect(shot, {int(x2), int(y2), int(x2 + c.w), int(y2 + c.h)});
}

INSTANTIATE_TEST_SUITE_P(Shots, ShotEdges,
                         testing::Values(EdgeCase{"Top", 0, 100, 48, 8, 12, 0, -16},
                                         EdgeCase{"Right", 1, 610, 200, 12, 8, 18, 0},
                                         EdgeCase{"Bottom", 2, 100, 448, 8, 12, 0, 20},
                                         EdgeCase{"Left", 3, 18, 200, 12, 8, -18, 0}),
                         [](const testing::TestParamInfo<EdgeCase>& info) { return info.param.name; });

TEST(Shots, AShotKeepsItsDirectionWhenTheShipTurns) {
  GameHarness game;
  game.StartStage(0);
  game.Type("z");
  game.Tick();
  game.Type("6");
  game.Tick();
  const SpriteObject& shot = g_PlayerShots[0];
  ExpectQuad(shot.quad, {297, 406, 305, 418}, {0, 0, 0.2f, 1});
  EXPECT_EQ(shot.type, 0);
  game.KeyUp(kVkZ);
  game.Type("z");
  EXPECT_EQ(g_PlayerShots[2].type, 1);
  EXPECT_EQ(g_PlayerShots[2].dx, 18);
}

}  // namespace
