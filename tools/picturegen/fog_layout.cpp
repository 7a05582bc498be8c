// Stage 1, a misty day: where the cottages, the shrine, the jetties and the bridge stand.
#include <cmath>

#include "backdrop.h"
#include "fog.h"
#include "noise.h"

namespace fog {

namespace {

// A spot at the given height beside the path, on whichever side keeps it clear of the
// stream and the picture's edges.
Vec besideThePath(float s, float offset) {
  float y = rowAt(s);
  float px = pathCentre(y);
  auto fits = [&](float x) {
    return x > 70 && x < kBackW - 70 && std::fabs(x - streamCentre(y)) > std::fabs(offset) * 0.8f;
  };
  float x = fits(px + offset) ? px + offset : px - offset;
  return {x, y};
}

// Walks along the path from a row toward the lake until the path meets water.
Vec whereThePathMeetsTheLake(float fromRow, float step) {
  float y = fromRow;
  while (lakeDepth(pathCentre(y), y) <= 0 && y > 0 && y < kBackH) y += step;
  return {pathCentre(y), y - step * 3};  // a few pixels back on land
}

// A hut beside a jetty, on dry land and away from the stream; `inland` is the step in rows
// from the jetty's root away from the water.
Vec besideTheJetty(Vec root, float inland) {
  for (float side : {50.0f, -50.0f, 80.0f, -80.0f}) {
    Vec p{root.x + side, root.y + inland};
    bool dry = lakeDepth(p.x, p.y) < -24 && lakeDepth(p.x, p.y - inland * 0.6f) < -12;
    if (dry && p.x > 40 && p.x < kBackW - 40 && std::fabs(p.x - streamCentre(p.y)) > 40) return p;
  }
  return {root.x + 50, root.y + inland * 2};
}

// Where land starts along a row, walking out from the middle of the narrows.
float shoreAlongRow(float y, float step) {
  float x = 315;
  while (lakeDepth(x, y) > 0 && x > 0 && x < kBackW) x += step;
  return x + step * 4;
}

// Mossy rocks on dry ground in the hills, clear of the stream and the path.
std::vector<Vec> scatterBoulders() {
  std::vector<Vec> out;
  Rng rng(808);
  for (int i = 0; i < 90 && out.size() < 26; ++i) {
    Vec p{rng.range(40, kBackW - 40.0f), rowAt(rng.range(0.54f, 0.82f))};
    bool clear = lakeDepth(p.x, p.y) < -30 && std::fabs(p.x - streamCentre(p.y)) > 26 &&
                 std::fabs(p.x - pathCentre(p.y)) > 26;
    if (clear) out.push_back(p);
  }
  return out;
}

Landmarks layOut() {
  Landmarks m{};
  m.cottage = besideThePath(0.034f, 82);
  m.shrine = besideThePath(0.108f, 96);
  m.southJetty = whereThePathMeetsTheLake(rowAt(kLakeSouth - 0.05f), -2);
  m.hut = besideTheJetty(m.southJetty, 34);
  m.northJetty = whereThePathMeetsTheLake(rowAt(kLakeNorth + 0.05f), 2);
  m.boathouse = besideTheJetty(m.northJetty, -30);
  m.wayside = besideThePath(0.64f, 34);
  m.woodshed = {pathCentre(rowAt(kNorthPathEnd)), rowAt(kNorthPathEnd)};
  float narrows = rowAt(kNarrows);
  m.bridgeWest = {shoreAlongRow(narrows, -1), narrows};
  m.bridgeEast = {shoreAlongRow(narrows, 1), narrows};
  m.boulders = scatterBoulders();
  return m;
}

std::vector<Clearing> clear() {
  const Landmarks& m = landmarks();
  std::vector<Clearing> out = {{m.cottage + Vec{0, 4}, 64}, {m.shrine, 64},    {m.southJetty, 14},
                               {m.hut, 32},                 {m.northJetty, 14}, {m.boathouse, 36},
                               {m.woodshed, 40},            {m.bridgeWest, 16}, {m.bridgeEast, 16},
                               {m.wayside, 30}};
  for (Vec b : m.boulders) out.push_back({b, 12});
  return out;
}

}  // namespace

const Landmarks& landmarks() {
  static const Landmarks m = layOut();
  return m;
}

const std::vector<Clearing>& clearings() {
  static const std::vector<Clearing> list = clear();
  return list;
}

bool inClearing(Vec p, float margin) {
  for (const Clearing& c : clearings())
    if (length(p - c.centre) < c.radius + margin) return true;
  return false;
}

bool onLawn(Vec p) {
  float ragged = 10 * valueNoise(p.x / 9, p.y / 9, 812);
  for (const Clearing& c : clearings())
    if (c.radius >= 30 && length(p - c.centre) < c.radius - 4 - ragged) return true;
  return false;
}

}  // namespace fog
