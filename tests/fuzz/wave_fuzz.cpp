// libFuzzer target: the WAVE reader on arbitrary bytes, as if they were a built-in sound.
#include <cstddef>
#include <cstdint>

#include "platform/framework.h"
#include "platform/headless.h"
#include "platform/resources.h"
#include "sound/sound.h"

namespace {
constexpr int kFuzzedId = 999;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static HeadlessHost host;
  g_Host = &host;
  host.SetQuiet(true);
  OverrideResource("WAVE", kFuzzedId, {data, size});
  if (LoadWaveResource(kFuzzedId) == 1 && g_SoundData != nullptr) {
    // Touch every byte the reader claims to have copied, so a short copy shows up under the sanitizers.
    volatile uint8_t sum = 0;
    for (uint32_t i = 0; i < g_SoundData->byteCount; ++i) sum = sum + g_SoundData->samples[i];
  }
  FreeSoundData();
  host.ClearMessages();
  return 0;
}
