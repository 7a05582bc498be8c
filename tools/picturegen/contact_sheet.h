// A review sheet: every picture on one page, sprites enlarged, cell grids drawn over them.
#pragma once

#include <vector>

#include "catalogue.h"
#include "image.h"

struct Shown {
  const Picture* picture;
  Image preview;    // already scaled for the sheet
  float zoom;       // preview pixels per picture pixel
};

// Makes the preview of a painted picture: keyed ones as the game would show them.
Shown previewOf(const Picture& picture, const Image& painted);
Image makeContactSheet(const std::vector<Shown>& shown);
