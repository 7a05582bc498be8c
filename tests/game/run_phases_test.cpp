// The screens that end a run: game over with its shutter and results graph, the stage-clear wait, the ending.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "app/app.h"
#include "game/game.h"
#include "tests/support/harness.h"
#include "tests/support/quad_checks.h"
#include "tests/support/slot_log.h"

namespace {

constexpr uint32_t kPink = 0xFFFFAEC9u;   // the graph line
constexpr uint32_t kBlack = 0xFF000000u;  // the cleared frame
constexpr int kShutterFrames = 125;

using Screen = PixelVector;  // as the decoder and the textures keep pixels

Screen Shown(const GameHarness& game) { return Screen(game.host.Frame(), game.host.Frame() + 640 * 480); }

uint32_t Pixel(const Screen& screen, int x, int y) { return screen[y * 640 + x]; }

int CountOf(const Screen& screen, uint32_t color) {
  return static_cast<int>(std::count(screen.begin(), screen.end(), color));
}

// The score the three score digits show, in hundreds of points as the graph counts it.
void SetScore(int score) {
  const int digits[3] = {score / 100, score / 10 % 10, score % 10};
  for (int k = 0; k < 3; ++k) {
    g_Digits[k].digit = digits[k];
    SetDigitPicture(g_Digits[k], digits[k]);
  }
}

// Ends the run in play with the given score: the game-over screen runs from the next frame.
void GameOverWith(GameHarness& game, int score) {
  SetScore(score);
  game.LoseLastShip();
  ASSERT_EQ(g_Life, 0);
  ASSERT_EQ(g_ScrollV, 0.0f);
}

// Y at the graph and the first frame of the new run.
void PlayAgain(GameHarness& game) {
  game.Type("y");
  game.Tick();
  ASSERT_EQ(g_Life, 32);
}

// Where the dot of run i with graph height h must lie: 6 pixels square, less the half pixel.
QuadRect DotAt(int i, int h) {
  float x = 105.0f + 40 * i;
  return QuadRect{x - 6.5f, 319.5f - h, x - 0.5f, 325.5f - h};
}

void ExpectDot(int i, int h) {
  SCOPED_TRACE("dot " + std::to_string(i));
  EXPECT_EQ(g_ScoreHistory[i], h);
  ExpectQuadAt(g_DotQuads[i], DotAt(i, h));
  EXPECT_EQ(g_GraphPoints[i].x, 101.5f + 40 * i);
  EXPECT_EQ(g_GraphPoints[i].y, 322.5f - h);
}

TEST(GameOver, TheShutterMovesInFrames1To125AndTheGraphFirstShowsIn126) {
  GameHarness game;
  game.StartStage(0);
  game.Tick(30);
  GameOverWith(game, 0);
  const SpriteQuad background = g_Background;
  float v = 0;
  Screen first;
  for (int frame = 1; frame <= kShutterFrames; ++frame) {
    game.Tick();
    v += -0.004f;
    ASSERT_EQ(g_ScrollV, v) << "frame " << frame;
    ExpectQuadUV(g_ShutterQuad, {0, v, 1, v + 1});
    ASSERT_EQ(g_GraphShown, 0) << "frame " << frame;
    if (frame == 1) first = Shown(game);
    if (frame != 60) continue;
    // The shutter has come 0.24 of its 960 rows down: 230 rows, under the score bar; the rest is as it was.
    const Screen now = Shown(game);
    for (int y : {40, 120, 200}) EXPECT_FALSE(std::equal(&now[y * 640], &now[y * 640 + 640], &first[y * 640])) << y;
    EXPECT_TRUE(std::equal(&now[232 * 640], now.data() + now.size(), &first[232 * 640]));
  }
  EXPECT_LE(g_ScrollV, -0.5f);
  const Screen closed = Shown(game);
  EXPECT_EQ(g_PlayCount, 0);

  game.Tick();
  EXPECT_EQ(g_ScrollV, v) << "the shutter has stopped";
  EXPECT_EQ(g_GraphShown, 1);
  EXPECT_EQ(g_PlayCount, 1);
  const Screen graph = Shown(game);
  // Everything new lies on the graph picture; the frozen playfield under the shutter never moved.
  int changed = 0;
  for (int y = 0; y < 480; ++y) {
    for (int x = 0; x < 640; ++x) {
      if (Pixel(closed, x, y) == Pixel(graph, x, y)) continue;
      ++changed;
      ASSERT_TRUE(x >= 21 && x < 621 && y >= 42 && y < 362) << "changed at " << x << ", " << y;
    }
  }
  EXPECT_GT(changed, 10000);
  EXPECT_EQ(0, std::memcmp(&g_Background, &background, sizeof background));
  game.Tick(10);
  EXPECT_EQ(Shown(game), graph);
  EXPECT_EQ(g_PlayCount, 1) << "a run is recorded once";
}

struct ScoreCase {
  int score, height;
};

TEST(GameOver, TheDotOfTheFirstRunStandsAtItsScoreTimesPointFourRounded) {
  GameHarness game;
  game.StartStage(0);
  // 695 reaches the top of the graph picture; 999 draws above it.
  const ScoreCase cases[] = {{0, 0}, {1, 0}, {2, 1}, {5, 2}, {250, 100}, {695, 278}, {999, 400}};
  for (const ScoreCase& c : cases) {
    SCOPED_TRACE("score " + std::to_string(c.score));
    g_PlayCount = 0;
    SetScore(c.score);
    RecordScore();
    EXPECT_EQ(g_PlayCount, 1);
    ExpectDot(0, c.height);
  }
}

TEST(GameOver, OneDotAndNoLineAfterTheFirstTwoDotsJoinedAfterTheSecond) {
  GameHarness game;
  game.StartStage(1);
  GameOverWith(game, 250);
  game.Tick(kShutterFrames + 1);
  ASSERT_EQ(g_PlayCount, 1);
  ExpectDot(0, 100);
  ExpectQuadAt(g_DotQuads[0], {98.5f, 219.5f, 104.5f, 225.5f});
  Screen screen = Shown(game);
  EXPECT_EQ(CountOf(screen, kPink), 0) << "no line through a single point";
  // Each opaque texel of the 6 × 6 dot lands on its own pixel.
  int opaque = 0;
  for (int y = 220; y < 226; ++y) {
    for (int x = 99; x < 105; ++x) {
      uint32_t texel = g_TexTen->Texels()[(y - 220) * 6 + x - 99];
      if (texel >> 24 != 0xFF) continue;
      ++opaque;
      EXPECT_EQ(Pixel(screen, x, y), texel) << x << ", " << y;
    }
  }
  EXPECT_GT(opaque, 0);

  PlayAgain(game);
  game.Tick(20);
  GameOverWith(game, 150);
  game.Tick(kShutterFrames + 1);
  ASSERT_EQ(g_PlayCount, 2);
  ExpectDot(0, 100);
  ExpectDot(1, 60);
  screen = Shown(game);
  // From (101.5, 222.5) to (141.5, 262.5): 45 degrees down, through the pixel centres (x, x + 121).
  for (int x = 106; x <= 138; ++x) EXPECT_EQ(Pixel(screen, x, x + 121), kPink) << "x " << x;
  for (int y = 0; y < 480; ++y) {
    for (int x = 0; x < 640; ++x) {
      if (Pixel(screen, x, y) != kPink) continue;
      ASSERT_TRUE(x >= 101 && x <= 142 && y == x + 121) << x << ", " << y;
    }
  }
}

TEST(GameOver, YDuringTheShutterRestartsAndThatRunIsNeverRecorded) {
  GameHarness game;
  game.StartStage(2);
  for (int frames : {0, 1, 64, kShutterFrames}) {
    SCOPED_TRACE("Y after " + std::to_string(frames) + " shutter frames");
    GameOverWith(game, 500);
    game.Tick(frames);
    EXPECT_EQ(g_GraphShown, 0);
    PlayAgain(game);
    EXPECT_EQ(g_PlayCount, 0);
    EXPECT_EQ(g_FrameCount, 1);
  }
  GameOverWith(game, 250);
  game.Tick(kShutterFrames + 1);
  EXPECT_EQ(g_PlayCount, 1);
  ExpectDot(0, 100);
  EXPECT_EQ(g_BestTotal, 500) << "the unrecorded runs still count for the best score";
}

TEST(GameOver, NineRunsFillTheGraphAndYAfterTheNinthStartsANewOne) {
  GameHarness game;
  game.StartStage(0);
  // Scores alternating by 100 make every segment a 45-degree line through pixel centres.
  for (int run = 0; run < 9; ++run) {
    if (run > 0) PlayAgain(game);
    GameOverWith(game, run % 2 == 0 ? 250 : 150);
    game.Tick(kShutterFrames + 1);
    ASSERT_EQ(g_PlayCount, run + 1);
  }
  const Screen full = Shown(game);
  for (int i = 0; i < 9; ++i) ExpectDot(i, i % 2 == 0 ? 100 : 60);
  for (int segment = 0; segment < 8; ++segment) {
    int x = 121 + 40 * segment;  // the middle of the segment
    int y = segment % 2 == 0 ? 242 : 243;
    EXPECT_EQ(Pixel(full, x, y), kPink) << "segment " << segment;
  }

  PlayAgain(game);
  EXPECT_EQ(g_PlayCount, 0);
  GameOverWith(game, 300);
  game.Tick(kShutterFrames + 1);
  EXPECT_EQ(g_PlayCount, 1);
  ExpectDot(0, 120);
  EXPECT_EQ(CountOf(Shown(game), kPink), 0) << "the tenth run starts a graph of its own";
}

// Brings the boss on and leaves it in the last of its final explosions: the next frame destroys it.
void BossFallsNextFrame(GameHarness& game) {
  g_FrameCount = 10000;
  game.Tick();
  Enemy& boss = g_Enemies[0];
  ASSERT_EQ(boss.type, 7);
  boss.active = 0;
  boss.animPeriod = kExploding;
  boss.animCount = 10;
  g_FireWork[2] = 6;
  g_FireWork[3] = 2;
}

TEST(StageClear, TheWaitLasts101PlayFramesFromTheBossesFallWithTheUpdatesRunning) {
  GameHarness game;
  game.StartStage(0);
  BossFallsNextFrame(game);
  game.Type("8");
  for (int frame = 1; frame <= 100; ++frame) {
    const int32_t clock = g_FrameCount;
    const float scroll = g_ScrollV, shipY = g_Player.quad.v[0].y;
    game.Tick();
    ASSERT_EQ(g_ClearPhase, 1) << "frame " << frame;
    ASSERT_EQ(g_ClearWait, frame);
    ASSERT_EQ(g_FrameCount, clock + 1);
    ASSERT_LT(g_ScrollV, scroll);
    if (frame <= 50) {
      ASSERT_EQ(g_Player.quad.v[0].y, shipY - 6) << "frame " << frame;
    }
  }
  SlotLog log;
  const int32_t clock = g_FrameCount;
  game.Tick();
  EXPECT_EQ(g_ClearPhase, 2);
  EXPECT_EQ(g_FrameCount, clock + 1) << "the 101st frame is still a play frame";
  EXPECT_EQ(g_EndingAlpha, 0);
  EXPECT_EQ(g_EndingTick, 0);
  const std::vector<std::string> ending = {"rewind 17", "rewind 1", "play 17"};
  ASSERT_GE(log.entries.size(), 3u);
  EXPECT_EQ(std::vector<std::string>(log.entries.end() - 3, log.entries.end()), ending);

  game.Tick();
  EXPECT_EQ(g_FrameCount, clock + 1) << "the ending has no stage clock";
  EXPECT_EQ(g_EndingTick, 1);
}

// From the frame the boss falls to the first frame of the ending.
void ReachEnding(GameHarness& game) {
  BossFallsNextFrame(game);
  game.Tick(101);
  ASSERT_EQ(g_ClearPhase, 2);
}

TEST(Ending, ThePictureFadesInOneStepEveryThirdFrameOverTheFrozenPlayfield) {
  GameHarness game;
  game.StartStage(3);
  game.Type("6");
  ReachEnding(game);
  const int32_t clock = g_FrameCount;
  const float scroll = g_ScrollV;
  const SpriteQuad ship = g_Player.quad;
  Screen first;
  for (int frame = 1; frame <= 800; ++frame) {
    game.Tick();
    // Alpha k - 1 from frame 3k, set before that frame is drawn; full at 768.
    int shown = frame < 3 ? -1 : std::min(frame / 3 - 1, 255);
    uint32_t color = shown < 0 ? 0x00FFFFFFu : static_cast<uint32_t>(shown) << 24 | 0xFFFFFFu;
    for (const SpriteVertex& vertex : g_EndingQuad.v) ASSERT_EQ(vertex.diffuse, color) << "frame " << frame;
    ASSERT_EQ(g_EndingAlpha, std::min(frame / 3, 256)) << "frame " << frame;
    ASSERT_EQ(g_FrameCount, clock);
    ASSERT_EQ(g_ScrollV, scroll);
    ASSERT_EQ(0, std::memcmp(&g_Player.quad, &ship, sizeof ship)) << "frame " << frame;
    if (frame == 1) first = Shown(game);
    if (frame <= 5) {
      ASSERT_TRUE(Shown(game) == first) << "an invisible picture in frame " << frame;
    }
  }
  // The opaque picture covers the screen, and nothing is drawn beneath it any more.
  Screen ending = g_TexEnding->Texels();
  for (uint32_t& texel : ending) texel |= kBlack;
  EXPECT_TRUE(Shown(game) == ending);
  GfxTexture* const picture = g_TexEnding;
  g_TexEnding = nullptr;
  game.Tick();
  EXPECT_EQ(CountOf(Shown(game), kBlack), 640 * 480);
  g_TexEnding = picture;
}

TEST(Ending, TheLastDrawingOfThePlayfieldIsInFrame768) {
  GameHarness game;
  game.StartStage(1);
  ReachEnding(game);
  game.Tick(767);
  GfxTexture* const picture = g_TexEnding;
  g_TexEnding = nullptr;
  game.Tick();  // frame 768
  EXPECT_LT(CountOf(Shown(game), kBlack), 640 * 480 / 2) << "the playfield is drawn";
  game.Tick();  // frame 769
  EXPECT_EQ(CountOf(Shown(game), kBlack), 640 * 480) << "only the ending picture is drawn";
  g_TexEnding = picture;
}

TEST(Ending, KeysChangeNothingOnScreenYIsRefusedAndQQuits) {
  GameHarness game;
  game.StartStage(2);
  ReachEnding(game);
  game.Tick();
  // The picture stays invisible until frame 6, so every frame until then must look like the first.
  const Screen first = Shown(game);
  struct Keys {
    const char* typed;
    std::vector<uint32_t> released;
  };
  const Keys frames[] = {
      {"2468", {}}, {"zZ", {kVkZ}}, {"z", {kVkNumpad2, kVkNumpad4, kVkNumpad6, kVkNumpad8}}, {"Yy", {kVkZ}}};
  for (const Keys& keys : frames) {
    SCOPED_TRACE(std::string("after ") + keys.typed);
    game.Type(keys.typed);
    for (uint32_t key : keys.released) game.KeyUp(key);
    game.Tick();
    EXPECT_EQ(g_FrameNo, 11);
    EXPECT_EQ(g_ClearPhase, 2);
    EXPECT_EQ(ActivePlayerShots(), 0);
    EXPECT_TRUE(Shown(game) == first);
  }
  EXPECT_EQ(g_EndingAlpha, 1) << "the fade went on";
  game.Type("q");
  EXPECT_TRUE(game.host.Quit());
}

TEST(StageClear, TheLastLifeLostInTheWaitBringsGameOverAndNoEnding) {
  GameHarness game;
  game.StartStage(0);
  BossFallsNextFrame(game);
  game.Tick(10);
  GameOverWith(game, 321);
  EXPECT_EQ(g_ClearPhase, 1);
  const int32_t wait = g_ClearWait;
  game.Tick(kShutterFrames + 100);
  EXPECT_EQ(g_ClearPhase, 1) << "the ending never starts";
  EXPECT_EQ(g_ClearWait, wait);
  EXPECT_EQ(g_GraphShown, 1);
  EXPECT_EQ(g_PlayCount, 1);
  ExpectDot(0, 128);
  const Screen graph = Shown(game);
  game.Type("Y");
  game.Type("y");
  game.Tick();
  EXPECT_EQ(g_Life, 0);
  EXPECT_EQ(g_FrameNo, 11);
  EXPECT_EQ(Shown(game), graph);
}

TEST(StageClear, TheLastLifeLostInTheWaitsLastFrameStillLeadsToTheEnding) {
  GameHarness game;
  game.StartStage(1);
  BossFallsNextFrame(game);
  game.Tick(85);
  ASSERT_EQ(g_ClearWait, 85);
  // The ship's explosion ends, and with it the run, in frame 101 of the wait.
  SlotLog log;
  GameOverWith(game, 40);
  EXPECT_EQ(g_ClearWait, 101);
  EXPECT_EQ(g_ClearPhase, 2);
  EXPECT_EQ(log.entries.back(), "play 17") << "the ending music after the game-over phrase";
  game.Tick(3);
  EXPECT_EQ(g_EndingTick, 0);
  EXPECT_EQ(g_EndingAlpha, 1);
  EXPECT_EQ(g_ScrollV, 0.0f) << "no shutter";
  EXPECT_EQ(g_GraphShown, 0);
  game.Type("y");
  game.Tick();
  EXPECT_EQ(g_FrameNo, 11);
  EXPECT_EQ(g_ClearPhase, 2);
}

}  // namespace
