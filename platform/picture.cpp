// PNG through libpng's simplified interface, JPEG through TurboJPEG; both straight into ARGB words.
#include "platform/picture.h"

#include <png.h>
#include <turbojpeg.h>

#include <cstdio>
#include <cstring>

namespace {

bool Fail(std::string* error, const std::string& why) {
  if (error != nullptr) *error = why;
  return false;
}

bool SizeAcceptable(int64_t width, int64_t height) {
  return width > 0 && height > 0 && width <= kMaxPictureSide && height <= kMaxPictureSide &&
         width * height <= kMaxPicturePixels;
}

bool IsPng(std::span<const uint8_t> bytes) {
  static const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  return bytes.size() >= 8 && std::memcmp(bytes.data(), kSignature, 8) == 0;
}

bool IsJpeg(std::span<const uint8_t> bytes) {
  return bytes.size() >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF;
}

uint32_t ReadBe32(const uint8_t* p) { return static_cast<uint32_t>(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3]; }

// libpng sets aside a chunk's whole claimed length before it finds the bytes missing, so a few bytes
// could cost gigabytes and seconds. Chunks are walked first; the signature and a cut right before the
// end are left to libpng.
bool ChunksInside(std::span<const uint8_t> bytes) {
  uint64_t at = 8;
  while (at + 8 <= bytes.size()) {
    uint64_t length = ReadBe32(&bytes[at]);
    if (std::memcmp(&bytes[at + 4], "IEND", 4) == 0) return true;
    if (length > bytes.size() - at - 8) return false;
    at += 12 + length;
  }
  return true;
}

bool DecodePng(std::span<const uint8_t> bytes, Picture* out, std::string* error) {
  if (!ChunksInside(bytes)) return Fail(error, "PNG: a chunk runs past the end of the data");
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) {
    return Fail(error, std::string("PNG: ") + image.message);
  }
  if (!SizeAcceptable(image.width, image.height)) {
    png_image_free(&image);
    return Fail(error, "PNG: picture too large");
  }
  out->width = static_cast<int>(image.width);
  out->height = static_cast<int>(image.height);
  out->hasAlpha = (image.format & PNG_FORMAT_FLAG_ALPHA) != 0;
  out->pixels.resize(static_cast<size_t>(out->width) * out->height);
  // BGRA bytes in memory are 0xAARRGGBB words on the little-endian machines we run on.
  image.format = PNG_FORMAT_BGRA;
  if (!png_image_finish_read(&image, nullptr, out->pixels.data(), 0, nullptr)) {
    std::string why = std::string("PNG: ") + image.message;
    png_image_free(&image);
    return Fail(error, why);
  }
  return true;
}

bool DecodeJpeg(std::span<const uint8_t> bytes, Picture* out, std::string* error) {
  tjhandle tj = tjInitDecompress();
  if (tj == nullptr) return Fail(error, "JPEG: decoder unavailable");
  auto* data = const_cast<unsigned char*>(bytes.data());
  int width = 0, height = 0, subsampling = 0, colorspace = 0;
  bool ok = tjDecompressHeader3(tj, data, bytes.size(), &width, &height, &subsampling, &colorspace) == 0;
  if (!ok) {
    std::string why = std::string("JPEG: ") + tjGetErrorStr2(tj);
    tjDestroy(tj);
    return Fail(error, why);
  }
  if (!SizeAcceptable(width, height)) {
    tjDestroy(tj);
    return Fail(error, "JPEG: picture too large");
  }
  out->width = width;
  out->height = height;
  out->hasAlpha = false;
  // The decoder writes every pixel, alpha 255 included.
  out->pixels.resize(static_cast<size_t>(width) * height);
  auto* dst = reinterpret_cast<unsigned char*>(out->pixels.data());
  // The decoder only warns about a stream cut short and fills the rest in grey; a picture that is not all
  // there is refused, as a PNG cut short is, so that the game's failure message tells of it.
  if (tjDecompress2(tj, data, bytes.size(), dst, width, 0, height, TJPF_BGRA, TJFLAG_STOPONWARNING) != 0) {
    std::string why = std::string("JPEG: ") + tjGetErrorStr2(tj);
    tjDestroy(tj);
    return Fail(error, why);
  }
  tjDestroy(tj);
  return true;
}

uint32_t ReadLe32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24; }
uint16_t ReadLe16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

}  // namespace

bool DecodePicture(std::span<const uint8_t> bytes, Picture* out, std::string* error) {
  *out = Picture{};
  if (IsPng(bytes)) return DecodePng(bytes, out, error);
  if (IsJpeg(bytes)) return DecodeJpeg(bytes, out, error);
  return Fail(error, "neither PNG nor JPEG");
}

bool DecodeIcon(std::span<const uint8_t> bytes, int size, Picture* out, std::string* error) {
  if (bytes.size() < 6 || ReadLe16(&bytes[0]) != 0 || ReadLe16(&bytes[2]) != 1) {
    return Fail(error, "not an icon file");
  }
  size_t count = ReadLe16(&bytes[4]);
  if (6 + 16 * count > bytes.size()) return Fail(error, "icon directory truncated");
  std::span<const uint8_t> best;
  int bestSide = 0;
  for (size_t i = 0; i < count; ++i) {
    const uint8_t* entry = &bytes[6 + 16 * i];
    int side = entry[0] == 0 ? 256 : entry[0];
    uint32_t length = ReadLe32(entry + 8), offset = ReadLe32(entry + 12);
    if (offset > bytes.size() || length > bytes.size() - offset) continue;
    // Prefer the largest entry not above the wanted size, else the smallest above it.
    bool better = best.empty() || (side <= size ? (bestSide > size || side > bestSide)
                                                : (bestSide > size && side < bestSide));
    if (better) {
      best = bytes.subspan(offset, length);
      bestSide = side;
    }
  }
  if (best.empty()) return Fail(error, "icon has no usable entry");
  if (!IsPng(best)) return Fail(error, "icon entry is not PNG");
  return DecodePicture(best, out, error);
}

bool EncodePng(std::vector<uint8_t>* out, const uint32_t* pixels, int width, int height, int stride,
               bool keepAlpha) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(width);
  image.height = static_cast<png_uint_32>(height);
  image.format = keepAlpha ? PNG_FORMAT_BGRA : PNG_FORMAT_BGR;
  std::vector<uint8_t> packed;
  const void* source = pixels;
  // libpng measures a row's stride in components, here bytes: four per pixel as given, three once packed.
  png_int_32 rowStride = stride * 4;
  if (!keepAlpha) {
    packed.resize(static_cast<size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        uint32_t p = pixels[static_cast<size_t>(y) * stride + x];
        uint8_t* d = &packed[(static_cast<size_t>(y) * width + x) * 3];
        d[0] = p & 0xFF, d[1] = (p >> 8) & 0xFF, d[2] = (p >> 16) & 0xFF;
      }
    }
    source = packed.data();
    rowStride = width * 3;
  }
  png_alloc_size_t size = 0;
  if (!png_image_write_get_memory_size(image, size, 0, source, rowStride, nullptr)) return false;
  out->resize(size);
  bool ok = png_image_write_to_memory(&image, out->data(), &size, 0, source, rowStride, nullptr);
  out->resize(ok ? size : 0);
  return ok;
}

bool WritePngFile(const std::string& path, const uint32_t* pixels, int width, int height, int stride,
                  bool keepAlpha) {
  std::vector<uint8_t> bytes;
  if (!EncodePng(&bytes, pixels, width, height, stride, keepAlpha)) return false;
  FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}
