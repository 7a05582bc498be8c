// The WAVE reader: the layouts it accepts, each rejection with its message, and resources cut short.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/headless.h"
#include "platform/resources.h"
#include "sound/sound.h"
#include "tests/support/fixtures.h"

namespace {

constexpr int kTestId = 900;  // a WAVE id the game does not use

class WaveReader : public ::testing::Test {
 protected:
  void SetUp() override {
    host_.SetQuiet(true);
    g_Host = &host_;
  }
  void TearDown() override {
    FreeSoundData();
    ClearResourceOverrides();
    g_Host = nullptr;
  }

  // Feeds bytes in as WAVE resource kTestId and reads it; the bytes are kept for as long as the test.
  int Load(std::vector<uint8_t> bytes) {
    kept_.push_back(std::move(bytes));
    OverrideResource("WAVE", kTestId, kept_.back());
    return LoadWaveResource(kTestId);
  }
  std::string Messages() const {
    std::string all;
    for (const HeadlessHost::Message& m : host_.Messages()) all += m.caption + ": " + m.text + "\n";
    return all;
  }

  HeadlessHost host_;
  std::vector<std::vector<uint8_t>> kept_;
};

WaveRecipe Canonical() {
  WaveRecipe s;
  s.samples = SoundingSamples(21);
  return s;
}

TEST_F(WaveReader, AcceptsEveryLayoutItUnderstands) {
  struct Case {
    const char* what;
    WaveRecipe recipe;
    size_t start;  // where the samples begin
  };
  std::vector<Case> cases;
  cases.push_back({"16-byte fmt, data at 36", Canonical(), 44});
  WaveRecipe eighteen = Canonical();
  eighteen.fmtSize = 18;
  eighteen.cbSize = 0x1234;  // whatever it says, the stored cbSize is 0
  cases.push_back({"18-byte fmt, data at 38", eighteen, 46});
  WaveRecipe fact = Canonical();
  fact.fact = true;
  fact.afterFact = "junk";  // the chunk after "fact" is not examined
  cases.push_back({"fact chunk, then anything", fact, 56});
  WaveRecipe factEighteen = eighteen;
  factEighteen.fact = true;
  cases.push_back({"18-byte fmt and fact", factEighteen, 58});
  WaveRecipe loose = Canonical();
  loose.riffSize = 0xFFFFFFF0u;
  loose.trailing = std::vector<uint8_t>(13, 0xEE);
  cases.push_back({"trailing bytes and a wrong RIFF size", loose, 44});
  WaveRecipe stereo = Canonical();
  stereo.channels = 2, stereo.samplesPerSec = 22050, stereo.avgBytesPerSec = 88200;
  stereo.blockAlign = 4, stereo.bitsPerSample = 16;
  stereo.samples = SoundingSamples(40);
  cases.push_back({"16-bit stereo", stereo, 44});

  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<uint8_t> bytes = WaveBytes(c.recipe);
    ASSERT_EQ(WaveSampleOffset(c.recipe), c.start);
    ASSERT_EQ(Load(bytes), 1);
    ASSERT_NE(g_SoundData, nullptr);
    const WaveFormat& f = g_SoundData->format;
    EXPECT_EQ(f.formatTag, 1);
    EXPECT_EQ(f.channels, c.recipe.channels);
    EXPECT_EQ(f.samplesPerSec, c.recipe.samplesPerSec);
    EXPECT_EQ(f.avgBytesPerSec, c.recipe.avgBytesPerSec);
    EXPECT_EQ(f.blockAlign, c.recipe.blockAlign);
    EXPECT_EQ(f.bitsPerSample, c.recipe.bitsPerSample);
    EXPECT_EQ(f.cbSize, 0);
    ASSERT_EQ(g_SoundData->byteCount, c.recipe.samples.size());
    EXPECT_EQ(std::memcmp(g_SoundData->samples, bytes.data() + c.start, c.recipe.samples.size()), 0);
  }
  EXPECT_EQ(Messages(), "");
}

TEST_F(WaveReader, EmptyDataWarnsAndStillReplacesTheSound) {
  ASSERT_EQ(Load(WaveBytes(Canonical())), 1);
  const uint8_t* earlier = g_SoundData->samples;
  WaveRecipe empty = Canonical();
  empty.samples.clear();
  empty.trailing = {1, 2, 3};
  EXPECT_EQ(Load(WaveBytes(empty)), 1);
  EXPECT_EQ(Messages(), "警告: WAV波形データがありません\n");
  ASSERT_NE(g_SoundData, nullptr);
  EXPECT_EQ(g_SoundData->byteCount, 0u);
  EXPECT_NE(g_SoundData->samples, nullptr);
  EXPECT_NE(g_SoundData->samples, earlier);
}

