// Writes pictures as PNG (RGB or RGBA), JPEG and Windows ICO files, byte-for-byte repeatable.
#include "writers.h"

#include <png.h>
#include <turbojpeg.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace {

[[noreturn]] void fail(const std::string& what) {
  std::fprintf(stderr, "picturegen: %s\n", what.c_str());
  std::exit(1);
}

void appendBytes(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}

void flushNothing(png_structp) {}

void put16(std::vector<uint8_t>& out, unsigned v) {
  out.push_back(v & 0xFF);
  out.push_back((v >> 8) & 0xFF);
}

void put32(std::vector<uint8_t>& out, uint32_t v) {
  put16(out, v & 0xFFFF);
  put16(out, v >> 16);
}

}  // namespace

std::vector<uint8_t> encodePng(const Image& img, bool withAlphaChannel) {
  std::vector<uint8_t> out;
  std::vector<uint8_t> pixels = toBytes(img, withAlphaChannel);
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info) fail("libpng does not start");
  if (setjmp(png_jmpbuf(png))) fail("libpng failed to encode");
  png_set_write_fn(png, &out, appendBytes, flushNothing);
  // Level 9 keeps the committed pictures small; no time chunk is written, so runs repeat.
  png_set_compression_level(png, 9);
  png_set_IHDR(png, info, img.w, img.h, 8,
               withAlphaChannel ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  size_t stride = static_cast<size_t>(img.w) * (withAlphaChannel ? 4 : 3);
  for (int y = 0; y < img.h; ++y) png_write_row(png, pixels.data() + stride * y);
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

std::vector<uint8_t> encodeJpeg(const Image& img, int quality) {
  std::vector<uint8_t> pixels = toBytes(img, false);
  tjhandle tj = tjInitCompress();
  if (!tj) fail("TurboJPEG does not start");
  unsigned char* jpeg = nullptr;
  unsigned long size = 0;
  // 4:2:0 chroma halves the size; the pictures have no fine coloured detail that it would smear.
  if (tjCompress2(tj, pixels.data(), img.w, 0, img.h, TJPF_RGB, &jpeg, &size, TJSAMP_420, quality,
                  TJFLAG_ACCURATEDCT) != 0)
    fail(std::string("TurboJPEG failed: ") + tjGetErrorStr2(tj));
  std::vector<uint8_t> out(jpeg, jpeg + size);
  tjFree(jpeg);
  tjDestroy(tj);
  return out;
}

std::vector<uint8_t> encodeIco(const std::vector<Image>& sizes) {
  std::vector<std::vector<uint8_t>> entries;
  for (const Image& img : sizes) entries.push_back(encodePng(img, true));
  std::vector<uint8_t> out;
  put16(out, 0);                       // reserved
  put16(out, 1);                       // type: icon
  put16(out, static_cast<unsigned>(entries.size()));
  uint32_t offset = 6 + 16 * static_cast<uint32_t>(entries.size());
  for (size_t i = 0; i < entries.size(); ++i) {
    out.push_back(static_cast<uint8_t>(sizes[i].w >= 256 ? 0 : sizes[i].w));
    out.push_back(static_cast<uint8_t>(sizes[i].h >= 256 ? 0 : sizes[i].h));
    out.push_back(0);                  // no colour table
    out.push_back(0);                  // reserved
    put16(out, 1);                     // colour planes
    put16(out, 32);                    // bits per pixel
    put32(out, static_cast<uint32_t>(entries[i].size()));
    put32(out, offset);
    offset += static_cast<uint32_t>(entries[i].size());
  }
  for (const auto& e : entries) out.insert(out.end(), e.begin(), e.end());
  return out;
}

void writeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream f(path, std::ios::binary);
  f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!f) fail("cannot write " + path);
}
