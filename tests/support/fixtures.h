// Small byte fixtures for tests: PNG pictures made on the spot and WAVE files laid out chunk by chunk.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// PNG bytes of width × height ARGB pixels (row after row), with or without the alpha channel.
std::vector<uint8_t> PngOf(int width, int height, const std::vector<uint32_t>& pixels, bool keepAlpha);
// PNG bytes of a single pixel.
std::vector<uint8_t> OnePixelPng(uint32_t argb);

// The layout of a WAVE file, field by field, so that a test can spoil exactly one thing.
struct WaveRecipe {
  std::string riff = "RIFF";
  uint32_t riffSize = 0;           // 0: the true size
  std::string wave = "WAVE";
  std::string fmt = "fmt ";
  uint32_t fmtSize = 16;           // 18 adds a cbSize field
  uint16_t formatTag = 1;
  uint16_t channels = 1;
  uint32_t samplesPerSec = 11025;
  uint32_t avgBytesPerSec = 11025;
  uint16_t blockAlign = 1;
  uint16_t bitsPerSample = 8;
  uint16_t cbSize = 0;             // written only with an 18-byte fmt chunk
  bool fact = false;               // a 12-byte "fact" chunk before the data chunk
  std::string afterFact = "data";  // the id written where the data chunk's id goes after a fact chunk
  std::string data = "data";       // the id of the chunk right after fmt (when there is no fact)
  int64_t dataSize = -1;           // -1: the true number of samples
  std::vector<uint8_t> samples;
  std::vector<uint8_t> trailing;   // bytes after the data chunk
};

std::vector<uint8_t> WaveBytes(const WaveRecipe& recipe);
// Where the samples start in the bytes WaveBytes makes of recipe.
size_t WaveSampleOffset(const WaveRecipe& recipe);
// n 8-bit samples above the silent 128 (so every sounding output frame is positive), the first 63 distinct.
std::vector<uint8_t> SoundingSamples(size_t n);
