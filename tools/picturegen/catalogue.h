// The list of every picture the generator makes: file, size, format, key and cell grid.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "image.h"

enum class Format { PngRgb, PngRgba, Jpeg };

// A texture rectangle the game draws from; shown as a grid on the contact sheet.
struct Cell {
  float u0, v0, u1, v1;
};

struct Picture {
  std::string file;             // name in res/
  int w, h;                     // exact pixel size the game expects
  Format format;
  bool keyed;                   // opaque black becomes transparent when loaded
  std::function<Image()> paint;
  std::vector<Cell> cells;      // empty: the picture is used whole
  int jpegQuality = 90;
};

const std::vector<Picture>& pictureCatalogue();
