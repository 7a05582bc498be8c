// libFuzzer target: the WAVE reader on arbitrary bytes, as if they were a built-in sound, then the sound
// played through a looping and a one-shot slot of the mixer.
#include <cstddef>
#include <cstdint>

#include "platform/framework.h"
#include "platform/headless.h"
#include "platform/resources.h"
#include "sound/sound.h"

namespace {

constexpr int kFuzzedId = 999;
constexpr int kLoopSlot = 0, kOneShotSlot = 2;
constexpr int kMixFrames = 4096;

// Mixing is where the format's fields (channels, block size, bits, rate) decide what is read.
void PlayThroughSlots() {
  ResetSoundSlot(kLoopSlot);
  ResetSoundSlot(kOneShotSlot);
  g_SoundSlotCount = kOneShotSlot + 1;
  PlaySoundSlot(kLoopSlot);
  PlaySoundSlot(kOneShotSlot);
  static int16_t mix[2 * kMixFrames];
  for (int pass = 0; pass < 3; ++pass) g_XAudio2->Mix(mix, kMixFrames);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static HeadlessHost host;
  g_Host = &host;
  host.SetQuiet(true);
  OverrideResource("WAVE", kFuzzedId, {data, size});
  if (StartSoundEngine() != 0) __builtin_trap();
  if (LoadWaveResource(kFuzzedId) == 1 && g_SoundData != nullptr) {
    // Touch every byte the reader claims to have copied, so a short copy shows up under the sanitizers.
    volatile uint8_t sum = 0;
    for (uint32_t i = 0; i < g_SoundData->byteCount; ++i) sum = sum + g_SoundData->samples[i];
    PlayThroughSlots();
  }
  StopSoundEngine();
  host.ClearMessages();
  return 0;
}
