// Stage 1, a misty day: the ground under the trees, the meadows, the path, the stream and the lake.
#include <cmath>

#include "backdrop.h"
#include "fog.h"
#include "noise.h"

namespace fog {

namespace {

const Color kFloor[3] = {rgb(54, 68, 56), rgb(64, 80, 62), rgb(76, 92, 66)};
const Color kMeadow[3] = {rgb(92, 110, 80), rgb(104, 120, 86), rgb(116, 130, 92)};
const Color kPath = rgb(136, 128, 108), kPathEdge = rgb(110, 106, 90);
const Color kMud = rgb(94, 92, 76), kShore = rgb(128, 124, 102), kWetShore = rgb(108, 112, 96);
const Color kShallow = rgb(100, 122, 116), kDeep = rgb(76, 96, 106), kSheen = rgb(132, 148, 152);

Color landColour(int x, int y) {
  float n = fbm(x / 70.0f, y / 70.0f, 3, 54);
  if (isMeadow(static_cast<float>(x), static_cast<float>(y)))
    return mix(kMeadow[0], kMeadow[2], smoothstep(0.3f, 0.7f, n));
  int level = std::clamp(static_cast<int>(posterize(n, 3, x, y) * 2.999f), 0, 2);
  return kFloor[level];
}

// The shore: wet mud at the water, then sand or grass, in a band of changing width.
Color shoreColour(int x, int y, float depth) {
  float width = 3 + 9 * fbm(x / 60.0f, y / 60.0f, 2, 59);
  if (depth > -2.5f) return kWetShore;
  if (depth > -width) return mix(kShore, kMeadow[1], smoothstep(-width * 0.5f, -width, depth) * 0.5f);
  return landColour(x, y);
}

// Deeper water is darker; long pale streaks are the grey sky mirrored in the lake.
Color waterColour(int x, int y, float depth) {
  Color c = mix(kShallow, kDeep, smoothstep(4, 90, depth));
  float sheen = fbm(x / 300.0f, y / 70.0f, 3, 55);
  c = mix(c, kSheen, 0.55f * smoothstep(0.55f, 0.72f, sheen));
  float wave = valueNoise(x / 16.0f, y / 4.0f, 56) - valueNoise(x / 16.0f, y / 4.0f + 0.5f, 56);
  return scaleRgb(c, 1 + 0.05f * wave);
}

Color streamColour(int x, int y, float offset, float halfWidth) {
  if (offset > halfWidth) return mix(kMud, kFloor[0], smoothstep(halfWidth, halfWidth + 2.5f, offset));
  Color c = waterColour(x, y, 6);
  // Flow lines drawn out along the current.
  if (valueNoise(x / 3.0f, y / 16.0f, 61) > 0.74f) c = mix(c, kSheen, 0.4f);
  return mix(c, kWetShore, smoothstep(halfWidth - 2, halfWidth, offset) * 0.6f);
}

Color pathColour(int x, int y, float offset) {
  if (offset > 3.5f) return kPathEdge;
  float grit = fbm(x / 5.0f, y / 5.0f, 2, 57);
  Color c = mix(kPath, scaleRgb(kPath, 0.9f), smoothstep(0.45f, 0.6f, grit));
  // Rain puddles along the path.
  if (fbm(x / 14.0f, y / 22.0f, 2, 58) > 0.7f) c = mix(kShallow, kSheen, 0.3f);
  return c;
}

Color groundAt(int x, int y) {
  float fx = static_cast<float>(x), fy = static_cast<float>(y);
  float depth = lakeDepth(fx, fy);
  if (depth > 0) return waterColour(x, y, depth);
  float hw = streamHalfWidth(fy);
  // Ragged banks, so the stream never looks dug.
  float streamOffset = std::fabs(fx - streamCentre(fy)) + 2.4f * (valueNoise(fx / 5, fy / 5, 59) - 0.5f);
  bool path = hasPath(fy) && std::fabs(fx - pathCentre(fy)) < 4.5f;
  if (hw > 0 && streamOffset < hw + 2.5f && !path) return streamColour(x, y, streamOffset, hw);
  if (path) return pathColour(x, y, std::fabs(fx - pathCentre(fy)));
  if (depth > -14) return shoreColour(x, y, depth);
  if (onLawn({fx, fy})) return mix(kMeadow[1], kMeadow[2], fbm(fx / 30, fy / 30, 2, 60));
  float pool = poolDepth(fx, fy);
  if (pool > 0) return waterColour(x, y, pool * 0.3f);
  if (pool > -4) return kWetShore;
  return landColour(x, y);
}

}  // namespace

// Open grass: a little everywhere, more in the wet meadow before the lake and on the shores.
bool isMeadow(float x, float y) {
  float s = 1.0f - y / (kBackH - 1);
  float marsh = smoothstep(0.12f, 0.17f, s) * smoothstep(kLakeSouth + 0.02f, kLakeSouth, s);
  float threshold = 0.68f - 0.04f * smoothstep(kLakeNorth, 0.62f, s) - 0.2f * marsh;
  float shore = lakeDepth(x, y);
  if (shore > -34 && shore < 0) threshold -= 0.18f;
  return fbm(x / 220.0f, y / 220.0f, 3, 50) > threshold;
}

void paintGround(Image& img) {
  for (int y = 0; y < img.h; ++y)
    for (int x = 0; x < img.w; ++x) img.at(x, y) = groundAt(x, y);
}

}  // namespace fog
