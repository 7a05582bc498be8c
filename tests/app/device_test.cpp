// Start-up with failing machinery, the frame tick's scenes, and teardown, driven headless.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/app.h"
#include "game/game.h"
#include "platform/faults.h"
#include "platform/picture.h"
#include "platform/resources.h"
#include "render/render.h"
#include "sound/sound.h"
#include "tests/support/harness.h"
#include "title/title.h"

namespace {

void Inject(const std::vector<Fault>& faults) {
  ClearFaults();
  for (Fault f : faults) InjectFault(f);
}

// ---- Opening the display ----

struct DeviceCase {
  const char* name;
  std::vector<Fault> faults;
  int kind;  // the device kind opened; -1 for none
};

// Named in test listings by the case's name rather than its bytes.
void PrintTo(const DeviceCase& c, std::ostream* os) { *os << c.name; }

class DeviceStartup : public ::testing::TestWithParam<DeviceCase> {};

// The three ways of opening the display are tried in order; without any, the window stays black and
// only Q does anything.
TEST_P(DeviceStartup, OpensTheFirstWorkingKindOrRunsNoFrameAtAll) {
  const DeviceCase& c = GetParam();
  Inject(c.faults);
  GameHarness game;
  ASSERT_TRUE(game.started);
  if (c.kind >= 0) {
    ASSERT_NE(g_Device, nullptr);
    EXPECT_EQ(g_Device->Kind(), c.kind);
    EXPECT_EQ(game.Messages(), "");
    EXPECT_TRUE(game.host.Tick());
    EXPECT_EQ(game.host.PresentedFrames(), 1);
    return;
  }
  EXPECT_EQ(game.Messages(), "hoshikuzu: D3D No Create \n");
  EXPECT_EQ(g_Device, nullptr);
  EXPECT_EQ(g_Direct3D, nullptr);
  EXPECT_EQ(g_Line, nullptr);
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(game.host.Tick());
  game.Type("KkSsZz2468Yy");
  game.KeyUp(kVkZ);
  game.Tick(3);
  EXPECT_EQ(game.host.PresentedFrames(), 0);
  EXPECT_EQ(g_Life, -2);
  EXPECT_EQ(g_FrameNo, 0);
  EXPECT_TRUE(game.host.WindowOpen());
  EXPECT_FALSE(game.host.Quit());
  game.Type("Q");
  EXPECT_TRUE(game.host.Quit());
  EXPECT_EQ(game.host.ExitCode(), 0);
  EXPECT_FALSE(game.host.WindowOpen());
  EXPECT_EQ(game.Messages(), "hoshikuzu: D3D No Create \n");
}

INSTANTIATE_TEST_SUITE_P(
    Faults, DeviceStartup,
    ::testing::Values(DeviceCase{"AllWork", {}, 0},
                      DeviceCase{"KindZeroFails", {Fault::Device0}, 1},
                      DeviceCase{"KindsZeroAndOneFail", {Fault::Device0, Fault::Device1}, 2},
                      DeviceCase{"OnlyKindOneFails", {Fault::Device1}, 0},
                      DeviceCase{"AllKindsFail", {Fault::Device0, Fault::Device1, Fault::Device2}, -1},
                      DeviceCase{"NoGraphicsSystem", {Fault::GraphicsSystem}, -1},
                      DeviceCase{"NoDisplayMode", {Fault::DisplayMode}, -1}),
    [](const ::testing::TestParamInfo<DeviceCase>& info) { return std::string(info.param.name); });

// ---- Messages of the line drawer and the sound engine ----

struct MessageCase {
  const char* name;
  std::vector<Fault> faults;
  const char* messages;
};

void PrintTo(const MessageCase& c, std::ostream* os) { *os << c.name; }

class StartupMessages : public ::testing::TestWithParam<MessageCase> {};

// Each failure is reported in its own words, and the game goes on to its title all the same.
TEST_P(StartupMessages, AreShownAndTheGameStillStarts) {
  const MessageCase& c = GetParam();
  Inject(c.faults);
  GameHarness game;
  ASSERT_TRUE(game.started);
  EXPECT_EQ(game.Messages(), c.messages);
  EXPECT_TRUE(game.host.Tick());
  EXPECT_EQ(g_FrameNo, 1);
  EXPECT_EQ(g_Life, -1);
  EXPECT_EQ(game.Messages(), c.messages);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, StartupMessages,
    ::testing::Values(
        // The antialias setting is not tried without a line drawer, so its failure says nothing.
        MessageCase{"NoLine", {Fault::Line, Fault::Antialias}, "ERROR: ID3DXLineインスタンスの生成に失敗しました\n"},
        MessageCase{"NoAntialias", {Fault::Antialias}, "ERROR: アンチエイリアスの設定に失敗しました\n"},
        MessageCase{"NoAudioEngine", {Fault::AudioEngine},
                    "ERROR: XAudio2の作成に失敗しました\nhoshikuzu: XAudio2 No Initialize\n"},
        MessageCase{"NoAudioOutput", {Fault::AudioOutput},
                    "ERROR: MasteringVoiceの作成に失敗しました\nhoshikuzu: XAudio2 No Initialize\n"}),
    [](const ::testing::TestParamInfo<MessageCase>& info) { return std::string(info.param.name); });

TEST(LineDrawer, IsKeptWhenOnlyAntialiasingFails) {
  Inject({Fault::Antialias});
  GameHarness game;
  EXPECT_NE(g_Line, nullptr);
}

// ---- The frame tick ----

uint32_t OverBlack(uint32_t texel) {
  uint32_t a = texel >> 24, out = 0xFF000000u;
  for (int shift = 0; shift < 24; shift += 8) out |= Div255Round(((texel >> shift) & 0xFF) * a) << shift;
  return out;
}

// The first frame sets the title up and shows it at once: every texel of the title on its pixel, the
// cursor's texels over the first stage's square.
TEST(FrameTick, FirstFrameSetsUpAndDrawsTheTitle) {
  GameHarness game;
  EXPECT_EQ(g_FrameNo, 0);
  EXPECT_EQ(game.host.PresentedFrames(), 0);
  ASSERT_TRUE(game.host.Tick());
  EXPECT_EQ(g_FrameNo, 1);
  EXPECT_EQ(g_Life, -1);
  EXPECT_EQ(g_SoundSlotCount, 1);
  EXPECT_EQ(game.host.PresentedFrames(), 1);
  Picture title, cursor;
  ASSERT_TRUE(DecodePicture(FindResource("RCDATA", 101), &title, nullptr));
  ASSERT_TRUE(DecodePicture(FindResource("RCDATA", 103), &cursor, nullptr));
  const uint32_t* frame = game.host.Frame();
  ASSERT_NE(frame, nullptr);
  int wrong = 0;
  for (int y = 0; y < 480; ++y) {
    for (int x = 0; x < 640; ++x) {
      bool onCursor = x >= 202 && x < 211 && y >= 255 && y < 264;
      uint32_t expected = onCursor ? cursor.pixels[(y - 255) * 9 + (x - 202)] : OverBlack(title.pixels[y * 640 + x]);
      if (frame[y * 640 + x] != expected && wrong++ < 5) ADD_FAILURE() << "pixel " << x << ", " << y;
    }
  }
  EXPECT_EQ(wrong, 0);
}

TEST(FrameTick, SStartsTheStageOnTheNextFrameAndOnlyOnTheTitle) {
  GameHarness game;
  game.Type("S");  // before the first frame: nothing
  EXPECT_EQ(g_FrameNo, 0);
  game.Tick();
  game.Type("S");
  EXPECT_EQ(g_FrameNo, 10);
  EXPECT_EQ(g_Life, 32);
  EXPECT_EQ(game.host.PresentedFrames(), 1);
  // The next frame runs the stage set-up and the first play frame, the one after only a play frame.
  game.Tick();
  EXPECT_EQ(g_FrameNo, 11);
  EXPECT_EQ(g_FrameCount, 1);
  EXPECT_NE(g_TexBack, nullptr);
  EXPECT_EQ(g_SoundSlotCount, kSoundSlots);
  EXPECT_EQ(game.host.PresentedFrames(), 2);
  game.Tick();
  EXPECT_EQ(g_FrameCount, 2);
  EXPECT_EQ(game.host.PresentedFrames(), 3);
  EXPECT_EQ(game.Messages(), "");
}

// A scene number nothing stores is reported, and that frame is not shown; the next valid one is.
TEST(FrameTick, InvalidSceneNumberIsReportedAndItsFrameNotPresented) {
  GameHarness game;
  game.Tick();
  int messages = 0;
  for (int scene : {2, 9, 12, 255}) {
    SCOPED_TRACE(testing::Message() << "scene " << scene);
    g_FrameNo = static_cast<uint8_t>(scene);
    EXPECT_TRUE(game.host.Tick());
    ASSERT_EQ(game.host.Messages().size(), static_cast<size_t>(++messages));
    EXPECT_EQ(game.host.Messages().back().caption, "ERROR");
    EXPECT_EQ(game.host.Messages().back().text, "g_FrameNo の値が例外です。");
    EXPECT_EQ(game.host.PresentedFrames(), 1);
    EXPECT_EQ(g_Device->PresentCount(), 1);
  }
  g_FrameNo = 1;
  game.Tick();
  EXPECT_EQ(game.host.PresentedFrames(), 2);
}

// ---- Teardown ----

TEST(Teardown, ClosingOnTheTitleReleasesEverything) {
  GameHarness game;
  game.Tick(3);
  ASSERT_NE(g_TexTitle, nullptr);
  ASSERT_NE(g_TexSelect, nullptr);
  ASSERT_NE(g_Voices[0], nullptr);
  EXPECT_EQ(game.host.Finish(), 0);
  EXPECT_TRUE(game.host.Quit());
  EXPECT_EQ(g_TexTitle, nullptr);
  EXPECT_EQ(g_TexSelect, nullptr);
  EXPECT_EQ(g_Line, nullptr);
  EXPECT_EQ(g_Device, nullptr);
  EXPECT_EQ(g_Direct3D, nullptr);
  EXPECT_EQ(g_XAudio2, nullptr);
  EXPECT_EQ(g_Voices[0], nullptr);
  EXPECT_EQ(g_SoundData, nullptr);
  EXPECT_EQ(g_hWnd, nullptr);
  EXPECT_EQ(game.Messages(), "");
}

TEST(Teardown, QInPlayClosesTheProgramWithExitCodeZero) {
  GameHarness game;
  game.StartStage(2);
  game.Tick(30);
  ASSERT_NE(g_TexBack, nullptr);
  game.Type("q");
  EXPECT_TRUE(game.host.Quit());
  EXPECT_EQ(game.host.ExitCode(), 0);
  EXPECT_EQ(g_TexBack, nullptr);
  EXPECT_EQ(g_TexJiki, nullptr);
  EXPECT_EQ(g_Device, nullptr);
  EXPECT_FALSE(game.host.Tick());
}

}  // namespace
