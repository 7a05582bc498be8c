// Whole games with a broken part: each picture failing in turn, each malformed WAVE layout as a built-in
// sound, and no sound output. The game says what failed and plays on through its scenes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/app.h"
#include "game/game.h"
#include "platform/faults.h"
#include "platform/resources.h"
#include "sound/sound.h"
#include "tests/support/fixtures.h"
#include "tests/support/harness.h"
#include "title/title.h"

namespace {

// Runs n frames, each of which must be presented.
void PresentFrames(GameHarness& game, int n) {
  int presented = game.host.PresentedFrames();
  game.Tick(n);
  EXPECT_EQ(game.host.PresentedFrames(), presented + n);
}

// Title, the stage's set-up, play with flying and firing past the first enemies, the last ship lost,
// the game-over shutter and graph, and Y for a second run that flies and fires again.
void PlayAGameAndARestart(GameHarness& game, int stage) {
  PresentFrames(game, 30);
  ASSERT_EQ(g_FrameNo, 1);
  for (int k = 0; k < stage; ++k) game.Type("K");
  game.Type("S");
  PresentFrames(game, 1);
  ASSERT_EQ(g_FrameNo, 11);
  for (int f = 0; f < 240; f += 20) {
    game.Type(f % 40 == 0 ? "8z" : "4z");
    game.KeyUp(kVkZ);
    PresentFrames(game, 20);
  }
  EXPECT_GT(g_FrameCount, 200) << "play went on past the first enemies";
  game.LoseLastShip();
  PresentFrames(game, 200);
  ASSERT_EQ(g_Life, 0);
  EXPECT_EQ(g_GraphShown, 1);
  game.Type("Y");
  PresentFrames(game, 1);
  ASSERT_EQ(g_Life, 32);
  game.Type("6z");
  PresentFrames(game, 60);
  EXPECT_EQ(g_FrameCount, 61);
}

// ---- Each picture of the catalogue failing ----

struct PictureCase {
  const char* name;   // for the test's name
  std::vector<int> ids;  // the pictures that fail
  int stage;          // the stage played (weather and background differ by stage)
  const char* message;
};

void PrintTo(const PictureCase& c, std::ostream* os) { *os << c.name; }

std::string FailureOf(const std::string& picture) { return picture + " をテクスチャとして読み込めませんでした"; }

std::vector<PictureCase> PictureCases() {
  struct Row {
    int id;
    const char* file;
  };
  // The title's pictures and the play group, in load order.
  const Row rows[] = {
      {101, "title.png"},     {103, "select.png"},  {119, "jiki.png"},      {118, "gas.png"},
      {122, "tama.png"},      {120, "jikibaku.png"}, {121, "jikidanbaku.png"}, {123, "teki1.png"},
      {129, "tekibaku1.png"}, {130, "tekidan1.png"}, {124, "teki2.png"},     {125, "teki3.png"},
      {131, "tekidan2.png"},  {132, "tekidan2baku.png"}, {126, "teki4.png"}, {128, "teki41.png"},
      {127, "teki4baku.png"}, {133, "tekidan3.png"}, {116, "suuji.png"},     {111, "gage.png"},
      {113, "score.png"},     {115, "shutter2.png"}, {112, "graph.png"},     {117, "ten.png"},
  };
  static std::vector<std::string> names, messages;  // the cases point into these
  names.reserve(64), messages.reserve(64);
  std::vector<PictureCase> cases;
  for (const Row& row : rows) {
    names.push_back(std::string(row.file).substr(0, std::string(row.file).find('.')));
    messages.push_back(FailureOf(row.file));
    cases.push_back({names.back().c_str(), {row.id}, row.id % 4, messages.back().c_str()});
  }
  const Row weather[] = {{174, "fuusen.png"}, {175, "ame.png"}, {176, "yuki.png"}};
  for (int stage = 0; stage < 3; ++stage) {
    names.push_back(std::string("weather") + std::to_string(stage));
    messages.push_back(FailureOf(weather[stage].file));
    cases.push_back({names.back().c_str(), {weather[stage].id}, stage, messages.back().c_str()});
  }
  for (int stage = 0; stage < 4; ++stage) {
    names.push_back(std::string("background") + std::to_string(stage));
    cases.push_back({names.back().c_str(), {107 + stage}, stage, "テクスチャ読み込みに失敗しました"});
  }
  std::vector<int> endings;
  for (int id = 155; id <= 172; ++id) endings.push_back(id);
  cases.push_back({"endings", endings, 3, "エンディング画像をテクスチャとして読み込めませんでした"});
  return cases;
}

class PictureFailure : public ::testing::TestWithParam<PictureCase> {
 protected:
  void TearDown() override { ClearResourceOverrides(); }
};

// Missing and undecodable pictures fail alike; half the cases use each.
TEST_P(PictureFailure, IsReportedOnceAndTheGamePlaysOn) {
  const PictureCase& c = GetParam();
  static const std::vector<uint8_t> kCutPng = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H'};
  for (int id : c.ids) {
    if (id % 2 != 0) {
      RemoveResource("RCDATA", id);
    } else {
      OverrideResource("RCDATA", id, kCutPng);
    }
  }
  GameHarness game;
  ASSERT_TRUE(game.started);
  PlayAGameAndARestart(game, c.stage);
  EXPECT_EQ(game.Messages(), std::string("ERROR: ") + c.message + "\n");
  EXPECT_EQ(game.host.Finish(), 0);
}

INSTANTIATE_TEST_SUITE_P(EveryPicture, PictureFailure, ::testing::ValuesIn(PictureCases()),
                         [](const ::testing::TestParamInfo<PictureCase>& info) { return std::string(info.param.name); });

// ---- Each malformed WAVE layout as a built-in sound ----

struct WaveCase {
  const char* name;
  int id;                        // the sound it replaces
  void (*spoil)(WaveRecipe&);      // what is wrong with it; null for a resource that is missing
  size_t cutTo;                  // bytes kept; 0 keeps all
  const char* messages;
};

void PrintTo(const WaveCase& c, std::ostream* os) { *os << c.name; }

class WaveFailure : public ::testing::TestWithParam<WaveCase> {
 protected:
  void TearDown() override { ClearResourceOverrides(); }
};

// The sounds replaced cover the title music, the stage music (the first sound of the set-up), the
// shot, the boss music, the game-over phrase and the ending music.
TEST_P(WaveFailure, IsReportedAndTheGamePlaysOn) {
  const WaveCase& c = GetParam();
  static std::vector<uint8_t> bytes;
  if (c.spoil == nullptr) {
    RemoveResource("WAVE", c.id);
  } else {
    WaveRecipe recipe;
    recipe.samples = SoundingSamples(300);
    c.spoil(recipe);
    bytes = WaveBytes(recipe);
    if (c.cutTo != 0) bytes.resize(c.cutTo);
    OverrideResource("WAVE", c.id, bytes);
  }
  GameHarness game;
  ASSERT_TRUE(game.started);
  PlayAGameAndARestart(game, c.id % 4);
  EXPECT_EQ(game.Messages(), c.messages);
  EXPECT_EQ(game.host.Finish(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    EveryLayout, WaveFailure,
    ::testing::Values(
        WaveCase{"Missing", 134, nullptr, 0, "ERROR: 有効なWAVファイルではありません1\n"},
        WaveCase{"NotRiff", 135, [](WaveRecipe& s) { s.riff = "RIFX"; }, 0, "ERROR: 有効なWAVファイルではありません1\n"},
        WaveCase{"NotWave", 137, [](WaveRecipe& s) { s.wave = "AVI "; }, 0, "ERROR: 有効なWAVファイルではありません1\n"},
        WaveCase{"NoFmtFirst", 146, [](WaveRecipe& s) { s.fmt = "LIST"; }, 0, "ERROR: 有効なWAVファイルではありません1\n"},
        WaveCase{"CutInTheHeader", 151, [](WaveRecipe&) {}, 10, "ERROR: 有効なWAVファイルではありません1\n"},
        WaveCase{"FmtOf20", 173, [](WaveRecipe& s) { s.fmtSize = 20; }, 0, "ERROR: 有効なWAVファイルではありません2\n"},
        WaveCase{"CutInTheFmt", 134, [](WaveRecipe&) {}, 30, "ERROR: 有効なWAVファイルではありません2\n"},
        WaveCase{"Adpcm", 135, [](WaveRecipe& s) { s.formatTag = 2; }, 0, "ERROR: PCM形式ではありません\n"},
        WaveCase{"ListAfterFmt", 137, [](WaveRecipe& s) { s.data = "LIST"; }, 0, "ERROR: 有効なWAVファイルではありません3\n"},
        WaveCase{"DataClaimsTooMuch", 146, [](WaveRecipe& s) { s.dataSize = 301; }, 0,
                 "ERROR: 有効なWAVファイルではありません3\n"},
        WaveCase{"FactThenCut", 151, [](WaveRecipe& s) { s.fact = true; }, 50, "ERROR: 有効なWAVファイルではありません3\n"},
        WaveCase{"NoSamples", 173, [](WaveRecipe& s) { s.samples.clear(); }, 0, "警告: WAV波形データがありません\n"},
        // Read without complaint, but no voice can play 24-bit samples: the slot stays silent.
        WaveCase{"TwentyFourBits", 135,
                 [](WaveRecipe& s) { s.bitsPerSample = 24, s.blockAlign = 3, s.avgBytesPerSec = 33075; }, 0, ""},
        WaveCase{"NoSampleRate", 137, [](WaveRecipe& s) { s.samplesPerSec = 0, s.avgBytesPerSec = 0; }, 0, ""}),
    [](const ::testing::TestParamInfo<WaveCase>& info) { return std::string(info.param.name); });

// ---- No sound at all ----

class SilentGame : public ::testing::TestWithParam<Fault> {
 protected:
  void TearDown() override { ClearFaults(); }
};

// The boss's sixth bout, one hit short of its last break: a shot is placed on the boss to land it.
void LandTheLastHit() {
  g_FireWork[1] = 10;
  g_FireWork[2] = 5;
  SpriteObject& shot = g_PlayerShots[0];
  float x = g_Enemies[0].quad.v[0].x + 28, y = g_Enemies[0].quad.v[0].y + 48;
  SetSpriteQuad(shot.quad, 0, x, y, x + 8, y + 12);
  shot.active = 1, shot.type = 0, shot.dx = 0, shot.dy = -16;
}

// Without an engine or an output every slot operation does nothing, through every scene to the ending.
TEST_P(SilentGame, PlaysEverySceneToTheEnding) {
  InjectFault(GetParam());
  GameHarness game;
  ASSERT_TRUE(game.started);
  const std::string startup = game.Messages();
  EXPECT_NE(startup.find("XAudio2 No Initialize"), std::string::npos);
  PlayAGameAndARestart(game, 2);
  g_FrameCount = 9990;
  g_WaveNo = 4;
  PresentFrames(game, 30);
  ASSERT_EQ(g_Enemies[0].type, 7) << "the boss has come";
  LandTheLastHit();
  PresentFrames(game, 300);
  EXPECT_EQ(g_ClearPhase, 2);
  EXPECT_GT(g_EndingAlpha, 0);
  EXPECT_EQ(g_XAudio2, nullptr);
  EXPECT_EQ(game.Messages(), startup);
  game.Type("Q");
  EXPECT_TRUE(game.host.Quit());
}

INSTANTIATE_TEST_SUITE_P(Faults, SilentGame, ::testing::Values(Fault::AudioEngine, Fault::AudioOutput),
                         [](const ::testing::TestParamInfo<Fault>& info) {
                           return std::string(info.param == Fault::AudioEngine ? "NoEngine" : "NoOutput");
                         });

}  // namespace
