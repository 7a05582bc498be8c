// Sound slots, judged by what the mixer puts out: restart, play-out, loops, rewind, and no engine at all.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/faults.h"
#include "platform/headless.h"
#include "platform/resources.h"
#include "sound/sound.h"
#include "tests/support/fixtures.h"

namespace {

constexpr int kFirstTestId = 900;       // WAVE ids the game does not use, one per slot
constexpr int kTick = HeadlessHost::kAudioFramesPerTick;
constexpr size_t kShortSound = 441;    // 40 ms at 11025 Hz: played out within three ticks
constexpr size_t kLongSound = 4410;    // 400 ms

bool Silent(const std::vector<int16_t>& mix) {
  for (int16_t s : mix) {
    if (s != 0) return false;
  }
  return true;
}

// Every sample of the test sounds lies above the silent 128, so a sounding voice gives positive output.
bool Sounding(const std::vector<int16_t>& mix) {
  for (int16_t s : mix) {
    if (s <= 0) return false;
  }
  return true;
}

class SoundSlots : public ::testing::Test {
 protected:
  void SetUp() override {
    host_.SetQuiet(true);
    g_Host = &host_;
  }
  void TearDown() override {
    g_SoundSlotCount = kSoundSlots;  // as after the stage set-up: every slot is shut down
    StopSoundEngine();
    g_SoundSlotCount = 0;
    ClearResourceOverrides();
    ClearFaults();
    g_Host = nullptr;
  }

  // Reads a sound of these samples and sets slot up from it, as the set-ups do.
  void SetUpSlot(int slot, const std::vector<uint8_t>& samples) {
    WaveRecipe recipe;
    recipe.samples = samples;
    kept_.push_back(WaveBytes(recipe));
    OverrideResource("WAVE", kFirstTestId + slot, kept_.back());
    ASSERT_EQ(LoadWaveResource(kFirstTestId + slot), 1);
    ResetSoundSlot(slot);
  }
  std::vector<int16_t> Mix(int frames = kTick) {
    std::vector<int16_t> out(2 * static_cast<size_t>(frames));
    g_XAudio2->Mix(out.data(), frames);
    return out;
  }
  // The first tick of the sound in slot, played from its start.
  std::vector<int16_t> Fresh(int slot) {
    RewindSoundSlot(slot);
    PlaySoundSlot(slot);
    std::vector<int16_t> mix = Mix();
    RewindSoundSlot(slot);
    return mix;
  }

