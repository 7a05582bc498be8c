// Japanese text from a system font (Noto Sans CJK JP), as coverage masks to paint with.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "image.h"

enum class Weight { Regular, Bold };

// Coverage 0..1 of a line of text; (0, 0) is the top-left of the line box.
struct TextMask {
  int w = 0, h = 0;
  int ascent = 0;  // rows from the top of the box to the baseline
  std::vector<float> cover;
  float at(int x, int y) const {
    return (x < 0 || y < 0 || x >= w || y >= h) ? 0.0f : cover[static_cast<size_t>(y) * w + x];
  }
};

TextMask renderText(const std::string& utf8, Weight weight, int pixelSize, int tracking = 0);
// Grows a mask by a disc of the given radius, for outlines and soft shadows.
TextMask dilate(const TextMask& mask, float radius);
// Makes every pixel fully in or out, for text that must read like pixel art.
TextMask harden(const TextMask& mask, float cut = 0.45f);

using Shade = std::function<Color(int x, int y)>;  // colour at a picture pixel

void paintMask(Image& img, const TextMask& mask, int left, int top, const Shade& shade);
void paintMask(Image& img, const TextMask& mask, int left, int top, Color c);

struct TextStyle {
  Weight weight = Weight::Bold;
  int size = 16;
  Color fill{1, 1, 1, 1};
  Color outline{0, 0, 0, 0};  // alpha 0: no outline
  float outlineWidth = 0;
  Color shadow{0, 0, 0, 0};   // alpha 0: no shadow
  int shadowDx = 1, shadowDy = 1;
  int tracking = 0;
  bool crisp = false;
};

// Draws text with its top-left at (left, top); returns its width.
int drawText(Image& img, const std::string& utf8, int left, int top, const TextStyle& style);
// Same, centred on x.
int drawTextCentred(Image& img, const std::string& utf8, int centreX, int top,
                    const TextStyle& style);
int textWidth(const std::string& utf8, Weight weight, int size, int tracking = 0);
