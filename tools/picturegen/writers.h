// Writes pictures as PNG (RGB or RGBA), JPEG and Windows ICO files, byte-for-byte repeatable.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "image.h"

std::vector<uint8_t> encodePng(const Image& img, bool withAlphaChannel);
std::vector<uint8_t> encodeJpeg(const Image& img, int quality);
// An icon file whose entries are PNG-compressed, one per picture.
std::vector<uint8_t> encodeIco(const std::vector<Image>& sizes);
void writeFile(const std::string& path, const std::vector<uint8_t>& bytes);
