// The window and launcher icon: the boy's ship on a round night-sky badge.
#include "art.h"
#include "scenery.h"

Image paintIcon(int size) {
  // Painted four times larger and shrunk, so even the 16-pixel icon keeps clean edges.
  const int big = size * 4;
  const float k = big / 256.0f;
  Image img(big, big);
  Vec c{big / 2.0f, big / 2.0f};
  paintShape(img, {0, 0, big, big}, [&](Vec p) { return sdCircle(p, c, 124 * k); }, [&](Vec p, float) {
    return gradientAt({{0, rgb(30, 34, 96)}, {1, rgb(96, 70, 170)}}, p.y / big);
  });
  fillShape(img, [&](Vec p) { return std::fabs(sdCircle(p, c, 120 * k)) - 4 * k; }, rgb(255, 214, 110));
  if (size >= 32)
    for (Vec s : {Vec{70, 70}, Vec{190, 84}, Vec{72, 180}})
      fillShape(img, [&](Vec p) { return sdStar(p, s * k, 4, 12 * k, 3 * k, 0); }, rgb(255, 246, 200));
  drawShip(img, Frame{c + Vec{4 * k, 6 * k}, 0.6f, 4.6f * k}, true);
  return resample(img, size, size);
}
