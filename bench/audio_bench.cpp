// Mixing: the 18 sounds of a stage all playing at once, for one second of output.
#include <benchmark/benchmark.h>

#include <vector>

#include "platform/audio.h"
#include "platform/headless.h"
#include "platform/sdl/host_sdl.h"
#include "sound/sound.h"

namespace {

// The rate the game mixes at, that of its sounds; the device's own rate is SDL's conversion away.
constexpr int kOutputRate = SdlHost::kMixRate;
static_assert(HeadlessHost::kAudioRate == kOutputRate);
constexpr int kStageSounds[18] = {135, 136, 137, 138, 139, 140, 141, 142, 143,
                                  144, 145, 146, 147, 148, 149, 150, 151, 173};

// Every voice loops, so that all 18 sound through the whole second.
void BM_Mix18Voices(benchmark::State& state) {
  HeadlessHost host;
  g_Host = &host;
  host.SetQuiet(true);
  AudioEngine* engine = AudioEngine::Create();
  engine->CreateOutput();
  std::vector<AudioBuffer> buffers;
  for (int id : kStageSounds) {
    if (LoadWaveResource(id) != 1) {
      state.SkipWithError("a sound did not load");
      return;
    }
    AudioVoice* voice = engine->CreateVoice(g_SoundData->format);
    AudioBuffer buffer;
    buffer.flags = kAudioEndOfStream;
    buffer.audioBytes = g_SoundData->byteCount;
    buffer.audioData = g_SoundData->samples;
    buffer.loopCount = kAudioLoopInfinite;
    voice->SubmitBuffer(buffer);
    voice->Start();
  }
  // The device asks for its buffer in pieces of this many frames.
  const int piece = SdlHost::kAudioBufferFrames;
  std::vector<int16_t> out(2 * static_cast<size_t>(piece));
  int frames = 0;
  for (auto _ : state) {
    for (frames = 0; frames < kOutputRate; frames += piece) engine->Mix(out.data(), piece);
    benchmark::DoNotOptimize(out.data());
  }
  state.counters["output_s"] = static_cast<double>(frames) / kOutputRate;
  state.counters["buffer_frames"] = piece;
  state.counters["mix_rate"] = kOutputRate;
  engine->Release();
  FreeSoundData();
  g_Host = nullptr;
}
BENCHMARK(BM_Mix18Voices)->Unit(benchmark::kMillisecond);

}  // namespace
