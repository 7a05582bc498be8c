// PNG screenshots: what EncodePng writes decodes back to the same pixels, with or without alpha.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/picture.h"

namespace {

// A small picture inside a wider buffer, so that a stride mistaken for the width shows.
constexpr int kWidth = 5, kHeight = 3, kStride = 7;

std::vector<uint32_t> Pixels() {
  std::vector<uint32_t> pixels(kStride * kHeight, 0xDEADBEEFu);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      uint32_t alpha = static_cast<uint32_t>(255 - 40 * x) << 24;
      pixels[y * kStride + x] = alpha | static_cast<uint32_t>(x * 50) << 16 | static_cast<uint32_t>(y * 90) << 8 | 0x21u;
    }
  }
  return pixels;
}

void ExpectRoundTrip(bool keepAlpha) {
  const std::vector<uint32_t> pixels = Pixels();
  std::vector<uint8_t> png;
  ASSERT_TRUE(EncodePng(&png, pixels.data(), kWidth, kHeight, kStride, keepAlpha));
  Picture decoded;
  ASSERT_TRUE(DecodePicture(png, &decoded, nullptr));
  ASSERT_EQ(decoded.width, kWidth);
  ASSERT_EQ(decoded.height, kHeight);
  EXPECT_EQ(decoded.hasAlpha, keepAlpha);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      uint32_t expected = pixels[y * kStride + x];
      if (!keepAlpha) expected |= 0xFF000000u;
      EXPECT_EQ(decoded.pixels[y * kWidth + x], expected) << "pixel (" << x << ", " << y << ")";
    }
  }
}

TEST(Png, OpaqueScreenshotDecodesToTheSamePixels) { ExpectRoundTrip(false); }

TEST(Png, PictureWithAlphaDecodesToTheSamePixels) { ExpectRoundTrip(true); }

}  // namespace
