// The stage set-up: the full set-up on the first start, the random tables, the restart after game over,
// and a stage whose background picture will not load.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/app.h"
#include "game/game.h"
#include "platform/picture.h"
#include "platform/random.h"
#include "platform/resources.h"
#include "sound/sound.h"
#include "tests/support/harness.h"
#include "tests/support/quad_checks.h"
#include "tests/support/slot_log.h"
#include "title/title.h"

namespace {

constexpr float kStartScroll = -0.02439f;

// The title has run its first frame and S was typed: the next frame is the stage set-up.
void ReadyToStart(GameHarness& game, int stage) {
  game.Tick();
  for (int i = 0; i < stage; ++i) game.Type("K");
  game.Type("S");
}

TEST(StageSetUp, FirstStartSetsUpEverySoundSlotInOrder) {
  GameHarness game;
  ReadyToStart(game, 0);
  SlotLog log;
  game.Tick();
  std::vector<std::string> expected = {"rewind 0", "reset 0 <- 135", "play 0", "reset 1 <- 136", "play 1"};
  for (int slot = 2; slot <= 16; ++slot) expected.push_back("reset " + std::to_string(slot) + " <- " + std::to_string(135 + slot));
  expected.push_back("reset 17 <- 173");
  EXPECT_EQ(log.entries, expected);
  EXPECT_EQ(g_SoundSlotCount, 18);
}

TEST(StageSetUp, FirstStartLoadsThePlayPicturesAndDropsTheTitle) {
  GameHarness game;
  game.StartStage(0);
  EXPECT_EQ(game.Messages(), "");
  for (GfxTexture* texture :
       {g_TexBack, g_TexJiki, g_TexGas, g_TexTama, g_TexJikiBaku, g_TexJikiDanBaku, g_TexTeki1, g_TexTekiBaku1,
        g_TexTekiDan1, g_TexTeki2, g_TexTeki3, g_TexTekiDan2, g_TexTekiDan2Baku, g_TexTeki4, g_TexTeki41,
        g_TexTeki4Baku, g_TexTekiDan3, g_TexSuuji, g_TexGage, g_TexScore, g_TexShutter, g_TexGraph, g_TexTen,
        g_TexWeather, g_TexEnding}) {
    EXPECT_NE(texture, nullptr);
  }
  EXPECT_EQ(g_TexTitle, nullptr);
  EXPECT_EQ(g_TexSelect, nullptr);
  EXPECT_EQ(g_FrameNo, 11);
}

TEST(StageSetUp, FirstStartBuildsTheScoreBarAndTheScreenQuads) {
  GameHarness game;
  game.StartStage(0);
  const float digitX[10] = {67, 83, 99, 361, 377, 393, 425, 214, 230, 246};
  for (int k = 0; k < 10; ++k) {
    SCOPED_TRACE("digit record " + std::to_string(k));
    EXPECT_EQ(g_Digits[k].digit, 0);
    ExpectQuad(g_Digits[k].quad, {digitX[k] - 0.5f, 9.5f, digitX[k] + 9.5f, 21.5f}, {0, 0, 0.1f, 1});
  }
  ExpectQuad(g_GaugeQuad, {-0.5f, -0.5f, 3.5f, 8.5f}, {0, 0, 1, 1});
  ExpectQuad(g_ScoreBar, {-0.5f, -0.5f, 639.5f, 31.5f}, {0, 0, 1, 1});
  ExpectQuad(g_ShutterQuad, {-0.5f, -0.5f, 639.5f, 959.5f}, {0, 0, 1, 1});
  ExpectQuad(g_GraphQuad, {20.5f, 41.5f, 620.5f, 361.5f}, {0, 0, 1, 1});
  for (const SpriteQuad& dot : g_DotQuads) ExpectQuad(dot, {-0.5f, -0.5f, 6.5f, 6.5f}, {0, 0, 1, 1});
  for (const GraphPoint& point : g_GraphPoints) {
    EXPECT_EQ(point.x, 0);
    EXPECT_EQ(point.y, 0);
  }
  EXPECT_EQ(g_PlayCount, 0);
  ExpectQuad(g_EndingQuad, {-0.5f, -0.5f, 639.5f, 479.5f}, {0, 0, 1, 1}, 0x00FFFFFFu);
  // The first play frame has already scrolled the background once.
  float v = kStartScroll + -0.0001f;
  ExpectQuad(g_Background, {-0.5f, -0.5f, 639.5f, 19679.5f}, {0, v, 1, v + 1});
  EXPECT_EQ(g_ScrollSpeed, -0.0001f);
}

// A recognisable quad that the set-up has no business writing.
SpriteQuad Scribble() {
  SpriteQuad q;
  SetQuad(q, 1234.5f, 2345.5f, 3456.5f, 4567.5f, 0.25f, 0.5f, 0.75f, 1, 0x12345678u);
  return q;
}

bool SameQuad(const SpriteQuad& a, const SpriteQuad& b) {
  for (int i = 0; i < 4; ++i) {
    const SpriteVertex &p = a.v[i], &q = b.v[i];
    if (p.x != q.x || p.y != q.y || p.z != q.z || p.rhw != q.rhw || p.diffuse != q.diffuse || p.u != q.u ||
        p.v != q.v) {
      return false;
    }
  }
  return true;
}

// The stage set-up draws its random numbers in a fixed order; the test draws them again from the same
// seed and expects every table to hold them.
class RandomTables : public testing::TestWithParam<int> {
 protected:
  void SetUp() override {
    ReadyToStart(game, GetParam());
    for (SpriteQuad& q : g_Weather) q = Scribble();
    game.Tick();
    ASSERT_EQ(game.Messages(), "");
    SeedRand(kSeed);
  }

