// The texture catalogue: load order, the first failure ending a group, formats and keys, the ending's
// random choice, release, and every built-in picture at its size and type.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "app/app.h"
#include "platform/headless.h"
#include "platform/picture.h"
#include "platform/random.h"
#include "platform/resources.h"
#include "render/render.h"
#include "sound/sound.h"
#include "tests/support/fixtures.h"
#include "tests/support/harness.h"
#include "title/title.h"

namespace {

constexpr TextureFormat kFull = TextureFormat::A8R8G8B8;
constexpr TextureFormat kOneBit = TextureFormat::A1R5G5B5;

struct Row {
  GfxTexture** handle;
  int id;
  const char* name;
  TextureFormat format;
  uint32_t key;
};

// The play group in its load order.
const Row kPlayRows[] = {
    {&g_TexJiki, 119, "jiki.png", kOneBit, kBlackColorKey},
    {&g_TexGas, 118, "gas.png", kOneBit, kBlackColorKey},
    {&g_TexTama, 122, "tama.png", kOneBit, kBlackColorKey},
    {&g_TexJikiBaku, 120, "jikibaku.png", kOneBit, kBlackColorKey},
    {&g_TexJikiDanBaku, 121, "jikidanbaku.png", kOneBit, kBlackColorKey},
    {&g_TexTeki1, 123, "teki1.png", kOneBit, kBlackColorKey},
    {&g_TexTekiBaku1, 129, "tekibaku1.png", kOneBit, kBlackColorKey},
    {&g_TexTekiDan1, 130, "tekidan1.png", kOneBit, kBlackColorKey},
    {&g_TexTeki2, 124, "teki2.png", kOneBit, kBlackColorKey},
    {&g_TexTeki3, 125, "teki3.png", kOneBit, kBlackColorKey},
    {&g_TexTekiDan2, 131, "tekidan2.png", kOneBit, kBlackColorKey},
    {&g_TexTekiDan2Baku, 132, "tekidan2baku.png", kOneBit, kBlackColorKey},
    {&g_TexTeki4, 126, "teki4.png", kOneBit, kBlackColorKey},
    {&g_TexTeki41, 128, "teki41.png", kOneBit, kBlackColorKey},
    {&g_TexTeki4Baku, 127, "teki4baku.png", kOneBit, kBlackColorKey},
    {&g_TexTekiDan3, 133, "tekidan3.png", kOneBit, kBlackColorKey},
    {&g_TexSuuji, 116, "suuji.png", kOneBit, kBlackColorKey},
    {&g_TexGage, 111, "gage.png", kFull, kNoColorKey},
    {&g_TexScore, 113, "score.png", kFull, kNoColorKey},
    {&g_TexShutter, 115, "shutter2.png", kOneBit, kBlackColorKey},
    {&g_TexGraph, 112, "graph.png", kFull, kNoColorKey},
    {&g_TexTen, 117, "ten.png", kOneBit, kBlackColorKey},
};

const Row kTitleRows[] = {
    {&g_TexTitle, 101, "title.png", kFull, kNoColorKey},
    {&g_TexSelect, 103, "select.png", kFull, kNoColorKey},
};

// The weather picture of stages 0, 1 and 2.
const Row kWeatherRows[] = {
    {&g_TexWeather, 174, "fuusen.png", kOneBit, kBlackColorKey},
    {&g_TexWeather, 175, "ame.png", kFull, kNoColorKey},
    {&g_TexWeather, 176, "yuki.png", kOneBit, kBlackColorKey},
};

std::string FailureOf(const char* name) { return std::string(name) + " をテクスチャとして読み込めませんでした"; }

class Catalogue : public ::testing::Test {
 protected:
  void SetUp() override {
    host_.SetQuiet(true);
    g_Host = &host_;
    g_Device = new GfxDevice(0);
  }
  void TearDown() override {
    ReleaseAllTextures();
    g_Device->Release();
    g_Device = nullptr;
    ClearResourceOverrides();
    g_StageNo = 0;
    g_Host = nullptr;
  }
  // The messages shown since the last call.
  std::vector<HeadlessHost::Message> NewMessages() {
    std::vector<HeadlessHost::Message> fresh(host_.Messages().begin() + seen_, host_.Messages().end());
    seen_ = host_.Messages().size();
    return fresh;
  }
  void Override(int id, std::vector<uint8_t> bytes) {
    kept_.push_back(std::move(bytes));
    OverrideResource("RCDATA", id, kept_.back());
  }

