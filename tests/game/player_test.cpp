// The player's ship: a new ship, the playfield's edges, turning and the exhaust, destruction and the last life.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/app.h"
#include "game/game.h"
#include "sound/sound.h"
#include "tests/support/harness.h"
#include "tests/support/quad_checks.h"
#include "tests/support/slot_log.h"

namespace {

constexpr QuadRect kStartQuad = {295.5f, 407.5f, 343.5f, 455.5f};

TEST(Ship, ANewShipStandsAtTheStartAndItsFirstUpdatePlacesHitBoxAndExhaust) {
  GameHarness game;
  game.StartStage(0);
  g_PlayerAlive = 1;
  ResetPlayer();
  ExpectQuad(g_Player.quad, kStartQuad, {0, 0, 0.125f, 1});
  EXPECT_EQ(g_PlayerDX, 0);
  EXPECT_EQ(g_PlayerDY, 0);
  EXPECT_EQ(g_PlayerFrame, 0);
  EXPECT_EQ(g_ShownShipFrame, 0);
  EXPECT_EQ(g_DeathTimer, -1);
  ExpectQuad(g_PlayerGas.quad, {310.5f, 454.5f, 326.5f, 478.5f}, {0, 0, 0.09f, 0.5f});
  EXPECT_EQ(g_PlayerGas.active, 1);
  EXPECT_EQ(g_PlayerGas.dx | g_PlayerGas.dy | g_PlayerGas.type, 0);

  UpdatePlayer();
  ExpectQuadAt(g_Player.quad, kStartQuad);
  EXPECT_EQ(g_PlayerHitRect.left, 297);
  EXPECT_EQ(g_PlayerHitRect.top, 409);
  EXPECT_EQ(g_PlayerHitRect.right, 341);
  EXPECT_EQ(g_PlayerHitRect.bottom, 453);
  ExpectQuad(g_PlayerGas.quad, {311, 455, 327, 479}, {0, 0, 0.09f, 0.5f});
}

// A direction held from the start until the ship meets an edge of the playfield.
struct EdgeCase {
  std::string name;
  char key;
  std::function<float()> coordinate;  // the vertex coordinate the edge stops
  float start, step;
  int framesToEdge;                   // the frame whose step would cross the edge
  float edge;
};

void PrintTo(const EdgeCase& c, std::ostream* os) { *os << c.name; }

class PlayfieldEdges : public testing::TestWithParam<EdgeCase> {};

TEST_P(PlayfieldEdges, TheShipStepsUpToTheEdgeAndIsPushedBackOntoIt) {
  const EdgeCase& c = GetParam();
  GameHarness game;
  game.StartStage(0);
  game.Type(std::string(1, c.key));
  for (int frame = 1; frame <= c.framesToEdge + 1; ++frame) {
    game.Tick();
    float expected = frame < c.framesToEdge ? c.start + c.step * frame : c.edge;
    ASSERT_EQ(c.coordinate(), expected) << "frame " << frame;
    ASSERT_EQ(g_Player.quad.v[2].x - g_Player.quad.v[0].x, 48.0f);
    ASSERT_EQ(g_Player.quad.v[2].y - g_Player.quad.v[0].y, 48.0f);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Ship, PlayfieldEdges,
    testing::Values(EdgeCase{"Left", '4', [] { return g_Player.quad.v[0].x; }, 295.5f, -6, 50, 0},
                    EdgeCase{"Right", '6', [] { return g_Player.quad.v[2].x; }, 343.5f, 6, 50, 638},
                    EdgeCase{"Top", '8', [] { return g_Player.quad.v[0].y; }, 407.5f, -6, 63, 32},
                    EdgeCase{"Bottom", '2', [] { return g_Player.quad.v[2].y; }, 455.5f, 6, 1, 456}),
    [](const testing::TestParamInfo<EdgeCase>& info) { return info.param.name; });

TEST(Ship, TheClampMovesOnlyAQuadThatIsPastAnEdge) {
  struct ClampCase {
    float left, top;          // of a 48 × 48 quad
    float wantLeft, wantTop;  // after the clamp
  };
  const ClampCase cases[] = {
      {-0.5f, 200, 0, 200},    {0, 200, 0, 200},        // left edge 0
      {300, 31.5f, 300, 32},   {300, 32, 300, 32},      // top edge 32, below the score bar
      {590.5f, 200, 590, 200}, {590, 200, 590, 200},    // right edge 638, for vertex 2
      {300, 408.5f, 300, 408}, {300, 408, 300, 408},    // bottom edge 456, for vertex 2
      {-3, 20, 0, 32},         {595, 420, 590, 408},    // two edges at once
  };
  for (const ClampCase& c : cases) {
    SpriteQuad quad;
    SetQuad(quad, c.left, c.top, c.left + 48, c.top + 48, 0, 0, 0.125f, 1);
    ClampToPlayfield(quad);
    ExpectQuad(quad, {c.wantLeft, c.wantTop, c.wantLeft + 48, c.wantTop + 48}, {0, 0, 0.125f, 1});
  }
}

TEST(Ship, HeldDownFromTheStartItsTopStopsAt408) {
  GameHarness game;
  game.StartStage(0);
  game.Type("2");
  game.Tick(3);
  EXPECT_EQ(g_Player.quad.v[0].y, 408.0f);
  EXPECT_EQ(g_Player.quad.v[2].y, 456.0f);
}

TEST(Ship, TurningRightChangesTheShipAtOnceAndTheExhaustPictureAtItsNextChange) {
  GameHarness game;
  game.StartStage(0);
  ASSERT_EQ(g_ExhaustTimer, 1);
  game.Type("6");
  game.Tick();
  ExpectQuadUV(g_Player.quad, {0.125f, 0, 0.25f, 1});
  // The flame moves behind the ship at once, 24 × 16, but still shows the picture facing up.
  ExpectQuad(g_PlayerGas.quad, {277, 423, 301, 439}, {0, 0, 0.09f, 0.5f});
  game.Tick();
  ExpectQuadUV(g_PlayerGas.quad, {0.09f, 0, 0.23f, 0.33f});
  game.Tick(2);
  ExpectQuadUV(g_PlayerGas.quad, {0.09f, 0, 0.23f, 0.33f});
  game.Tick();
  ExpectQuadUV(g_PlayerGas.quad, {0.0977f, 0.5f, 0.24f, 0.83f});
  ExpectQuadAt(g_Player.quad, {295.5f + 6 * 5, 407.5f, 343.5f + 6 * 5, 455.5f});
}

TEST(Ship, ADestroyedShipExplodesFor15FramesThenANewOneStandsStillAtTheStart) {
  GameHarness game;
  game.StartStage(0);
  game.Type("z");
  game.Tick();
  ASSERT_EQ(ActivePlayerShots(), 2);
  game.Type("4");
  game.Tick(5);
  const SpriteQuad ship = g_Player.quad;
  const SpriteQuad exhaust = g_PlayerGas.quad;
  g_PlayerAlive = 0;  // what a hit does
  g_PlayerGas.active = 0;

  for (int k = 0; k < 15; ++k) {
    SCOPED_TRACE("explosion frame " + std::to_string(k));
    game.Tick();
    EXPECT_EQ(g_DeathTimer, k);
    EXPECT_EQ(g_PlayerAlive, 0);
    float left = (k / 5) * 0.3333f;
    ExpectQuad(g_Player.quad, {ship.v[0].x, ship.v[0].y, ship.v[2].x, ship.v[2].y}, {left, 0, left + 0.3333f, 1});
    ExpectQuad(g_PlayerGas.quad, {exhaust.v[0].x, exhaust.v[0].y, exhaust.v[2].x, exhaust.v[2].y},
               {exhaust.v[0].u, exhaust.v[0].v, exhaust.v[2].u, exhaust.v[2].v});
    EXPECT_EQ(g_Life, 32);
  }
  game.Tick();
  EXPECT_EQ(g_Life, 31);
  EXPECT_EQ(g_PlayerAlive, 1);
  EXPECT_EQ(g_PlayerGas.active, 1);
  EXPECT_EQ(g_DeathTimer, -1);
  ExpectQuad(g_Player.quad, kStartQuad, {0, 0, 0.125f, 1});
  // Left is still held, but the step changes only when a direction key goes down or up.
  EXPECT_EQ(g_KeyDirs, 8);
  EXPECT_EQ(g_PlayerDX, 0);
  // The volley fired before the hit flew on all along.
  EXPECT_EQ(ActivePlayerShots(), 2);
  EXPECT_EQ(g_PlayerShots[0].quad.v[0].y, 422.0f - 16 * 21);
  game.Tick();
  ExpectQuadAt(g_Player.quad, kStartQuad);
  EXPECT_EQ(g_PlayerShots[0].quad.v[0].y, 422.0f - 16 * 22);
}

TEST(Ship, LosingTheLastLifeStopsEverySoundPlaysTheGameOverPhraseAndBringsNoShip) {
  GameHarness game;
  game.StartStage(0);
  g_Life = 1;
  g_PlayerAlive = 0;
  g_PlayerGas.active = 0;
  game.Tick(15);
  SlotLog log;
  game.Tick();
  std::vector<std::string> expected;
  for (int slot = 0; slot < 18; ++slot) expected.push_back("rewind " + std::to_string(slot));
  expected.push_back("play 16");
  EXPECT_EQ(log.entries, expected);
  EXPECT_EQ(g_Life, 0);
  EXPECT_EQ(g_PlayerAlive, 0);
  EXPECT_EQ(g_ScrollV, 0.0f);
  // Game over no longer updates the ship.
  game.Tick(5);
  EXPECT_EQ(g_DeathTimer, 15);
  EXPECT_EQ(g_PlayerAlive, 0);
}

}  // namespace