  static constexpr uint32_t kSeed = 4321;
  GameHarness game{kSeed};
};

void ExpectEnemiesDrawnFromTheSeed(int stage) {
  int period = 60 - 10 * stage;
  for (int i = 0; i < kEnemySlots; ++i) {
    SCOPED_TRACE("enemy " + std::to_string(i));
    const Enemy& e = g_Enemies[i];
    float x = static_cast<float>(Rand() % 593);
    int32_t firePeriod = (Rand() % 7 + 1) * period;
    ExpectQuad(e.quad, {x - 0.5f, 31.5f, x + 47.5f, 79.5f}, {0, 0, 0.125f, 1});
    EXPECT_EQ(e.firePeriod, firePeriod);
    EXPECT_TRUE(e.firePeriod % period == 0 && e.firePeriod >= period && e.firePeriod <= 7 * period)
        << e.firePeriod;
    EXPECT_EQ(e.active, 0);
    EXPECT_EQ(e.type, 0);
    EXPECT_EQ(e.animPeriod, 20);
    EXPECT_EQ(e.animFrame | e.dx | e.dy | e.pathStep | e.pathWait | e.animCount, 0);
  }
  for (int k = 0; k < kEnemyShots; ++k) {
    const EnemyShot& shot = g_EnemyShots[k];
    EXPECT_EQ(shot.active, 0);
    EXPECT_EQ(shot.dx, 0);
    EXPECT_EQ(shot.dy, 8);
    EXPECT_EQ(shot.type, 0);
    EXPECT_EQ(g_ShotDir[k], 0);
  }
}

void ExpectPathsAndCurvesDrawnFromTheSeed() {
  for (int slot = 0; slot < kEnemySlots; ++slot) {
    for (int pair = 0; pair < 20; pair += 2) {
      EXPECT_EQ(g_MovePatterns[slot][pair], Rand() % 9) << "slot " << slot << " pair " << pair;
      EXPECT_EQ(g_MovePatterns[slot][pair + 1], (Rand() % 9) * 10 + 20) << "slot " << slot << " pair " << pair;
    }
  }
  for (int k = 0; k < kEnemyShots; ++k) {
    EXPECT_EQ(g_ShotStep[k], 0);
    EXPECT_EQ(g_FireWork[k], Rand() % 3) << "entry " << k;
  }
}

void ExpectWeatherDrawnFromTheSeed(int stage) {
  int written = stage == 0 ? 16 : stage <= 2 ? kWeatherParticles : 0;
  for (int k = 0; k < written; ++k) {
    SCOPED_TRACE("particle " + std::to_string(k));
    if (stage == 0) {
      float x = static_cast<float>(Rand() % 633);
      float y = static_cast<float>(Rand() % 281 + 320);
      ExpectQuad(g_Weather[k], {x - 0.5f, y - 0.5f, x + 5.5f, y + 7.5f}, {0, 0, 1, 1});
      EXPECT_EQ(g_BalloonW[k], 6.0f);
      EXPECT_EQ(g_BalloonH[k], 8.0f);
    } else if (stage == 1) {
      EXPECT_EQ(g_WeatherAlpha[k], Rand() % 149 + 64);
      float x = static_cast<float>(Rand() % 633);
      float y = static_cast<float>(Rand() % 33);
      ExpectQuad(g_Weather[k], {x, y, x + 1, y + 16}, {0, 0, 1, 1});  // rain sits on whole pixels
    } else {
      EXPECT_EQ(g_WeatherAlpha[k], 255);
      int32_t s = Rand() % 9 + 4;
      EXPECT_EQ(g_SnowSize[k], s);
      EXPECT_GE(g_SnowSize[k], 4);
      EXPECT_LE(g_SnowSize[k], 12);
      float x = static_cast<float>(Rand() % 625);
      float y = static_cast<float>(Rand() % 33);
      ExpectQuad(g_Weather[k], {x - 0.5f, y - 0.5f, x + s - 0.5f, y + s - 0.5f}, {0, 0, 1, 1});
    }
  }
  for (int k = written; k < kWeatherParticles; ++k) {
    EXPECT_TRUE(SameQuad(g_Weather[k], Scribble())) << "particle " << k << " was written";
  }
  EXPECT_EQ(g_WeatherCount, 0);
}

// The texture holds exactly the picture of resource id.
void ExpectTextureOf(const GfxTexture* texture, int id) {
  ASSERT_NE(texture, nullptr);
  Picture picture;
  ASSERT_TRUE(DecodePicture(FindResource("RCDATA", id), &picture, nullptr));
  EXPECT_EQ(texture->Width(), picture.width);
  EXPECT_EQ(texture->Height(), picture.height);
  EXPECT_TRUE(texture->Texels() == picture.pixels) << "not the picture of resource " << id;
}

TEST_P(RandomTables, EnemiesPathsCurvesWeatherThenTheEndingPicture) {
  int stage = GetParam();
  ExpectEnemiesDrawnFromTheSeed(stage);
  ExpectPathsAndCurvesDrawnFromTheSeed();
  ExpectWeatherDrawnFromTheSeed(stage);
  // The ending picture is drawn last, when the play pictures load after the tables.
  ExpectTextureOf(g_TexEnding, 155 + Rand() % 18);
  ExpectTextureOf(g_TexBack, 107 + stage);
  if (stage == 3) {
    EXPECT_EQ(g_TexWeather, nullptr);
  }
}

INSTANTIATE_TEST_SUITE_P(ByStage, RandomTables, testing::Values(0, 1, 2, 3),
                         [](const testing::TestParamInfo<int>& info) { return "Stage" + std::to_string(info.param); });

// Takes every picture and sound out of the program, so that any load from now on fails loudly.
void RemoveAllResources() {
  for (int i = 0; i < kEmbeddedResourceCount; ++i) {
    RemoveResource(kEmbeddedResources[i].type, kEmbeddedResources[i].id);
  }
}

void ShowScore(int first, int d0, int d1, int d2) {
  const int digits[3] = {d0, d1, d2};
  for (int k = 0; k < 3; ++k) {
    g_Digits[first + k].digit = digits[k];
    SetDigitPicture(g_Digits[first + k], digits[k]);
  }
}

TEST(StageRestart, KeepsTheBestScoreClearsTheScoreAndReplaysTheMusicWithoutLoadingAnything) {
  GameHarness game;
  game.StartStage(0);
  ShowScore(7, 1, 0, 0);
  g_BestTotal = 100;
  ShowScore(0, 1, 2, 3);
  ShowScore(3, 0, 5, 0);  // the hit ratio, 050.0 %
  for (int k = 3; k <= 6; ++k) g_RatioShown[k - 3] = g_Digits[k].digit;
  game.Type("z");
  game.Type("6");  // held as the last ship goes, let go only once the game is over
  game.LoseLastShip();
  game.KeyUp(kVkNumpad6);
  game.Tick(130);  // the shutter closes and the run goes into the graph
  ASSERT_EQ(g_PlayCount, 1);
  GfxTexture* const back = g_TexBack;
  GfxTexture* const ending = g_TexEnding;
  RemoveAllResources();
  SlotLog log;
  game.Type("Y");
  game.Tick();

  EXPECT_EQ(game.Messages(), "");
  EXPECT_EQ(log.entries, (std::vector<std::string>{"play 0", "play 1"}));
  EXPECT_EQ(g_Life, 32);
  EXPECT_EQ(g_FrameNo, 11);
  EXPECT_EQ(g_TexBack, back);
  EXPECT_EQ(g_TexEnding, ending);
  EXPECT_EQ(g_SoundSlotCount, 18);
  EXPECT_EQ(g_PlayCount, 1) << "the graph keeps collecting runs";
  EXPECT_EQ(g_BestTotal, 123);
  for (int k = 0; k < 10; ++k) {
    SCOPED_TRACE("digit record " + std::to_string(k));
    int shown = k >= 7 ? k - 6 : 0;  // the best score is 1 2 3, everything else 0
    EXPECT_EQ(g_Digits[k].digit, shown);
    ExpectQuadUV(g_Digits[k].quad, {shown * 0.1f, 0, shown * 0.1f + 0.1f, 1});
  }
  for (int32_t shown : g_RatioShown) EXPECT_EQ(shown, 0);
  EXPECT_EQ(ActivePlayerShots(), 0);
  ExpectQuadAt(g_Player.quad, {295.5f, 407.5f, 343.5f, 455.5f});
  EXPECT_EQ(g_FrameCount, 1);
  EXPECT_EQ(g_ScrollV, kStartScroll + -0.0001f);
  // No direction is held in the new run, whatever the last one left.
  EXPECT_EQ(g_KeyDirs, 0);
  game.Type("8");
  EXPECT_EQ(g_PlayerFrame, 0);
  EXPECT_EQ(g_PlayerDX, 0);
  ClearResourceOverrides();
}

TEST(StageSetUp, AMissingBackgroundStopsTheSetUpButPlayBegins) {
  RemoveResource("RCDATA", 107);
  GameHarness game;
  SlotLog log;
  game.StartStage(0);
  EXPECT_EQ(game.Messages(), "ERROR: テクスチャ読み込みに失敗しました\n");
  EXPECT_EQ(g_FrameNo, 11);
  EXPECT_EQ(g_Life, 32);
  // Only the title's slot exists, and its music was never stopped.
  EXPECT_EQ(log.entries, (std::vector<std::string>{"reset 0 <- 134", "play 0"}));
  EXPECT_EQ(g_SoundSlotCount, 1);
  // The score bar was never built.
  for (const DigitRecord& record : g_Digits) EXPECT_EQ(record.quad.v[0].rhw, 0.0f);
  EXPECT_EQ(g_ScoreBar.v[0].rhw, 0.0f);

  game.Type("8");
  game.Type("z");
  game.Tick();
  EXPECT_EQ(ActivePlayerShots(), 2);
  game.Tick(29);
  EXPECT_EQ(g_FrameCount, 31);
  EXPECT_EQ(g_Player.quad.v[0].y, 407.5f - 6 * 30);
  EXPECT_EQ(game.Messages(), "ERROR: テクスチャ読み込みに失敗しました\n");
  ClearResourceOverrides();
}

}  // namespace
