// Builders of the PNG and WAVE byte fixtures that tests feed to the decoders and the resource lookup.
#include "tests/support/fixtures.h"

#include "platform/picture.h"

namespace {

void Put16(std::vector<uint8_t>& b, uint16_t v) {
  b.push_back(v & 0xFF);
  b.push_back(v >> 8);
}

void Put32(std::vector<uint8_t>& b, uint32_t v) {
  for (int i = 0; i < 4; ++i) b.push_back((v >> (8 * i)) & 0xFF);
}

void PutId(std::vector<uint8_t>& b, const std::string& id) {
  for (size_t i = 0; i < 4; ++i) b.push_back(i < id.size() ? static_cast<uint8_t>(id[i]) : 0);
}

}  // namespace

std::vector<uint8_t> PngOf(int width, int height, const std::vector<uint32_t>& pixels, bool keepAlpha) {
  std::vector<uint8_t> bytes;
  EncodePng(&bytes, pixels.data(), width, height, width, keepAlpha);
  return bytes;
}

std::vector<uint8_t> OnePixelPng(uint32_t argb) { return PngOf(1, 1, {argb}, true); }

std::vector<uint8_t> WaveBytes(const WaveRecipe& s) {
  std::vector<uint8_t> b;
  PutId(b, s.riff);
  Put32(b, 0);  // patched below
  PutId(b, s.wave);
  PutId(b, s.fmt);
  Put32(b, s.fmtSize);
  Put16(b, s.formatTag);
  Put16(b, s.channels);
  Put32(b, s.samplesPerSec);
  Put32(b, s.avgBytesPerSec);
  Put16(b, s.blockAlign);
  Put16(b, s.bitsPerSample);
  if (s.fmtSize == 18) Put16(b, s.cbSize);
  uint32_t dataSize = s.dataSize < 0 ? static_cast<uint32_t>(s.samples.size()) : static_cast<uint32_t>(s.dataSize);
  if (s.fact) {
    PutId(b, "fact");
    Put32(b, 4);
    Put32(b, static_cast<uint32_t>(s.samples.size()));
    PutId(b, s.afterFact);
  } else {
    PutId(b, s.data);
  }
  Put32(b, dataSize);
  b.insert(b.end(), s.samples.begin(), s.samples.end());
  b.insert(b.end(), s.trailing.begin(), s.trailing.end());
  uint32_t riffSize = s.riffSize != 0 ? s.riffSize : static_cast<uint32_t>(b.size() - 8);
  for (int i = 0; i < 4; ++i) b[4 + i] = (riffSize >> (8 * i)) & 0xFF;
  return b;
}

size_t WaveSampleOffset(const WaveRecipe& s) { return 20 + (s.fmtSize == 18 ? 18 : 16) + (s.fact ? 20 : 8); }

std::vector<uint8_t> SoundingSamples(size_t n) {
  std::vector<uint8_t> samples(n);
  // A triangle wave well above silence: even where a loop jumps from its end back to its start, the
  // mixer's cubic interpolation cannot swing below silence.
  for (size_t i = 0; i < n; ++i) {
    size_t phase = i % 126;
    samples[i] = static_cast<uint8_t>(160 + (phase < 63 ? phase : 126 - phase));
  }
  return samples;
}
