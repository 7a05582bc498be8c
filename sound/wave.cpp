// The WAVE reader: checks a built-in sound's simple RIFF layout and copies its format and samples.
#include <cstring>
#include <new>
#include <span>
#include <vector>

#include "app/app.h"
#include "platform/resources.h"
#include "sound/sound.h"

SoundData* g_SoundData = nullptr;

namespace {

// Every sample block handed out; a slot's voice plays its block in place, so blocks live until the
// engine shuts down, however many sounds were read after them.
std::vector<uint8_t*> g_SampleBlocks;
size_t g_SampleBytes = 0;

constexpr const char* kNotWave1 = "有効なWAVファイルではありません1";
constexpr const char* kNotWave2 = "有効なWAVファイルではありません2";
constexpr const char* kNotWave3 = "有効なWAVファイルではありません3";

uint32_t Le32(std::span<const uint8_t> b, size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

uint16_t Le16(std::span<const uint8_t> b, size_t at) { return static_cast<uint16_t>(b[at] | b[at + 1] << 8); }

bool IdAt(std::span<const uint8_t> b, size_t at, const char* id) {
  return b.size() >= at + 4 && std::memcmp(b.data() + at, id, 4) == 0;
}

int Reject(const char* text) {
  ShowError(text);
  return 0;
}

WaveFormat ReadFormat(std::span<const uint8_t> b) {
  WaveFormat f;
  f.formatTag = Le16(b, 20);
  f.channels = Le16(b, 22);
  f.samplesPerSec = Le32(b, 24);
  f.avgBytesPerSec = Le32(b, 28);
  f.blockAlign = Le16(b, 32);
  f.bitsPerSample = Le16(b, 34);
  f.cbSize = 0;
  return f;
}

// Where the samples start, from the chunk right after "fmt "; 0 when it is neither "fact" nor "data".
size_t SampleStart(std::span<const uint8_t> b, uint32_t fmtSize) {
  size_t next = 20 + fmtSize;
  if (IdAt(b, next, "fact")) return next + 20;  // a 12-byte fact chunk, then the data chunk's header
  if (IdAt(b, next, "data")) return next + 8;
  return 0;
}

int Install(const WaveFormat& format, std::span<const uint8_t> samples) {
  delete g_SoundData;  // the record only; its sample block may still be playing in a slot
  g_SoundData = new (std::nothrow) SoundData;
  uint8_t* block = g_SoundData != nullptr ? new (std::nothrow) uint8_t[samples.empty() ? 1 : samples.size()]
                                          : nullptr;
  if (block == nullptr) {
    delete g_SoundData;
    g_SoundData = nullptr;
    return Reject("メモリが足りません");
  }
  block[0] = 0;
  if (!samples.empty()) std::memcpy(block, samples.data(), samples.size());
  g_SampleBlocks.push_back(block);
  g_SampleBytes += samples.empty() ? 1 : samples.size();
  *g_SoundData = SoundData{format, static_cast<uint32_t>(samples.size()), block};
  return 1;
}

}  // namespace

size_t SoundSampleBytes() { return g_SampleBytes; }

int LoadWaveResource(int id) {
  std::span<const uint8_t> b = FindResource("WAVE", id);
  if (b.size() < 16 || !IdAt(b, 0, "RIFF") || !IdAt(b, 8, "WAVE") || !IdAt(b, 12, "fmt ")) {
    return Reject(kNotWave1);
  }
  uint32_t fmtSize = b.size() >= 20 ? Le32(b, 16) : 0;
  if ((fmtSize != 16 && fmtSize != 18) || b.size() < 20 + fmtSize) return Reject(kNotWave2);
  WaveFormat format = ReadFormat(b);
  if (format.formatTag != 1) return Reject("PCM形式ではありません");
  size_t start = SampleStart(b, fmtSize);
  if (start == 0 || start > b.size()) return Reject(kNotWave3);
  uint32_t count = Le32(b, start - 4);
  // A data chunk that claims more bytes than the resource holds is not read past its end.
  if (count > b.size() - start) return Reject(kNotWave3);
  if (count == 0) ShowMessageBox("WAV波形データがありません", "警告");
  return Install(format, b.subspan(start, count));
}

void FreeSoundData() {
  for (uint8_t* block : g_SampleBlocks) delete[] block;
  g_SampleBlocks.clear();
  g_SampleBytes = 0;
  delete g_SoundData;
  g_SoundData = nullptr;
}
