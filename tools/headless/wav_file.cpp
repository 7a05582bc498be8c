// The WAVE container around the mix: a RIFF header, a "fmt " chunk and the samples, little-endian.
#include "tools/headless/wav_file.h"

#include <cstdio>

namespace {

constexpr uint32_t kHeaderBytes = 44;
constexpr uint16_t kPcm = 1;
constexpr uint16_t kBitsPerSample = 16;

void Put(std::vector<uint8_t>& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

void PutTag(std::vector<uint8_t>& out, const char (&tag)[5]) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(tag[i]));
}

}  // namespace

std::vector<uint8_t> EncodeWav(std::span<const int16_t> samples, int channels, int rate) {
  uint32_t dataBytes = static_cast<uint32_t>(samples.size() * sizeof(int16_t));
  uint16_t blockAlign = static_cast<uint16_t>(channels * kBitsPerSample / 8);
  std::vector<uint8_t> out;
  out.reserve(kHeaderBytes + dataBytes);
  PutTag(out, "RIFF");
  Put(out, kHeaderBytes - 8 + dataBytes, 4);
  PutTag(out, "WAVE");
  PutTag(out, "fmt ");
  Put(out, 16, 4);
  Put(out, kPcm, 2);
  Put(out, static_cast<uint32_t>(channels), 2);
  Put(out, static_cast<uint32_t>(rate), 4);
  Put(out, static_cast<uint32_t>(rate) * blockAlign, 4);
  Put(out, blockAlign, 2);
  Put(out, kBitsPerSample, 2);
  PutTag(out, "data");
  Put(out, dataBytes, 4);
  for (int16_t s : samples) Put(out, static_cast<uint16_t>(s), 2);
  return out;
}

bool WriteWavFile(const std::string& path, std::span<const int16_t> samples, int channels, int rate) {
  // The RIFF sizes are 32-bit: a mix longer than about six hours does not fit.
  if (samples.size() * sizeof(int16_t) > UINT32_MAX - kHeaderBytes) return false;
  std::vector<uint8_t> bytes = EncodeWav(samples, channels, rate);
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}
