// Turns a rendered signal into the game's sound file: 8-bit unsigned mono PCM at 11025 Hz in a RIFF WAVE.
#include "wave_file.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <stdexcept>

namespace soundgen {

namespace {

void PutTag(Bytes& out, const char* tag) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(tag[i]));
}

void PutLe(Bytes& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

}  // namespace

Bytes ToUnsigned8(const Signal& signal) {
    Bytes out;
    out.reserve(signal.size());
    for (float x : signal) {
        const long value = std::lround(128.0 + 127.0 * x);
        out.push_back(static_cast<std::uint8_t>(std::clamp(value, 0L, 255L)));
    }
    return out;
}

Bytes WaveFileBytes(const Bytes& samples) {
    const auto dataSize = static_cast<std::uint32_t>(samples.size());
    const std::uint32_t pad = dataSize % 2;
    const std::uint32_t listSize = 12;
    Bytes out;
    PutTag(out, "RIFF");
    PutLe(out, 4 + (8 + 16) + (8 + dataSize + pad) + listSize, 4);
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    PutLe(out, 16, 4);
    PutLe(out, 1, 2);           // PCM
    PutLe(out, 1, 2);           // mono
    PutLe(out, kSampleRate, 4); // samples per second
    PutLe(out, kSampleRate, 4); // bytes per second: one byte a sample
    PutLe(out, 1, 2);           // block align
    PutLe(out, 8, 2);           // bits per sample
    PutTag(out, "data");
    PutLe(out, dataSize, 4);
    out.insert(out.end(), samples.begin(), samples.end());
    if (pad) out.push_back(0);
    PutTag(out, "LIST");
    PutLe(out, 4, 4);
    PutTag(out, "INFO");
    return out;
}

void WriteFile(const std::string& path, const Bytes& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!file) throw std::runtime_error("cannot write " + path);
}

}  // namespace soundgen
