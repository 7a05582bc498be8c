// Turns a rendered signal into the game's sound file: 8-bit unsigned mono PCM at 11025 Hz in a RIFF WAVE.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "dsp.h"

namespace soundgen {

using Bytes = std::vector<std::uint8_t>;

// Full scale is -1 to +1; silence is the byte 128. Values beyond full scale are held at 0 or 255.
Bytes ToUnsigned8(const Signal& signal);

// "RIFF"/"WAVE", a 16-byte "fmt " chunk, the "data" chunk (with its pad byte when odd), then an
// empty "LIST"/"INFO" chunk, the trailer the game's sound files have always carried.
Bytes WaveFileBytes(const Bytes& samples);

void WriteFile(const std::string& path, const Bytes& bytes);

}  // namespace soundgen