// The checks run in a fixed order and a file failing several reports only the first; the sound read
// before stays current.
TEST_F(WaveReader, RejectsEachFaultWithItsMessageAndKeepsThePreviousSound) {
  const std::string kNotWave1 = "有効なWAVファイルではありません1", kNotWave2 = "有効なWAVファイルではありません2";
  const std::string kNotWave3 = "有効なWAVファイルではありません3", kNotPcm = "PCM形式ではありません";
  struct Case {
    const char* what;
    void (*spoil)(WaveRecipe&);
    const std::string& message;
  };
  const Case cases[] = {
      {"not RIFF", [](WaveRecipe& s) { s.riff = "RIFX"; }, kNotWave1},
      {"not WAVE", [](WaveRecipe& s) { s.wave = "AVI "; }, kNotWave1},
      {"no fmt chunk first", [](WaveRecipe& s) { s.fmt = "LIST"; }, kNotWave1},
      {"fmt of 20 bytes", [](WaveRecipe& s) { s.fmtSize = 20; }, kNotWave2},
      {"fmt of 14 bytes", [](WaveRecipe& s) { s.fmtSize = 14; }, kNotWave2},
      {"ADPCM", [](WaveRecipe& s) { s.formatTag = 2; }, kNotPcm},
      {"float", [](WaveRecipe& s) { s.formatTag = 3; }, kNotPcm},
      {"LIST after fmt", [](WaveRecipe& s) { s.data = "LIST"; }, kNotWave3},
      {"data claims more than there is", [](WaveRecipe& s) { s.dataSize = 22; }, kNotWave3},
      {"not RIFF and fmt of 20", [](WaveRecipe& s) { s.riff = "RIFX", s.fmtSize = 20; }, kNotWave1},
      {"fmt of 20 and float", [](WaveRecipe& s) { s.fmtSize = 20, s.formatTag = 3; }, kNotWave2},
      {"float and LIST after fmt", [](WaveRecipe& s) { s.formatTag = 3, s.data = "LIST"; }, kNotPcm},
  };
  ASSERT_EQ(Load(WaveBytes(Canonical())), 1);
  const SoundData* good = g_SoundData;
  const uint8_t* goodSamples = good->samples;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WaveRecipe recipe = Canonical();
    c.spoil(recipe);
    size_t before = host_.Messages().size();
    EXPECT_EQ(Load(WaveBytes(recipe)), 0);
    ASSERT_EQ(host_.Messages().size(), before + 1);
    EXPECT_EQ(host_.Messages().back().caption, "ERROR");
    EXPECT_EQ(host_.Messages().back().text, c.message);
    EXPECT_EQ(g_SoundData, good);
    EXPECT_EQ(g_SoundData->samples, goodSamples);
    EXPECT_EQ(g_SoundData->byteCount, 21u);
  }
}

TEST_F(WaveReader, AMissingResourceIsRejectedLikeABadHeader) {
  RemoveResource("WAVE", kTestId);
  EXPECT_EQ(LoadWaveResource(kTestId), 0);
  EXPECT_EQ(Messages(), "ERROR: 有効なWAVファイルではありません1\n");
  EXPECT_EQ(g_SoundData, nullptr);
}

// Whatever length a resource is cut to, the reader never reads past it: a cut before the end of the
// samples is refused with a message, and the trailing bytes may go.
TEST_F(WaveReader, EveryCutIsRejectedUnlessAllSamplesAreThere) {
  struct Case {
    const char* what;
    WaveRecipe recipe;
  };
  WaveRecipe sixteen = Canonical(), eighteen = Canonical(), fact = Canonical();
  eighteen.fmtSize = 18;
  fact.fact = true;
  std::vector<Case> cases = {{"16-byte fmt", sixteen}, {"18-byte fmt", eighteen}, {"fact chunk", fact}};
  for (Case& c : cases) c.recipe.trailing = std::vector<uint8_t>(13, 0xEE);

  for (const Case& c : cases) {
    std::vector<uint8_t> whole = WaveBytes(c.recipe);
    size_t end = WaveSampleOffset(c.recipe) + c.recipe.samples.size();
    for (size_t n = 0; n <= whole.size(); ++n) {
      SCOPED_TRACE(testing::Message() << c.what << " cut to " << n << " of " << whole.size() << " bytes");
      size_t before = host_.Messages().size();
      // Exactly n bytes on the heap, so that reading past them is an overflow the sanitizers see.
      int result = Load(std::vector<uint8_t>(whole.begin(), whole.begin() + n));
      if (n < end) {
        EXPECT_EQ(result, 0);
        ASSERT_EQ(host_.Messages().size(), before + 1);
        EXPECT_EQ(host_.Messages().back().caption, "ERROR");
        EXPECT_NE(host_.Messages().back().text.find("有効なWAVファイルではありません"), std::string::npos);
      } else {
        EXPECT_EQ(result, 1);
        EXPECT_EQ(host_.Messages().size(), before);
        EXPECT_EQ(g_SoundData->byteCount, c.recipe.samples.size());
      }
    }
  }
}

// A slot's voice plays the samples block in place, so reading the next sound must not free it.
TEST_F(WaveReader, ReadingAgainKeepsTheEarlierSamplesAlive) {
  WaveRecipe first = Canonical(), second = Canonical();
  second.samples.assign(5, 200);
  ASSERT_EQ(Load(WaveBytes(first)), 1);
  const uint8_t* kept = g_SoundData->samples;
  ASSERT_EQ(Load(WaveBytes(second)), 1);
  EXPECT_NE(g_SoundData->samples, kept);
  EXPECT_EQ(std::vector<uint8_t>(kept, kept + 21), first.samples);
  EXPECT_EQ(std::vector<uint8_t>(g_SoundData->samples, g_SoundData->samples + 5), second.samples);
}

}  // namespace