  HeadlessHost host_;
  size_t seen_ = 0;
  std::vector<std::vector<uint8_t>> kept_;
};

// The texture's texels are the picture's pixels as its row's format and key make them.
void ExpectTextureOf(const GfxTexture* texture, const Row& row) {
  SCOPED_TRACE(row.name);
  ASSERT_NE(texture, nullptr);
  Picture picture;
  ASSERT_TRUE(DecodePicture(FindResource("RCDATA", row.id), &picture, nullptr));
  ConvertTexels(picture.pixels, row.format, row.key);
  EXPECT_EQ(texture->Width(), picture.width);
  EXPECT_EQ(texture->Height(), picture.height);
  EXPECT_TRUE(texture->Texels() == picture.pixels);
}

TEST_F(Catalogue, EveryTextureKeepsItsPictureAsItsFormatAndKeySay) {
  LoadTitleTextures();
  for (const Row& row : kTitleRows) ExpectTextureOf(*row.handle, row);
  for (int stage = 0; stage < 3; ++stage) {
    g_StageNo = stage;
    ReleaseAllTextures();
    LoadGameTextures();
    for (const Row& row : kPlayRows) ExpectTextureOf(*row.handle, row);
    ExpectTextureOf(g_TexWeather, kWeatherRows[stage]);
    EXPECT_NE(g_TexEnding, nullptr);
  }
  EXPECT_TRUE(NewMessages().empty());
}

// The same with a picture that holds every case (opaque black, nearly black, translucent either side of
// half, a colour off the 5-bit grid), whatever the game's artwork happens to contain.
TEST_F(Catalogue, EveryRowAppliesItsFormatAndKeyToAnyPicture) {
  const std::vector<uint32_t> pixels = {0xFF000000u, 0xFF070707u, 0x80FFFFFFu, 0x7F00FF00u, 0xFF123456u, 0x00000000u};
  std::vector<uint8_t> png = PngOf(3, 2, pixels, true);
  std::vector<Row> rows(std::begin(kTitleRows), std::end(kTitleRows));
  rows.insert(rows.end(), std::begin(kPlayRows), std::end(kPlayRows));
  rows.insert(rows.end(), std::begin(kWeatherRows), std::end(kWeatherRows));
  for (const Row& row : rows) OverrideResource("RCDATA", row.id, png);
  for (int id = 155; id <= 172; ++id) OverrideResource("RCDATA", id, png);
  rows.push_back(Row{&g_TexEnding, 155, "the ending", kFull, kNoColorKey});

  for (int stage = 0; stage < 3; ++stage) {
    g_StageNo = stage;
    ReleaseAllTextures();
    LoadTitleTextures();
    LoadGameTextures();
    for (const Row& row : rows) {
      if (row.handle == &g_TexWeather && row.id != kWeatherRows[stage].id) continue;
      SCOPED_TRACE(row.name);
      ASSERT_NE(*row.handle, nullptr);
      std::vector<uint32_t> expected = pixels;
      ConvertTexels(expected, row.format, row.key);
      EXPECT_EQ((*row.handle)->Texels(), expected);
    }
  }
  EXPECT_TRUE(NewMessages().empty());
}

TEST_F(Catalogue, StageThreeHasNoWeatherAndSaysNothing) {
  g_StageNo = 3;
  LoadGameTextures();
  EXPECT_EQ(g_TexWeather, nullptr);
  EXPECT_NE(g_TexEnding, nullptr);
  EXPECT_NE(g_TexTen, nullptr);
  EXPECT_TRUE(NewMessages().empty());
}

// The rows load in order and the first failure ends the group: the rows before it are loaded, it and
// every row after it (the weather and the ending too) stay empty.
TEST_F(Catalogue, PlayGroupStopsAtItsFirstFailure) {
  for (size_t failing = 0; failing < std::size(kPlayRows); ++failing) {
    const Row& bad = kPlayRows[failing];
    SCOPED_TRACE(bad.name);
    // Missing and undecodable pictures fail alike.
    if (failing % 2 == 0) {
      RemoveResource("RCDATA", bad.id);
    } else {
      Override(bad.id, {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0});
    }
    g_StageNo = 0;
    LoadGameTextures();
    std::vector<HeadlessHost::Message> messages = NewMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].caption, "ERROR");
    EXPECT_EQ(messages[0].text, FailureOf(bad.name));
    for (size_t k = 0; k < std::size(kPlayRows); ++k) {
      EXPECT_EQ(*kPlayRows[k].handle != nullptr, k < failing) << kPlayRows[k].name;
    }
    EXPECT_EQ(g_TexWeather, nullptr);
    EXPECT_EQ(g_TexEnding, nullptr);
    ReleaseAllTextures();
    ClearResourceOverrides();
  }
}

