// Picture decoding (PNG, JPEG, the icon) and the conversion of decoded pixels into texture texels.
#include <gtest/gtest.h>
#include <turbojpeg.h>

#include <random>
#include <string>
#include <vector>

#include "platform/gfx.h"
#include "platform/picture.h"
#include "platform/resources.h"
#include "tests/support/fixtures.h"

namespace {

uint32_t Channel(uint32_t c, int shift) { return (c >> shift) & 0xFF; }

// JPEG bytes of a picture in four flat quadrants, at full quality and without colour subsampling, so that
// the decoded colours stay within a few steps of the originals.
std::vector<uint8_t> QuadrantJpeg(int width, int height, const uint32_t colors[4]) {
  std::vector<uint8_t> rgb(static_cast<size_t>(width) * height * 3);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      uint32_t c = colors[(y >= height / 2) * 2 + (x >= width / 2)];
      uint8_t* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
      p[0] = Channel(c, 16), p[1] = Channel(c, 8), p[2] = Channel(c, 0);
    }
  }
  tjhandle tj = tjInitCompress();
  unsigned char* out = nullptr;
  unsigned long size = 0;
  int rc = tjCompress2(tj, rgb.data(), width, 0, height, TJPF_RGB, &out, &size, TJSAMP_444, 100, 0);
  std::vector<uint8_t> bytes;
  if (rc == 0) bytes.assign(out, out + size);
  tjFree(out);
  tjDestroy(tj);
  return bytes;
}

std::vector<uint32_t> NoisePixels(int n, uint32_t seed, bool withAlpha) {
  std::mt19937 rng(seed);
  std::vector<uint32_t> pixels(n);
  for (uint32_t& p : pixels) p = withAlpha ? static_cast<uint32_t>(rng()) : 0xFF000000u | rng();
  return pixels;
}

TEST(Picture, PngDecodesToTheSameArgbPixelsWithOrWithoutAlpha) {
  for (bool keepAlpha : {false, true}) {
    SCOPED_TRACE(keepAlpha ? "RGBA" : "RGB");
    std::vector<uint32_t> pixels = NoisePixels(13 * 7, 3, keepAlpha);
    Picture picture;
    std::string error;
    ASSERT_TRUE(DecodePicture(PngOf(13, 7, pixels, keepAlpha), &picture, &error)) << error;
    EXPECT_EQ(picture.width, 13);
    EXPECT_EQ(picture.height, 7);
    EXPECT_EQ(picture.hasAlpha, keepAlpha);
    EXPECT_EQ(picture.pixels, PixelVector(pixels.begin(), pixels.end()));
  }
}

TEST(Picture, JpegDecodesOpaqueAtItsSizeWithColoursKept) {
  const uint32_t colors[4] = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFFC08040u};
  std::vector<uint8_t> jpeg = QuadrantJpeg(32, 16, colors);
  ASSERT_FALSE(jpeg.empty());
  Picture picture;
  std::string error;
  ASSERT_TRUE(DecodePicture(jpeg, &picture, &error)) << error;
  EXPECT_EQ(picture.width, 32);
  EXPECT_EQ(picture.height, 16);
  EXPECT_FALSE(picture.hasAlpha);
  ASSERT_EQ(picture.pixels.size(), 32u * 16u);
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 32; ++x) {
      uint32_t got = picture.pixels[y * 32 + x], want = colors[(y >= 8) * 2 + (x >= 16)];
      ASSERT_EQ(got >> 24, 0xFFu) << x << ", " << y;
      for (int shift = 0; shift < 24; shift += 8) {
        ASSERT_NEAR(int(Channel(got, shift)), int(Channel(want, shift)), 4) << x << ", " << y << " shift " << shift;
      }
    }
  }
}

TEST(Picture, GarbageIsRejectedWithAReason) {
  std::mt19937 rng(11);
  std::vector<uint8_t> noise(1000);
  for (uint8_t& b : noise) b = static_cast<uint8_t>(rng());
  std::vector<uint8_t> pngSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<uint8_t> pngThenNoise = pngSignature;
  pngThenNoise.insert(pngThenNoise.end(), noise.begin(), noise.end());
  std::vector<uint8_t> jpegThenNoise = {0xFF, 0xD8, 0xFF};
  jpegThenNoise.insert(jpegThenNoise.end(), noise.begin(), noise.end());
  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
  };
  const Case cases[] = {
      {"nothing", {}},
      {"three bytes", {1, 2, 3}},
      {"text", {'h', 'e', 'l', 'l', 'o', ' ', 'p', 'i', 'c', 't', 'u', 'r', 'e'}},
      {"noise", noise},
      {"PNG signature alone", pngSignature},
      {"PNG signature, then noise", pngThenNoise},
      {"JPEG start alone", {0xFF, 0xD8, 0xFF}},
      {"JPEG start, then noise", jpegThenNoise},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Picture picture;
    std::string error;
    EXPECT_FALSE(DecodePicture(c.bytes, &picture, &error));
    EXPECT_FALSE(error.empty());
  }
}

