// The slot log: hooks the game's slot observer and names the sound data a slot is set up from.
#include "tests/support/slot_log.h"

#include <cstring>
#include <span>

#include "platform/resources.h"
#include "sound/sound.h"

namespace {

SlotLog* g_ActiveLog = nullptr;

uint32_t Le32(std::span<const uint8_t> b, size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

// The samples of a WAVE resource: the body of its "data" chunk, found by walking the RIFF chunks.
std::span<const uint8_t> DataChunk(std::span<const uint8_t> b) {
  size_t at = 12;
  while (at + 8 <= b.size()) {
    uint32_t size = Le32(b, at + 4);
    if (std::memcmp(b.data() + at, "data", 4) == 0) return b.subspan(at + 8, std::min<size_t>(size, b.size() - at - 8));
    at += 8 + size + (size & 1);
  }
  return {};
}

void Observe(const char* operation, int slot) {
  if (g_ActiveLog == nullptr) return;
  std::string entry = std::string(operation) + " " + std::to_string(slot);
  if (std::strcmp(operation, "reset") == 0) entry += " <- " + std::to_string(CurrentWaveId());
  g_ActiveLog->entries.push_back(entry);
}

}  // namespace

SlotLog::SlotLog() {
  g_ActiveLog = this;
  g_SoundSlotObserver = Observe;
}

SlotLog::~SlotLog() {
  g_ActiveLog = nullptr;
  g_SoundSlotObserver = nullptr;
}

int CurrentWaveId() {
  if (g_SoundData == nullptr) return -1;
  for (int i = 0; i < kEmbeddedResourceCount; ++i) {
    const EmbeddedResource& r = kEmbeddedResources[i];
    if (std::strcmp(r.type, "WAVE") != 0) continue;
    std::span<const uint8_t> samples = DataChunk(FindResource("WAVE", r.id));
    if (samples.size() == g_SoundData->byteCount &&
        std::memcmp(samples.data(), g_SoundData->samples, samples.size()) == 0) {
      return r.id;
    }
  }
  return -1;
}
