// Tests of the sound file writer and of the level checks made on its samples.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "report.h"
#include "wave_file.h"

namespace soundgen {
namespace {

std::uint32_t Le32(const Bytes& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}
std::uint32_t Le16(const Bytes& b, std::size_t at) { return b[at] | b[at + 1] << 8; }
bool TagAt(const Bytes& b, std::size_t at, const char* tag) { return std::memcmp(b.data() + at, tag, 4) == 0; }

TEST(WaveFile, LaysOutHeaderDataPadAndTrailer) {
    for (std::size_t count : {1u, 2u, 1252u, 11059u}) {
        const Bytes samples(count, 77);
        const Bytes file = WaveFileBytes(samples);
        const std::size_t pad = count % 2;
        ASSERT_EQ(file.size(), 44 + count + pad + 12) << count;
        EXPECT_TRUE(TagAt(file, 0, "RIFF") && TagAt(file, 8, "WAVE") && TagAt(file, 12, "fmt ")) << count;
        EXPECT_EQ(Le32(file, 4), file.size() - 8) << count;
        const std::uint32_t fmt[] = {Le32(file, 16), Le16(file, 20), Le16(file, 22), Le32(file, 24),
                                     Le32(file, 28), Le16(file, 32), Le16(file, 34)};
        const std::uint32_t wanted[] = {16, 1, 1, 11025, 11025, 1, 8};
        for (std::size_t i = 0; i < 7; ++i) EXPECT_EQ(fmt[i], wanted[i]) << count << " field " << i;
        EXPECT_TRUE(TagAt(file, 36, "data")) << count;
        EXPECT_EQ(Le32(file, 40), count);
        EXPECT_EQ(file[44], 77);
        EXPECT_EQ(file[44 + count - 1], 77);
        if (pad) {
            EXPECT_EQ(file[44 + count], 0) << count;
        }
        const std::size_t list = 44 + count + pad;
        EXPECT_TRUE(TagAt(file, list, "LIST") && TagAt(file, list + 8, "INFO")) << count;
        EXPECT_EQ(Le32(file, list + 4), 4u) << count;
    }
}

TEST(WaveFile, MapsFullScaleAroundTheSilentByte) {
    const Bytes bytes = ToUnsigned8({0.0f, 1.0f, -1.0f, 0.5f, 1.7f, -1.7f});
    EXPECT_EQ(bytes, (Bytes{128, 255, 1, 192, 255, 0}));
}

TEST(LevelReport, MeasuresPeakClippingAndTheLoopSeam) {
    const LevelReport r = MeasureLevels({128, 160, 255, 140, 120, 0, 100});
    EXPECT_DOUBLE_EQ(r.peak, 1.0);
    EXPECT_EQ(r.clipped, 2);
    EXPECT_EQ(r.largestStep, 120);  // 120 down to 0
    EXPECT_EQ(r.loopJump, 28);      // 100 back to 128

    const LevelReport quiet = MeasureLevels({128, 192, 128, 64});
    EXPECT_DOUBLE_EQ(quiet.peak, 0.5);
    EXPECT_NEAR(quiet.rmsDb, 20.0 * std::log10(std::sqrt(0.5) * 0.5), 1e-9);
}

TEST(LevelReport, WorstMixFindsTheLoudestAlignmentAcrossTheLoopPoint) {
    // The music's loudest sample is its first, and the effect peaks late: they only meet across the wrap.
    const Bytes music = {190, 128, 128, 128, 128};
    const Bytes bed = {130, 126};
    const Bytes effect = {128, 128, 160};
    const Bytes other = {118};
    EXPECT_DOUBLE_EQ(WorstCaseMixPeak(music, bed, {&effect, &other}), (62 + 32 + 2) / 128.0);

    // Downward the worst is the other effect's dip on the bed's lowest sample.
    const Bytes deep = {60};
    EXPECT_DOUBLE_EQ(WorstCaseMixPeak({128, 130}, bed, {&deep}), (68 + 2) / 128.0);
}

}  // namespace
}  // namespace soundgen