// A chunk that claims more bytes than are left is refused before any is read: the fuzzer's PNG of 208
// bytes whose cut text chunk claimed 640 MB took libpng seconds to give up on.
TEST(Picture, PngChunkLongerThanTheDataIsRefusedAtOnce) {
  std::vector<uint8_t> png = OnePixelPng(0xFF123456u);
  const size_t afterHeader = 8 + 8 + 13 + 4;  // signature, then IHDR's length, type, data and CRC
  for (uint32_t claimed : {0x26000000u, 0x7FFFFFFFu, 20u}) {
    SCOPED_TRACE(claimed);
    std::vector<uint8_t> bytes(png.begin(), png.begin() + afterHeader);
    for (int shift = 24; shift >= 0; shift -= 8) bytes.push_back(static_cast<uint8_t>(claimed >> shift));
    for (char c : std::string("tEXtdate:modify")) bytes.push_back(static_cast<uint8_t>(c));
    Picture picture;
    std::string error;
    EXPECT_FALSE(DecodePicture(bytes, &picture, &error));
    EXPECT_EQ(error, "PNG: a chunk runs past the end of the data");
  }
}

// A picture cut short is refused, never shown half decoded or read past its end: a cut either gives an
// error or, when only the closing marker is lost, exactly the whole picture.
TEST(Picture, TruncatedPngOrJpegIsRejectedUnlessNothingButItsEndMarkerIsMissing) {
  const uint32_t colors[4] = {0xFF102030u, 0xFFF0E0D0u, 0xFF808080u, 0xFF00FF00u};
  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
    size_t endMarker;  // bytes of the closing marker (PNG's IEND chunk, JPEG's EOI)
  };
  const Case cases[] = {
      {"PNG", PngOf(16, 16, NoisePixels(256, 5, true), true), 12},
      {"JPEG", QuadrantJpeg(24, 24, colors), 2},
  };
  for (const Case& c : cases) {
    ASSERT_GT(c.bytes.size(), 100u) << c.what;
    Picture whole;
    ASSERT_TRUE(DecodePicture(c.bytes, &whole, nullptr)) << c.what;
    for (size_t n = 0; n < c.bytes.size(); ++n) {
      SCOPED_TRACE(testing::Message() << c.what << " cut to " << n << " of " << c.bytes.size() << " bytes");
      // A copy of exactly n bytes, so that reading past them is an overflow the sanitizers see.
      std::vector<uint8_t> prefix(c.bytes.begin(), c.bytes.begin() + n);
      Picture picture;
      std::string error;
      if (!DecodePicture(prefix, &picture, &error)) {
        EXPECT_FALSE(error.empty());
        continue;
      }
      ASSERT_GE(n, c.bytes.size() - c.endMarker) << "picture data is missing, yet it decoded";
      ASSERT_EQ(picture.width, whole.width);
      ASSERT_EQ(picture.height, whole.height);
      ASSERT_EQ(picture.pixels, whole.pixels);
    }
  }
}

TEST(Picture, IconGivesTheEntryNearestTheWantedSize) {
  struct Case {
    int wanted, side;
  };
  const Case cases[] = {{16, 16}, {32, 32}, {24, 16}, {64, 32}, {8, 16}};
  std::span<const uint8_t> icon = FindResource("ICON", 154);
  ASSERT_FALSE(icon.empty());
  for (const Case& c : cases) {
    Picture picture;
    std::string error;
    ASSERT_TRUE(DecodeIcon(icon, c.wanted, &picture, &error)) << error;
    EXPECT_EQ(picture.width, c.side) << "wanted " << c.wanted;
    EXPECT_EQ(picture.height, c.side) << "wanted " << c.wanted;
  }
  // Cut short anywhere, the icon gives no picture or one of its whole entries, never one read past the end.
  Picture whole16, whole32;
  ASSERT_TRUE(DecodeIcon(icon, 16, &whole16, nullptr));
  ASSERT_TRUE(DecodeIcon(icon, 32, &whole32, nullptr));
  for (size_t n = 0; n < icon.size(); ++n) {
    std::vector<uint8_t> prefix(icon.begin(), icon.begin() + n);
    Picture picture;
    if (!DecodeIcon(prefix, 32, &picture, nullptr)) continue;
    const Picture& entry = picture.width == 32 ? whole32 : whole16;
    ASSERT_EQ(picture.width, entry.width) << "cut to " << n;
    ASSERT_EQ(picture.pixels, entry.pixels) << "cut to " << n;
  }
  for (size_t n : {size_t(0), size_t(5), size_t(6 + 16)}) {
    std::vector<uint8_t> prefix(icon.begin(), icon.begin() + n);
    Picture picture;
    EXPECT_FALSE(DecodeIcon(prefix, 32, &picture, nullptr)) << "directory cut to " << n;
  }
}

