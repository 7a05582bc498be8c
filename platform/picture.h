// Decoding of the PNG and JPEG pictures (and the icon) into 32-bit ARGB, and writing PNG screenshots.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/picture_memory.h"

// A decoded picture: pixels 0xAARRGGBB, row after row from the top.
struct Picture {
  int width = 0;
  int height = 0;
  bool hasAlpha = false;          // the stored picture carries an alpha channel
  PixelVector pixels;
};

// The largest picture the decoder accepts, so that a corrupt header cannot ask for gigabytes.
constexpr int kMaxPictureSide = 32768;
constexpr int64_t kMaxPicturePixels = 32 * 1024 * 1024;

// Decodes PNG or JPEG bytes (told apart by their signature). On failure returns false and says why.
bool DecodePicture(std::span<const uint8_t> bytes, Picture* out, std::string* error);

// Decodes the entry of an icon file (.ico holding PNG entries) closest to size × size pixels.
bool DecodeIcon(std::span<const uint8_t> bytes, int size, Picture* out, std::string* error);

// Writes ARGB pixels (stride in pixels) as a PNG, with or without their alpha channel.
bool EncodePng(std::vector<uint8_t>* out, const uint32_t* pixels, int width, int height, int stride,
               bool keepAlpha);
bool WritePngFile(const std::string& path, const uint32_t* pixels, int width, int height, int stride,
                  bool keepAlpha);