TEST_F(Catalogue, FailedTitlePictureLeavesBothTitleHandlesEmpty) {
  struct Case {
    int id;
    const char* name;
    bool titleLoaded;
  };
  const Case cases[] = {{101, "title.png", false}, {103, "select.png", true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RemoveResource("RCDATA", c.id);
    LoadTitleTextures();
    std::vector<HeadlessHost::Message> messages = NewMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].caption, "ERROR");
    EXPECT_EQ(messages[0].text, FailureOf(c.name));
    EXPECT_EQ(g_TexTitle != nullptr, c.titleLoaded);
    EXPECT_EQ(g_TexSelect, nullptr);
    ReleaseTitleTextures();
    ClearResourceOverrides();
  }
}

TEST_F(Catalogue, FailedWeatherPictureSkipsTheEnding) {
  for (int stage = 0; stage < 3; ++stage) {
    const Row& weather = kWeatherRows[stage];
    SCOPED_TRACE(weather.name);
    RemoveResource("RCDATA", weather.id);
    g_StageNo = stage;
    LoadGameTextures();
    std::vector<HeadlessHost::Message> messages = NewMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, FailureOf(weather.name));
    EXPECT_NE(g_TexTen, nullptr);
    EXPECT_EQ(g_TexWeather, nullptr);
    EXPECT_EQ(g_TexEnding, nullptr);
    ReleaseAllTextures();
    ClearResourceOverrides();
  }
}

TEST_F(Catalogue, FailedEndingHasItsOwnMessage) {
  for (int id = 155; id <= 172; ++id) RemoveResource("RCDATA", id);
  g_StageNo = 3;
  LoadGameTextures();
  std::vector<HeadlessHost::Message> messages = NewMessages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].caption, "ERROR");
  EXPECT_EQ(messages[0].text, "エンディング画像をテクスチャとして読み込めませんでした");
  EXPECT_EQ(g_TexEnding, nullptr);
}

// The ending is picture 155 + r mod 18 for the next random number r: over enough seeds every one of the
// 18 comes up, and nothing else. Each ending is replaced by a one-pixel picture that names its id.
TEST_F(Catalogue, EndingIsOneOfTheEighteenByTheNextRandomNumber) {
  for (const Row& row : kPlayRows) Override(row.id, OnePixelPng(0xFFFFFFFFu));
  for (int id = 155; id <= 172; ++id) Override(id, OnePixelPng(0xFF000000u | id));
  g_StageNo = 3;
  std::set<int> seen;
  for (uint32_t seed = 0; seed < 2000 && seen.size() < 18; ++seed) {
    SeedRand(seed);
    int expected = 155 + Rand() % 18;
    SeedRand(seed);
    ReleaseAllTextures();
    LoadGameTextures();
    ASSERT_NE(g_TexEnding, nullptr) << "seed " << seed;
    int shown = static_cast<int>(g_TexEnding->Texels()[0] & 0xFFFFFF);
    ASSERT_EQ(shown, expected) << "seed " << seed;
    seen.insert(shown);
  }
  EXPECT_EQ(seen.size(), 18u);
  EXPECT_EQ(*seen.begin(), 155);
  EXPECT_EQ(*seen.rbegin(), 172);
  EXPECT_TRUE(NewMessages().empty());
}

