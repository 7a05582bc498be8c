// Screenshots: ARGB pixels written as PNG come back from the decoder unchanged.
#include <gtest/gtest.h>

#include "platform/picture.h"

namespace {

// A 5 × 3 picture stored in rows of 7 words, the last two of each row not part of it.
constexpr int kWidth = 5, kHeight = 3, kStride = 7;

std::vector<uint32_t> StridedPixels() {
  std::vector<uint32_t> pixels(kStride * kHeight, 0xDEADBEEFu);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) pixels[y * kStride + x] = 0x80000000u | (x * 40) << 16 | (y * 90) << 8 | 7;
  }
  return pixels;
}

TEST(PngEncode, RoundTripsWithAndWithoutAlpha) {
  std::vector<uint32_t> pixels = StridedPixels();
  for (bool keepAlpha : {false, true}) {
    SCOPED_TRACE(keepAlpha ? "with alpha" : "without alpha");
    std::vector<uint8_t> png;
    ASSERT_TRUE(EncodePng(&png, pixels.data(), kWidth, kHeight, kStride, keepAlpha));
    Picture picture;
    std::string error;
    ASSERT_TRUE(DecodePicture(png, &picture, &error)) << error;
    ASSERT_EQ(picture.width, kWidth);
    ASSERT_EQ(picture.height, kHeight);
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) {
        uint32_t want = pixels[y * kStride + x];
        if (!keepAlpha) want |= 0xFF000000u;  // without alpha every pixel is opaque
        EXPECT_EQ(picture.pixels[y * kWidth + x], want) << "at " << x << ", " << y;
      }
    }
  }
}

}  // namespace
