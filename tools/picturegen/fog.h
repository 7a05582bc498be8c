// Stage 1's misty day: the map of lake, stream and path that the files painting it share.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "image.h"
#include "shape.h"

namespace fog {

// Where the journey changes, as climb values (0 bottom, 1 top).
constexpr float kLakeSouth = 0.205f;   // the south shore, with the first jetty
constexpr float kNarrows = 0.355f;     // the lake's two halves meet under a wooden bridge
constexpr float kLakeNorth = 0.505f;   // the north shore, with the boathouse
constexpr float kNorthPathEnd = 0.74f; // the forest path goes no higher
constexpr float kCloudStart = 0.60f;   // low cloud starts to gather over the forest
constexpr float kRainCloud = 0.88f;    // above this the rain cloud is closed

// The row at a climb value, as a float so shapes can sit between rows.
float rowAt(float s);

// Distance to the nearest lake shore in pixels: positive on the lake, negative on land.
float lakeDepth(float x, float y);
// The stream's middle at a row, and its half width there (0 where there is no stream).
float streamCentre(float y);
float streamHalfWidth(float y);
// The forest path's middle at a row, and whether the row has the path.
float pathCentre(float y);
bool hasPath(float y);
// Shallow pools in the wet meadow before the lake; positive inside a pool.
float poolDepth(float x, float y);
// Open grass, where the forest gives way to meadow.
bool isMeadow(float x, float y);
// Any water at all: lake, stream or pool.
bool isWater(float x, float y);

// A place kept free of trees: the shrine's grounds, a cottage's garden, a jetty's root.
struct Clearing {
  Vec centre;
  float radius;
};
const std::vector<Clearing>& clearings();
bool inClearing(Vec p, float margin);
// The mown grass around the buildings, with a ragged edge where the forest starts.
bool onLawn(Vec p);

// Where the buildings stand; worked out once from the map.
struct Landmarks {
  Vec cottage, shrine, southJetty, hut, northJetty, boathouse, wayside, woodshed;
  Vec bridgeWest, bridgeEast;   // where the bridge over the narrows meets land
  std::vector<Vec> boulders;    // mossy rocks in the hills north of the lake
};
const Landmarks& landmarks();

// A treetop seen from above, shaded by the light from the upper left.
struct Crown {
  Vec centre;
  float radius;
  int kind;        // see kCrownKinds in fog_trees.cpp
  uint32_t seed;
};
void paintCrown(Image& img, const Crown& crown);

// Darkens what lies under a shape moved by the shadow's offset (down and to the right).
// `box` bounds the shape itself; the rim is softened over `softness` pixels.
template <class Distance>
void castShadow(Image& img, Box box, Distance distance, Vec offset, float strength = 0.3f, float softness = 1.0f) {
  int dx = static_cast<int>(offset.x), dy = static_cast<int>(offset.y);
  for (int y = std::max(0, box.y0 + dy); y < std::min(img.h, box.y1 + dy + 1); ++y)
    for (int x = std::max(0, box.x0 + dx); x < std::min(img.w, box.x1 + dx + 1); ++x) {
      float cover = std::clamp(0.5f - distance(Vec{x + 0.5f, y + 0.5f} - offset) / softness, 0.0f, 1.0f);
      if (cover > 0) img.at(x, y) = scaleRgb(img.at(x, y), 1 - strength * cover);
    }
}

// The painting passes, in the order they are laid down.
void paintGround(Image& img);      // forest floor, meadows, path, stream, lake water
void paintWaterLife(Image& img);   // reeds, lily pads and rain rings
void buildPlaces(Image& img);      // cottages, shrine, huts and rocks, then the waterside
void buildWaterside(Image& img);   // jetties, boats, bridges and ducks
void plantForest(Image& img);      // every treetop
void paintWeather(Image& img);     // low cloud, the rain cloud, mist banks and the veil

}  // namespace fog