TEST_F(Catalogue, ReleasingTwiceOrWithNothingLoadedIsHarmless) {
  ReleaseAllTextures();
  ReleaseTitleTextures();
  LoadTitleTextures();
  LoadGameTextures();
  ReleaseAllTextures();
  for (const Row& row : kPlayRows) EXPECT_EQ(*row.handle, nullptr) << row.name;
  for (const Row& row : kTitleRows) EXPECT_EQ(*row.handle, nullptr) << row.name;
  EXPECT_EQ(g_TexWeather, nullptr);
  EXPECT_EQ(g_TexEnding, nullptr);
  ReleaseAllTextures();
  ReleaseTitleTextures();
  EXPECT_TRUE(NewMessages().empty());
}

// Every picture built into the game, at the size and of the type the game was drawn for.
TEST(BuiltInPictures, DecodeAtTheirSizeAndType) {
  struct Case {
    int id;
    int width, height;
    bool alpha;
    bool jpeg;
  };
  std::vector<Case> cases = {
      {101, 640, 480, true, false},   {103, 9, 9, false, false},    {107, 640, 19680, false, false},
      {108, 640, 19680, false, true}, {109, 640, 19680, false, true}, {110, 640, 19680, false, true},
      {111, 4, 9, true, false},       {112, 600, 320, true, false}, {113, 640, 32, true, false},
      {115, 640, 960, true, false},   {116, 100, 12, true, false},  {117, 6, 6, true, false},
      {118, 174, 48, false, false},   {119, 384, 48, true, false},  {120, 144, 48, false, false},
      {121, 128, 16, true, false},    {122, 40, 12, false, false},  {123, 384, 48, true, false},
      {124, 288, 48, true, false},    {125, 384, 48, true, false},  {126, 256, 64, true, false},
      {127, 192, 64, true, false},    {128, 40, 24, true, false},   {129, 144, 48, false, false},
      {130, 96, 32, true, false},     {131, 88, 48, false, false},  {132, 32, 32, true, false},
      {133, 256, 32, false, false},   {174, 48, 64, true, false},   {175, 1, 16, true, false},
      {176, 12, 12, true, false},
  };
  for (int id = 155; id <= 172; ++id) cases.push_back({id, 640, 480, false, true});

  std::set<int> listed;
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "picture " << c.id);
    listed.insert(c.id);
    std::span<const uint8_t> bytes = FindResource("RCDATA", c.id);
    ASSERT_GT(bytes.size(), 3u);
    EXPECT_EQ(bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF, c.jpeg);
    Picture picture;
    std::string error;
    ASSERT_TRUE(DecodePicture(bytes, &picture, &error)) << error;
    EXPECT_EQ(picture.width, c.width);
    EXPECT_EQ(picture.height, c.height);
    EXPECT_EQ(picture.hasAlpha, c.alpha);
  }
  // Nothing is built in that the list above does not know, and the icon is there.
  for (int i = 0; i < kEmbeddedResourceCount; ++i) {
    const EmbeddedResource& r = kEmbeddedResources[i];
    if (std::string(r.type) != "RCDATA") continue;
    EXPECT_TRUE(listed.count(r.id)) << r.name;
  }
  EXPECT_NE(FindResourceEntry("ICON", 154), nullptr);
  Picture icon;
  EXPECT_TRUE(DecodeIcon(FindResource("ICON", 154), 32, &icon, nullptr));
}

// A background that cannot be loaded is reported, the stage set-up stops there, and play begins
// anyway with only the title's sound slot.
TEST(Background, FailureIsReportedAndPlayStillBegins) {
  RemoveResource("RCDATA", 108);
  GameHarness game;
  game.StartStage(1);
  EXPECT_EQ(game.Messages(), "ERROR: テクスチャ読み込みに失敗しました\n");
  EXPECT_EQ(g_FrameNo, 11);
  EXPECT_EQ(g_TexBack, nullptr);
  EXPECT_NE(g_TexJiki, nullptr);
  EXPECT_EQ(g_SoundSlotCount, 1);
  for (int slot = 1; slot < kSoundSlots; ++slot) EXPECT_EQ(g_Voices[slot], nullptr) << "slot " << slot;
  int presented = game.host.PresentedFrames();
  game.Tick(120);
  EXPECT_EQ(game.host.PresentedFrames(), presented + 120);
  EXPECT_EQ(game.Messages(), "ERROR: テクスチャ読み込みに失敗しました\n");
  ClearResourceOverrides();
}

}  // namespace
