// Japanese text from a system font (Noto Sans CJK JP), as coverage masks to paint with.
#include "text.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>

namespace {

// The font files of Debian's fonts-noto-cjk; the Japanese face is looked up by name.
const char* const kFontFiles[] = {
    "/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc",  // Weight::Regular
    "/usr/share/fonts/opentype/noto/NotoSansCJK-Bold.ttc",     // Weight::Bold
};

FT_Library library() {
  static FT_Library lib = [] {
    FT_Library l = nullptr;
    if (FT_Init_FreeType(&l) != 0) {
      std::fprintf(stderr, "picturegen: FreeType does not start\n");
      std::exit(1);
    }
    return l;
  }();
  return lib;
}

FT_Face openJapaneseFace(const char* path) {
  for (int index = 0; index < 16; ++index) {
    FT_Face face = nullptr;
    if (FT_New_Face(library(), path, index, &face) != 0) break;
    if (face->family_name && std::strstr(face->family_name, " JP")) return face;
    FT_Done_Face(face);
  }
  std::fprintf(stderr, "picturegen: no Japanese face in %s (install fonts-noto-cjk)\n", path);
  std::exit(1);
}

FT_Face face(Weight weight) {
  static std::map<Weight, FT_Face> faces;
  auto it = faces.find(weight);
  if (it != faces.end()) return it->second;
  FT_Face f = openJapaneseFace(kFontFiles[weight == Weight::Bold ? 1 : 0]);
  faces[weight] = f;
  return f;
}

std::u32string decodeUtf8(const std::string& s) {
  std::u32string out;
  for (size_t i = 0; i < s.size();) {
    unsigned char c = s[i];
    int extra = c < 0x80 ? 0 : c < 0xE0 ? 1 : c < 0xF0 ? 2 : 3;
    char32_t cp = extra == 0 ? c : extra == 1 ? (c & 0x1F) : extra == 2 ? (c & 0x0F) : (c & 0x07);
    for (int k = 1; k <= extra && i + k < s.size(); ++k) cp = (cp << 6) | (s[i + k] & 0x3F);
    out.push_back(cp);
    i += 1 + extra;
  }
  return out;
}

void loadGlyph(FT_Face f, char32_t cp) {
  if (FT_Load_Char(f, cp, FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT) != 0) {
    std::fprintf(stderr, "picturegen: glyph U+%04X missing\n", static_cast<unsigned>(cp));
    std::exit(1);
  }
}

}  // namespace

int textWidth(const std::string& utf8, Weight weight, int size, int tracking) {
  FT_Face f = face(weight);
  FT_Set_Pixel_Sizes(f, 0, size);
  long pen = 0;
  for (char32_t cp : decodeUtf8(utf8)) {
    loadGlyph(f, cp);
    pen += f->glyph->advance.x + tracking * 64;
  }
  return static_cast<int>((pen + 63) / 64);
}

TextMask renderText(const std::string& utf8, Weight weight, int pixelSize, int tracking) {
  FT_Face f = face(weight);
  FT_Set_Pixel_Sizes(f, 0, pixelSize);
  TextMask m;
  m.ascent = static_cast<int>((f->size->metrics.ascender + 63) / 64);
  m.h = m.ascent + static_cast<int>((-f->size->metrics.descender + 63) / 64);
  m.w = textWidth(utf8, weight, pixelSize, tracking) + 2;
  m.cover.assign(static_cast<size_t>(m.w) * m.h, 0.0f);
  long pen = 0;
  for (char32_t cp : decodeUtf8(utf8)) {
    loadGlyph(f, cp);
    const FT_Bitmap& bm = f->glyph->bitmap;
    int ox = static_cast<int>(pen / 64) + f->glyph->bitmap_left;
    int oy = m.ascent - f->glyph->bitmap_top;
    for (unsigned y = 0; y < bm.rows; ++y)
      for (unsigned x = 0; x < bm.width; ++x) {
        int px = ox + static_cast<int>(x), py = oy + static_cast<int>(y);
        if (px < 0 || py < 0 || px >= m.w || py >= m.h) continue;
        float v = bm.buffer[y * bm.pitch + x] / 255.0f;
        float& dst = m.cover[static_cast<size_t>(py) * m.w + px];
        dst = std::max(dst, v);
      }
    pen += f->glyph->advance.x + tracking * 64;
  }
  return m;
}

TextMask dilate(const TextMask& mask, float radius) {
  int r = static_cast<int>(std::ceil(radius));
  TextMask out;
  out.w = mask.w + 2 * r;
  out.h = mask.h + 2 * r;
  out.ascent = mask.ascent + r;
  out.cover.assign(static_cast<size_t>(out.w) * out.h, 0.0f);
  for (int y = 0; y < out.h; ++y)
    for (int x = 0; x < out.w; ++x) {
      float best = 0;
      for (int dy = -r; dy <= r; ++dy)
        for (int dx = -r; dx <= r; ++dx) {
          float reach = std::clamp(radius + 0.5f - std::sqrt(float(dx * dx + dy * dy)), 0.f, 1.f);
          best = std::max(best, mask.at(x - r + dx, y - r + dy) * reach);
        }
      out.cover[static_cast<size_t>(y) * out.w + x] = best;
    }
  return out;
}

TextMask harden(const TextMask& mask, float cut) {
  TextMask out = mask;
  for (float& v : out.cover) v = v >= cut ? 1.0f : 0.0f;
  return out;
}

void paintMask(Image& img, const TextMask& mask, int left, int top, const Shade& shade) {
  for (int y = 0; y < mask.h; ++y)
    for (int x = 0; x < mask.w; ++x) {
      float c = mask.at(x, y);
      if (c > 0) img.blend(left + x, top + y, shade(left + x, top + y), c);
    }
}

void paintMask(Image& img, const TextMask& mask, int left, int top, Color c) {
  paintMask(img, mask, left, top, [c](int, int) { return c; });
}

int drawText(Image& img, const std::string& utf8, int left, int top, const TextStyle& s) {
  TextMask m = renderText(utf8, s.weight, s.size, s.tracking);
  if (s.crisp) m = harden(m);
  if (s.outline.a > 0 && s.outlineWidth > 0) {
    TextMask o = dilate(m, s.outlineWidth);
    int r = (o.w - m.w) / 2;
    if (s.shadow.a > 0) paintMask(img, o, left - r + s.shadowDx, top - r + s.shadowDy, s.shadow);
    paintMask(img, s.crisp ? harden(o, 0.5f) : o, left - r, top - r, s.outline);
  } else if (s.shadow.a > 0) {
    paintMask(img, m, left + s.shadowDx, top + s.shadowDy, s.shadow);
  }
  paintMask(img, m, left, top, s.fill);
  return m.w - 2;
}

int drawTextCentred(Image& img, const std::string& utf8, int centreX, int top,
                    const TextStyle& style) {
  int w = textWidth(utf8, style.weight, style.size, style.tracking);
  return drawText(img, utf8, centreX - w / 2, top, style);
}
