// Writing the runner's captured sound mix as a WAV file.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

// A PCM WAVE file of 16-bit samples, channels interleaved.
std::vector<uint8_t> EncodeWav(std::span<const int16_t> samples, int channels, int rate);
bool WriteWavFile(const std::string& path, std::span<const int16_t> samples, int channels, int rate);
