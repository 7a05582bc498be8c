// Storybook scenery for the title and the endings: skies, stars, moons, hills, houses, the boy.
#include "scenery.h"

#include <cmath>

#include "text.h"

Color gradientAt(const Stops& stops, float t) {
  if (t <= stops.front().first) return stops.front().second;
  for (size_t i = 1; i < stops.size(); ++i)
    if (t <= stops[i].first) {
      float k = (t - stops[i - 1].first) / (stops[i].first - stops[i - 1].first);
      return mix(stops[i - 1].second, stops[i].second, smoothstep(0, 1, k));
    }
  return stops.back().second;
}

void skyGradient(Image& img, int y0, int y1, const Stops& stops) {
  for (int y = std::max(0, y0); y < std::min(img.h, y1); ++y) {
    Color c = gradientAt(stops, static_cast<float>(y - y0) / std::max(1, y1 - y0 - 1));
    for (int x = 0; x < img.w; ++x) img.at(x, y) = c;
  }
}

void glow(Image& img, Vec centre, float radius, Color c, float strength) {
  Box b = boxAround(centre, radius);
  for (int y = std::max(0, b.y0); y < std::min(img.h, b.y1); ++y)
    for (int x = std::max(0, b.x0); x < std::min(img.w, b.x1); ++x) {
      float d = length(Vec{x + 0.5f, y + 0.5f} - centre) / radius;
      if (d < 1) img.blend(x, y, c, strength * (1 - d) * (1 - d));
    }
}

void sparkle(Image& img, Vec centre, float size, Color c) {
  fillShapeIn(img, boxAround(centre, size), [&](Vec p) { return sdStar(p, centre, 4, size, size * 0.18f, 0); }, c);
  glow(img, centre, size * 0.8f, c, 0.6f);
}

void starField(Image& img, Rng& rng, int count, int bottom, float brightness) {
  for (int i = 0; i < count; ++i) {
    Vec p{rng.range(0, static_cast<float>(img.w)), rng.range(0, static_cast<float>(bottom))};
    float b = rng.uniform();
    b = b * b * brightness;
    Color c = mix(rgb(200, 210, 255), rgb(255, 240, 210), rng.uniform());
    if (b > 0.8f) sparkle(img, p, 2.5f + b * 4, withAlpha(c, 0.9f));
    else img.blend(static_cast<int>(p.x), static_cast<int>(p.y), c, 0.3f + b);
  }
}

void moon(Image& img, Vec centre, float radius, float phase, Color light) {
  glow(img, centre, radius * 3.2f, withAlpha(light, 0.35f));
  Vec bite = centre + Vec{-radius * 2.0f * phase, -radius * 0.3f * phase};
  auto shape = [&](Vec p) {
    float d = sdCircle(p, centre, radius);
    return phase > 0 ? std::max(d, -sdCircle(p, bite, radius * 1.02f)) : d;
  };
  paintShape(img, boxAround(centre, radius), shape, [&](Vec p, float) {
    float spots = fbm(p.x * 0.08f, p.y * 0.08f, 3, 7);
    return mix(light, scaleRgb(light, 0.86f), smoothstep(0.5f, 0.7f, spots));
  });
}

void hills(Image& img, float base, float height, float waves, uint32_t seed, Color top, Color bottom) {
  for (int x = 0; x < img.w; ++x) {
    float ridge = base - height * fbm(x * waves / 640.0f, 0.5f, 3, seed);
    for (int y = std::max(0, static_cast<int>(ridge)); y < img.h; ++y) {
      float cover = std::clamp(y + 1 - ridge, 0.0f, 1.0f);
      float t = std::clamp((y - ridge) / std::max(1.0f, img.h - ridge), 0.0f, 1.0f);
      img.blend(x, y, mix(top, bottom, t), cover);
    }
  }
}

void cloud(Image& img, Vec centre, float width, float height, Color light, Color shade, uint32_t seed) {
  Rng rng(seed);
  for (int i = 0; i < 9; ++i) {
    float t = (i + 0.5f) / 9;
    Vec c{centre.x + (t - 0.5f) * width, centre.y - std::sin(t * kPi) * height * 0.35f + rng.range(-2, 2)};
    float r = height * (0.35f + 0.3f * std::sin(t * kPi)) * rng.range(0.85f, 1.1f);
    paintShape(img, boxAround(c, r), [&](Vec p) { return sdCircle(p, c, r); }, [&](Vec p, float) {
      return mix(shade, light, smoothstep(c.y + r * 0.5f, c.y - r * 0.6f, p.y));
    }, 1.5f);
  }
}