// The colour key acts on the picture's own pixels: only exactly opaque black becomes transparent.
TEST(TextureConversion, ColourKeyMakesOnlyOpaqueBlackTransparent) {
  struct Case {
    uint32_t in, keyed, unkeyed;
  };
  const Case cases[] = {
      {0xFF000000u, 0x00000000u, 0xFF000000u},  // opaque black: the key
      {0xFE000000u, 0xFE000000u, 0xFE000000u},  // nearly opaque black
      {0x00000000u, 0x00000000u, 0x00000000u},  // transparent already
      {0xFF010000u, 0xFF010000u, 0xFF010000u},  // not quite black
      {0xFF000001u, 0xFF000001u, 0xFF000001u},
      {0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu},
      {0x80123456u, 0x80123456u, 0x80123456u},  // the full format keeps alpha as it is
  };
  for (const Case& c : cases) {
    PixelVector keyed = {c.in}, unkeyed = {c.in};
    ConvertTexels(keyed, TextureFormat::A8R8G8B8, kBlackColorKey);
    ConvertTexels(unkeyed, TextureFormat::A8R8G8B8, kNoColorKey);
    EXPECT_EQ(keyed[0], c.keyed) << std::hex << c.in;
    EXPECT_EQ(unkeyed[0], c.unkeyed) << std::hex << c.in;
  }
}

TEST(TextureConversion, OneBitAlphaFormatKeepsFiveBitsPerChannelAndOpaqueOrTransparent) {
  // Every channel value keeps its top five bits, and values that agree in them come out the same.
  PixelVector out(256);
  for (uint32_t v = 0; v < 256; ++v) out[v] = 0xFF000000u | v << 16 | v << 8 | v;
  ConvertTexels(out, TextureFormat::A1R5G5B5, kNoColorKey);
  for (uint32_t v = 0; v < 256; ++v) {
    for (int shift : {0, 8, 16}) {
      uint32_t c = Channel(out[v], shift);
      ASSERT_EQ(c >> 3, v >> 3) << "value " << v;
      ASSERT_EQ(c, Channel(out[v & ~7u], shift)) << "value " << v;
    }
  }
  EXPECT_EQ(out[0], 0xFF000000u);
  EXPECT_EQ(out[255], 0xFFFFFFFFu);

  // Alpha becomes 0 or 255 at the half-way threshold, and grows with the picture's alpha.
  PixelVector alphas(256);
  for (uint32_t a = 0; a < 256; ++a) alphas[a] = a << 24 | 0x00FFFFFFu;
  ConvertTexels(alphas, TextureFormat::A1R5G5B5, kNoColorKey);
  for (uint32_t a = 0; a < 256; ++a) EXPECT_EQ(alphas[a] >> 24, a < 128 ? 0u : 255u) << "alpha " << a;
}

// A picture through the device: decoded, keyed on its own pixels, then reduced to the texture format.
TEST(TextureConversion, DeviceTexturesFollowTheirFormatAndKey) {
  const std::vector<uint32_t> picture = {0xFF000000u, 0xFF070707u, 0x80000000u, 0xFFFF0000u,
                                         0x00000000u, 0x7FFFFFFFu, 0x80FFFFFFu, 0xFF123456u};
  struct Case {
    TextureFormat format;
    uint32_t key;
    PixelVector texels;
  };
  const Case cases[] = {
      {TextureFormat::A8R8G8B8, kNoColorKey, PixelVector(picture.begin(), picture.end())},
      {TextureFormat::A8R8G8B8, kBlackColorKey,
       {0, 0xFF070707u, 0x80000000u, 0xFFFF0000u, 0, 0x7FFFFFFFu, 0x80FFFFFFu, 0xFF123456u}},
      // Nearly-black turns black only after the key was tested, so it stays opaque.
      {TextureFormat::A1R5G5B5, kBlackColorKey,
       {0, 0xFF000000u, 0xFF000000u, 0xFFFF0000u, 0, 0x00FFFFFFu, 0xFFFFFFFFu, 0xFF103152u}},
      {TextureFormat::A1R5G5B5, kNoColorKey,
       {0xFF000000u, 0xFF000000u, 0xFF000000u, 0xFFFF0000u, 0, 0x00FFFFFFu, 0xFFFFFFFFu, 0xFF103152u}},
  };
  GfxDevice device(0);
  std::vector<uint8_t> png = PngOf(4, 2, picture, true);
  for (const Case& c : cases) {
    GfxTexture* texture = device.CreateTexture(png, c.format, c.key);
    ASSERT_NE(texture, nullptr);
    EXPECT_EQ(texture->Width(), 4);
    EXPECT_EQ(texture->Height(), 2);
    EXPECT_EQ(texture->Texels(), c.texels);
    EXPECT_EQ(texture->View().binaryAlpha, c.format == TextureFormat::A1R5G5B5);
    EXPECT_FALSE(texture->View().opaque);
    texture->Release();
  }
  std::vector<uint8_t> garbage = {0x89, 'P', 'N', 'G', 0, 0};
  EXPECT_EQ(device.CreateTexture(garbage, TextureFormat::A8R8G8B8, kNoColorKey), nullptr);
  EXPECT_EQ(device.CreateTexture({}, TextureFormat::A8R8G8B8, kNoColorKey), nullptr);
}

}  // namespace
