// Helpers for drawing sprite sheets: tone ramps, lighting, tapered strokes and keyed cells.
#include "spritekit.h"

#include <cmath>

Color rampColor(const Ramp& ramp, float t, bool smooth) {
  t = std::clamp(t, 0.0f, 1.0f);
  if (smooth) {
    float s = t * 3;
    int i = std::min(2, static_cast<int>(s));
    return mix(ramp.tone[i], ramp.tone[i + 1], s - i);
  }
  static const float kSteps[3] = {0.28f, 0.58f, 0.86f};  // tone borders, tuned by eye
  int i = 0;
  while (i < 3 && t >= kSteps[i]) ++i;
  return ramp.tone[i];
}

float sphereLight(Vec p, Vec centre, float radius) {
  Vec n = (p - centre) * (1.0f / radius);
  float r2 = std::min(1.0f, dot(n, n));
  float nz = std::sqrt(1 - r2);
  // Light direction: up-left and towards the viewer.
  const float lx = -0.45f, ly = -0.55f, lz = 0.70f;
  return std::clamp(0.15f + 0.85f * (n.x * lx + n.y * ly + nz * lz), 0.0f, 1.0f);
}

Box cellBox(float u0, float v0, float u1, float v1, int w, int h) {
  // A texel split between two cells belongs to the one that holds most of it.
  return {static_cast<int>(std::lround(u0 * w)), static_cast<int>(std::lround(v0 * h)),
          static_cast<int>(std::lround(u1 * w)), static_cast<int>(std::lround(v1 * h))};
}

void paintKeyedCell(Image& sheet, Box cell, const KeyStyle& style,
                    const std::function<void(Image&)>& draw) {
  Image c(cell.x1 - cell.x0, cell.y1 - cell.y0);
  draw(c);
  finishKeyed(c, style);
  place(sheet, c, cell.x0, cell.y0);
}

Image keyedSheet(int w, int h) { return Image(w, h, kKey); }

namespace ramps {
const Ramp hull{{ink::slate, ink::grey, ink::pale, ink::white}};
const Ramp red{{ink::maroon, ink::red, ink::orange, ink::gold}};
const Ramp glass{{ink::navyBlue, ink::blue, ink::cyan, ink::iceCyan}};
const Ramp skin{{ink::tan, ink::tan, ink::skin, ink::skin}};
const Ramp hair{{ink::brown, ink::brown, ink::tan, ink::tan}};
const Ramp violet{{ink::purple, ink::violet, ink::lavender, ink::pale}};
const Ramp pink{{ink::plum, ink::magenta, ink::pink, ink::blush}};
const Ramp green{{ink::forest, ink::green, ink::mint, ink::cream}};
const Ramp gold{{ink::brown, ink::orange, ink::gold, ink::yellow}};
const Ramp cyan{{ink::navyBlue, ink::blue, ink::cyan, ink::iceCyan}};
const Ramp metal{{ink::indigo, ink::ash, ink::grey, ink::pale}};
const Ramp lavender{{ink::slate, ink::smoke, ink::lavender, ink::pale}};
const Ramp fire{{ink::red, ink::orange, ink::yellow, ink::white}};
const Ramp smoke{{ink::ash, ink::smoke, ink::pale, ink::white}};
const Ramp blue{{ink::indigo, ink::navyBlue, ink::blue, ink::cyan}};
}  // namespace ramps

void drawEyes(Image& img, Vec left, Vec right, float radius) {
  for (Vec e : {left, right}) {
    fillShape(img, [&](Vec p) { return sdEllipse(p, e, radius, radius * 1.25f); }, ink::outline);
    Vec glint = e + Vec{-radius * 0.35f, -radius * 0.45f};
    fillShape(img, [&](Vec p) { return sdCircle(p, glint, radius * 0.42f); }, ink::white);
  }
}