void house(Image& img, Vec g, float w, float h, Color wall, Color roof, bool lit) {
  float wallTop = g.y - h * 0.6f;
  fillShape(img, [&](Vec p) { return sdBox(p, {g.x, (g.y + wallTop) / 2}, {w / 2, (g.y - wallTop) / 2}); }, wall);
  std::vector<Vec> gable{{g.x - w * 0.62f, wallTop + 1}, {g.x, g.y - h}, {g.x + w * 0.62f, wallTop + 1}};
  fillShape(img, [&](Vec p) { return sdPolygon(p, gable); }, roof);
  Color window = lit ? rgb(255, 214, 120) : scaleRgb(wall, 0.6f);
  float ws = w * 0.16f;
  for (float dx : {-w * 0.22f, w * 0.22f}) {
    Vec wc{g.x + dx, wallTop + (g.y - wallTop) * 0.4f};
    if (lit) glow(img, wc, ws * 4, withAlpha(window, 0.35f));
    fillShape(img, [&](Vec p) { return sdBox(p, wc, {ws, ws}); }, window);
  }
}

void tree(Image& img, Vec g, float h, Color leaves, bool pointed) {
  Color trunk = mix(rgb(70, 46, 40), leaves, 0.3f);
  fillShape(img, [&](Vec p) { return sdBox(p, {g.x, g.y - h * 0.15f}, {h * 0.05f, h * 0.15f}); }, trunk);
  if (pointed) {
    std::vector<Vec> cone{{g.x - h * 0.28f, g.y - h * 0.2f}, {g.x, g.y - h}, {g.x + h * 0.28f, g.y - h * 0.2f}};
    fillShape(img, [&](Vec p) { return sdPolygon(p, cone); }, leaves);
  } else {
    fillShape(img, [&](Vec p) { return sdCircle(p, {g.x, g.y - h * 0.62f}, h * 0.36f); }, leaves);
  }
}

void meteor(Image& img, Vec head, Vec dir, float len, Color c) {
  Vec tail = head - dir * len;
  paintShape(img, Box{static_cast<int>(std::min(head.x, tail.x)) - 4, static_cast<int>(std::min(head.y, tail.y)) - 4,
                      static_cast<int>(std::max(head.x, tail.x)) + 4, static_cast<int>(std::max(head.y, tail.y)) + 4},
             [&](Vec p) { return sdTaper(p, head, tail, 1.6f, 0.2f); },
             [&](Vec p, float) {
               float t = std::clamp(length(p - head) / len, 0.0f, 1.0f);
               return withAlpha(c, (1 - t) * (1 - t));
             });
  glow(img, head, 6, c, 0.8f);
}

void reflect(Image& img, int waterline, Color tint, float strength, uint32_t seed) {
  for (int y = waterline; y < img.h; ++y) {
    int depth = y - waterline;
    for (int x = 0; x < img.w; ++x) {
      float ripple = (valueNoise(x * 0.02f, depth * 0.35f, seed) - 0.5f) * (4 + depth * 0.08f);
      int sx = std::clamp(x + static_cast<int>(ripple), 0, img.w - 1);
      int sy = std::max(0, waterline - 1 - depth);
      Color mirrored = mix(img.at(sx, sy), tint, 1 - strength);
      img.at(x, y) = mix(img.at(x, y), mirrored, 0.85f);
    }
  }
}

void caption(Image& img, const std::string& text, Color textInk, Color band) {
  int top = img.h - 44;
  for (int y = top; y < img.h; ++y)
    for (int x = 0; x < img.w; ++x)
      img.blend(x, y, band, band.a * smoothstep(static_cast<float>(top), top + 18.0f, static_cast<float>(y)));
  TextStyle s{Weight::Bold, 18, textInk};
  s.shadow = withAlpha(rgb(20, 16, 40), 0.6f);
  drawTextCentred(img, text, img.w / 2, img.h - 34, s);
}
