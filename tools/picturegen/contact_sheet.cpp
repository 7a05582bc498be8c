// A review sheet: every picture on one page, sprites enlarged, cell grids drawn over them.
#include "contact_sheet.h"

#include <algorithm>

#include "palette.h"
#include "text.h"

namespace {

const int kSheetWidth = 1500;
const int kGap = 12;
const int kLabelHeight = 16;
const Color kGridColour = rgb(255, 64, 200, 0.85f);

float zoomFor(const Picture& p) {
  if (p.h > 2000) return 0.1f;                 // backgrounds
  if (p.w >= 600) return p.file.rfind("ending", 0) == 0 ? 0.5f : 1.0f;
  if (p.w * p.h <= 100) return 8.0f;            // tiny pictures such as the cursor
  return p.w <= 200 ? 4.0f : 3.0f;
}

// A grey checkerboard shows which parts are see-through.
Image checker(int w, int h) {
  Image img(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      img.at(x, y) = ((x / 8 + y / 8) % 2) ? rgb(92, 96, 108) : rgb(120, 124, 136);
  return img;
}

void drawCellGrid(Image& img, int ox, int oy, const Shown& s) {
  for (const Cell& c : s.picture->cells) {
    int x0 = ox + static_cast<int>(c.u0 * s.preview.w), x1 = ox + static_cast<int>(c.u1 * s.preview.w);
    int y0 = oy + static_cast<int>(c.v0 * s.preview.h), y1 = oy + static_cast<int>(c.v1 * s.preview.h);
    for (int x = x0; x < x1; ++x) img.blend(x, y0, kGridColour), img.blend(x, y1 - 1, kGridColour);
    for (int y = y0; y < y1; ++y) img.blend(x0, y, kGridColour), img.blend(x1 - 1, y, kGridColour);
  }
}

}  // namespace

Shown previewOf(const Picture& picture, const Image& painted) {
  Image shown = picture.keyed ? simulateKeyedLoad(painted) : painted;
  float zoom = zoomFor(picture);
  if (zoom >= 1)
    shown = enlarge(shown, static_cast<int>(zoom));
  else
    shown = resample(shown, static_cast<int>(picture.w * zoom), static_cast<int>(picture.h * zoom));
  return {&picture, shown, zoom};
}

Image makeContactSheet(const std::vector<Shown>& shown) {
  // Shelf layout: left to right, a new row when the next picture would not fit.
  struct Spot { int x, y; };
  std::vector<Spot> spots;
  int x = kGap, y = kGap, rowHeight = 0;
  for (const Shown& s : shown) {
    if (x + s.preview.w > kSheetWidth - kGap && x > kGap) x = kGap, y += rowHeight + kGap, rowHeight = 0;
    spots.push_back({x, y});
    x += std::max(s.preview.w, 90) + kGap;
    rowHeight = std::max(rowHeight, s.preview.h + kLabelHeight);
  }
  Image sheet(kSheetWidth, y + rowHeight + kGap, rgb(40, 42, 52));
  TextStyle label{Weight::Regular, 11, rgb(230, 230, 240)};
  for (size_t i = 0; i < shown.size(); ++i) {
    const Shown& s = shown[i];
    drawText(sheet, s.picture->file, spots[i].x, spots[i].y, label);
    int top = spots[i].y + kLabelHeight;
    place(sheet, checker(s.preview.w, s.preview.h), spots[i].x, top);
    blit(sheet, s.preview, spots[i].x, top);
    drawCellGrid(sheet, spots[i].x, top, s);
  }
  return sheet;
}