  HeadlessHost host_;
  std::vector<std::vector<uint8_t>> kept_;
};

TEST_F(SoundSlots, PlayRestartsAPlayingSlotFromItsStart) {
  for (int slot : {0, 2}) {  // a looping slot and a one-shot
    SCOPED_TRACE(testing::Message() << "slot " << slot);
    ASSERT_EQ(StartSoundEngine(), 0);
    std::vector<uint8_t> samples = SoundingSamples(kLongSound);
    SetUpSlot(slot, samples);
    PlaySoundSlot(slot);
    std::vector<int16_t> first = Mix();
    Mix();
    PlaySoundSlot(slot);
    std::vector<int16_t> again = Mix();
    EXPECT_EQ(again, first);
    // The start of the sound is its first sample, on both channels.
    EXPECT_EQ(again[0], (samples[0] - 128) * 256);
    EXPECT_EQ(again[1], (samples[0] - 128) * 256);
    g_SoundSlotCount = kSoundSlots;
    StopSoundEngine();
  }
}

// A one-shot that has played out drops its buffer: Play alone gives nothing until the slot is rewound.
TEST_F(SoundSlots, APlayedOutOneShotStaysSilentUntilRewound) {
  ASSERT_EQ(StartSoundEngine(), 0);
  SetUpSlot(4, SoundingSamples(kShortSound));
  std::vector<int16_t> fresh = Fresh(4);
  PlaySoundSlot(4);
  EXPECT_TRUE(Sounding(Mix(kTick)));
  Mix(4 * kTick);
  EXPECT_EQ(g_Voices[4]->BuffersQueued(), 0);
  EXPECT_TRUE(g_Voices[4]->Running());
  PlaySoundSlot(4);
  EXPECT_TRUE(Silent(Mix()));
  RewindSoundSlot(4);
  EXPECT_TRUE(Silent(Mix()));
  PlaySoundSlot(4);
  EXPECT_EQ(Mix(), fresh);
}

TEST_F(SoundSlots, OnlySlotsZeroOneAndElevenLoop) {
  ASSERT_EQ(StartSoundEngine(), 0);
  for (int slot = 0; slot < kSoundSlots; ++slot) SetUpSlot(slot, SoundingSamples(kShortSound));
  g_SoundSlotCount = kSoundSlots;
  for (int slot = 0; slot < kSoundSlots; ++slot) {
    SCOPED_TRACE(testing::Message() << "slot " << slot);
    bool loops = slot == 0 || slot == 1 || slot == 11;
    PlaySoundSlot(slot);
    // A second's worth: a looping sound goes round 25 times without a gap, a one-shot is long over.
    for (int tick = 0; tick < 60; ++tick) {
      std::vector<int16_t> mix = Mix();
      if (loops) {
        ASSERT_TRUE(Sounding(mix)) << "tick " << tick;
      } else if (tick >= 3) {
        ASSERT_TRUE(Silent(mix)) << "tick " << tick;
      }
    }
    RewindSoundSlot(slot);
  }
}

TEST_F(SoundSlots, PlayRestartsALoopFromItsStart) {
  ASSERT_EQ(StartSoundEngine(), 0);
  SetUpSlot(11, SoundingSamples(kShortSound));
  std::vector<int16_t> fresh = Fresh(11);
  PlaySoundSlot(11);
  for (int tick = 0; tick < 7; ++tick) Mix();
  PlaySoundSlot(11);
  EXPECT_EQ(Mix(), fresh);
}

TEST_F(SoundSlots, RewindSilencesAtOnceAndLeavesTheSlotReady) {
  ASSERT_EQ(StartSoundEngine(), 0);
  SetUpSlot(1, SoundingSamples(kLongSound));
  std::vector<int16_t> fresh = Fresh(1);
  PlaySoundSlot(1);
  Mix();
  Mix(123);
  RewindSoundSlot(1);
  EXPECT_TRUE(Silent(Mix()));
  EXPECT_FALSE(g_Voices[1]->Running());
  EXPECT_EQ(g_Voices[1]->BuffersQueued(), 1);
  PlaySoundSlot(1);
  EXPECT_EQ(Mix(), fresh);
}

// After the title only slot 0 was set up; shutting down walks that slot and no other.
TEST_F(SoundSlots, StopAfterTheTitleTouchesOnlySlotZero) {
  ASSERT_EQ(StartSoundEngine(), 0);
  SetUpSlot(0, SoundingSamples(kShortSound));
  SetUpSlot(5, SoundingSamples(kShortSound));
  PlaySoundSlot(0);
  g_SoundSlotCount = 1;
  AudioVoice* beyond = g_Voices[5];
  StopSoundEngine();
  EXPECT_EQ(g_Voices[0], nullptr);
  EXPECT_EQ(g_Voices[5], beyond);  // not walked; the engine freed it with itself
  EXPECT_EQ(g_XAudio2, nullptr);
  EXPECT_EQ(g_SoundData, nullptr);
  g_Voices[5] = nullptr;
  g_SoundSlotCount = 0;
}

TEST_F(SoundSlots, WithoutAnEngineEveryOperationDoesNothing) {
  struct Case {
    Fault fault;
    const char* message;
  };
  const Case cases[] = {
      {Fault::AudioEngine, "XAudio2の作成に失敗しました"},
      {Fault::AudioOutput, "MasteringVoiceの作成に失敗しました"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    ClearFaults();
    InjectFault(c.fault);
    size_t before = host_.Messages().size();
    EXPECT_EQ(StartSoundEngine(), 1);
    ASSERT_EQ(host_.Messages().size(), before + 1);
    EXPECT_EQ(host_.Messages().back().caption, "ERROR");
    EXPECT_EQ(host_.Messages().back().text, c.message);
    EXPECT_EQ(g_XAudio2, nullptr);
    EXPECT_EQ(g_MasteringVoice, nullptr);
    for (int slot = 0; slot < kSoundSlots; ++slot) {
      SetUpSlot(slot, SoundingSamples(kShortSound));
      PlaySoundSlot(slot);
      RewindSoundSlot(slot);
      PlaySoundSlot(slot);
      EXPECT_EQ(g_Voices[slot], nullptr);
    }
    g_SoundSlotCount = kSoundSlots;
    StopSoundEngine();
    EXPECT_EQ(host_.Messages().size(), before + 1);
  }
}

// Slots without a voice or without sound, and numbers outside 0..17, are left alone without harm.
TEST_F(SoundSlots, SlotsWithoutVoiceOrSoundStaySilent) {
  ASSERT_EQ(StartSoundEngine(), 0);
  // No sound read yet: the slot gets no voice.
  ResetSoundSlot(3);
  EXPECT_EQ(g_Voices[3], nullptr);
  // Never set up at all.
  PlaySoundSlot(7);
  RewindSoundSlot(7);
  // Out of range.
  for (int slot : {-1, 18, 1000}) {
    ResetSoundSlot(slot);
    PlaySoundSlot(slot);
    RewindSoundSlot(slot);
  }
  // A format the mixer cannot play gets no voice.
  WaveRecipe wide;
  wide.bitsPerSample = 24, wide.blockAlign = 3, wide.avgBytesPerSec = 33075;
  wide.samples = SoundingSamples(300);
  kept_.push_back(WaveBytes(wide));
  OverrideResource("WAVE", kFirstTestId, kept_.back());
  ASSERT_EQ(LoadWaveResource(kFirstTestId), 1);
  ResetSoundSlot(5);
  EXPECT_EQ(g_Voices[5], nullptr);
  PlaySoundSlot(5);
  // Empty sounds, looping or not, play as silence.
  SetUpSlot(0, {});
  SetUpSlot(2, {});
  PlaySoundSlot(0);
  PlaySoundSlot(2);
  for (int slot : {3, 5, 7}) PlaySoundSlot(slot);
  EXPECT_TRUE(Silent(Mix()));
  EXPECT_TRUE(Silent(Mix()));
  // Shutting down copes with the sound data already gone.
  FreeSoundData();
  g_SoundSlotCount = kSoundSlots;
  StopSoundEngine();
  EXPECT_EQ(g_XAudio2, nullptr);
}

}  // namespace
