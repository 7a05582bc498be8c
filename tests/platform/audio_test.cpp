// The mixer's resampling for every format it plays: a rising ramp comes out as the same ramp at the
// output rate (the cubic through four points of a straight line is that line), each channel in its
// place, and silence once a one-shot has played out.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "platform/audio.h"
#include "platform/headless.h"

namespace {

constexpr int kRampFrames = 64;
constexpr int kOutputRate = HeadlessHost::kAudioRate;  // 11025

// Frame k of the ramp is 256 × k on the left (or only) channel and −256 × k on the right.
std::vector<uint8_t> Ramp(int bits, int channels) {
  std::vector<uint8_t> bytes;
  for (int k = 0; k < kRampFrames; ++k) {
    for (int c = 0; c < channels; ++c) {
      int value = c == 0 ? k : -k;
      if (bits == 8) {
        bytes.push_back(static_cast<uint8_t>(128 + value));
      } else {
        auto word = static_cast<uint16_t>(static_cast<int16_t>(256 * value));
        bytes.push_back(static_cast<uint8_t>(word & 0xFF));
        bytes.push_back(static_cast<uint8_t>(word >> 8));
      }
    }
  }
  return bytes;
}

TEST(Mixer, ResamplesEveryFormatAtEveryRateAlongTheRamp) {
  struct Case {
    int bits, channels;
    uint32_t rate;  // of the sound; the output runs at 48000
  };
  const Case cases[] = {{8, 1, 11025}, {8, 2, 11025}, {16, 1, 11025}, {16, 2, 11025}, {8, 1, 22050},
                        {16, 2, 44100}, {8, 2, 8000}, {16, 1, 1000}, {8, 2, 192000}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.bits << "-bit, " << c.channels << " channels at " << c.rate << " Hz");
    HeadlessHost host;
    g_Host = &host;
    AudioEngine* engine = AudioEngine::Create();
    ASSERT_NE(engine->CreateOutput(), nullptr);
    WaveFormat format{1, static_cast<uint16_t>(c.channels), c.rate, 0, static_cast<uint16_t>(c.channels * c.bits / 8),
                      static_cast<uint16_t>(c.bits), 0};
    AudioVoice* voice = engine->CreateVoice(format);
    ASSERT_NE(voice, nullptr);
    std::vector<uint8_t> ramp = Ramp(c.bits, c.channels);
    AudioBuffer buffer;
    buffer.flags = kAudioEndOfStream;
    buffer.audioBytes = static_cast<uint32_t>(ramp.size());
    buffer.audioData = ramp.data();
    voice->SubmitBuffer(buffer);
    voice->Start();
    // Enough output for the whole sound and some silence after it, mixed in uneven pieces.
    int total = static_cast<int>(static_cast<int64_t>(kRampFrames) * kOutputRate / c.rate) + 300;
    std::vector<int16_t> out(2 * static_cast<size_t>(total));
    for (int done = 0; done < total;) {
      int piece = std::min(total - done, 37 + done % 101);
      engine->Mix(out.data() + 2 * done, piece);
      done += piece;
    }
    double step = static_cast<double>(c.rate) / kOutputRate;
    int wrong = 0;
    for (int j = 0; j < total; ++j) {
      double position = j * step;
      // The ramp itself where the cubic's four samples lie inside the sound, silence after the end; the
      // first frame and the last two take silence for the samples beyond the sound.
      bool ownRate = c.rate == static_cast<uint32_t>(kOutputRate);
      if (!ownRate && (position < 1 || (position >= kRampFrames - 2 && position < kRampFrames))) continue;
      double want = position < kRampFrames ? 256 * position : 0;
      int16_t left = out[2 * j], right = out[2 * j + 1];
      bool ok = std::fabs(left - want) <= 1.5 && std::fabs(right - (c.channels == 1 ? want : -want)) <= 1.5;
      if (!ok && wrong++ < 3) ADD_FAILURE() << "frame " << j << ": " << left << ", " << right << " for " << want;
    }
    EXPECT_EQ(wrong, 0);
    engine->Release();
    g_Host = nullptr;
  }
}

}  // namespace
