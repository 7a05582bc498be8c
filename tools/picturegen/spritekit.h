// Helpers for drawing sprite sheets: tone ramps, lighting, tapered strokes and keyed cells.
#pragma once

#include <functional>

#include "image.h"
#include "palette.h"
#include "shape.h"

// Four tones of one material, darkest first.
struct Ramp {
  Color tone[4];
};

// Stepped for pixel art, smooth for large pictures.
Color rampColor(const Ramp& ramp, float t, bool smooth = false);

// Light from the upper left, as on every sprite: 0 in shadow, 1 in full light.
float sphereLight(Vec p, Vec centre, float radius);

// Where a texture rectangle (u, v from 0 to 1) lands in a picture of w x h pixels:
// each texel goes to the cell that holds most of it, so neighbouring cells never share one.
Box cellBox(float u0, float v0, float u1, float v1, int w, int h);

// Paints one cell of a colour-keyed sheet: draws it fresh, finishes it, puts it in place.
void paintKeyedCell(Image& sheet, Box cell, const KeyStyle& style,
                    const std::function<void(Image&)>& draw);

// A new sheet filled with the key colour.
Image keyedSheet(int w, int h);

// Common material ramps of the sprites.
namespace ramps {
extern const Ramp hull, red, glass, skin, hair, violet, pink, green, gold, cyan, metal, lavender,
    fire, smoke, blue;
}

// Fills a shape with a material lit as a ball of the given centre and radius.
template <class Distance>
void drawLit(Image& img, Distance distance, const Ramp& ramp, Vec lightCentre, float lightRadius,
             float bias = 0, bool smooth = false) {
  paintShape(img, Box{0, 0, img.w, img.h}, distance, [&](Vec p, float) {
    return rampColor(ramp, sphereLight(p, lightCentre, lightRadius) + bias, smooth);
  });
}

// A pair of little eyes with a white glint, the face every creature of the game shares.
void drawEyes(Image& img, Vec left, Vec right, float radius);
