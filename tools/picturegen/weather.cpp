// Weather: the balloons of the sunny stage, the rain streak, the snowflake.
#include <cmath>

#include "art.h"
#include "spritekit.h"

Image paintFuusen() {
  Image sheet = keyedSheet(48, 64);
  paintKeyedCell(sheet, {0, 0, 48, 48}, {}, [](Image& c) {
    drawLit(c, [](Vec p) { return sdEllipse(p, {24, 22}, 18.5f, 20.5f); }, ramps::red, {19, 15},
            22, 0.2f);
    fillShape(c, [](Vec p) { return sdEllipse(p, {16.5f, 13}, 3.2f, 5); }, ink::blush);
    fillShape(c, [](Vec p) { return sdPolygon(p, std::vector<Vec>{{24, 41}, {28, 46.5f}, {20, 46.5f}}); },
              ink::maroon);
  });
  // The string, one pixel wide, swaying down from the knot (drawn after the outline pass).
  for (int y = 48; y < 64; ++y) {
    int x = 24 + static_cast<int>(std::lround(1.6f * std::sin((y - 48) * 0.45f)));
    sheet.at(x, y) = ink::pale;
  }
  return sheet;
}

Image paintAme() {
  // A streak that fades in from its top; the game scales its alpha per drop.
  Image img(1, 16);
  for (int y = 0; y < 16; ++y) {
    float t = y / 15.0f;
    img.at(0, y) = withAlpha(mix(rgb(170, 200, 240), rgb(235, 245, 255), t), 0.9f * t * t);
  }
  return img;
}

Image paintYuki() {
  Image sheet = keyedSheet(12, 12);
  paintKeyedCell(sheet, {0, 0, 12, 12}, {false, true}, [](Image& c) {
    Vec o{6, 6};
    for (int i = 0; i < 3; ++i) {
      Vec arm = rotate({0, 5.6f}, i * kPi / 3);
      fillShape(c, [&](Vec p) { return sdSegment(p, o - arm, o + arm, 0.75f); }, ink::pale);
    }
    for (int i = 0; i < 6; ++i) {
      Vec tip = o + rotate({0, -4.8f}, i * kPi / 3);
      fillShape(c, [&](Vec p) { return sdCircle(p, tip, 0.95f); }, ink::white);
    }
    fillShape(c, [&](Vec p) { return sdCircle(p, o, 1.6f); }, ink::white);
  });
  return sheet;
}
