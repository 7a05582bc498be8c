// The stardust boy himself, for the title and the endings: star cap, red scarf, big smile.
#include <cmath>
#include <functional>

#include "scenery.h"

namespace {

// The boy's colours.
const Color kSkin = rgb(252, 214, 184);
const Color kCheek = rgb(250, 160, 170);
const Color kCap = rgb(72, 104, 214);
const Color kStar = rgb(255, 222, 90);
const Color kCoat = rgb(246, 238, 214);
const Color kCoatShade = rgb(206, 196, 186);
const Color kScarf = rgb(226, 64, 78);
const Color kTrousers = rgb(60, 66, 132);
const Color kShoe = rgb(120, 70, 56);
const Color kFace = rgb(40, 30, 60);

// The drawing in boy units: 40 units tall, feet at (0, 0), up is negative y.
struct Body {
  Image& img;
  Frame frame;      // boy units -> picture
  bool mirror;

  void fill(const std::function<float(Vec)>& sd, Color c) const {
    paintShape(img, boxAround(frame.origin, 48 * frame.scale),
               [&](Vec p) {
                 Vec q = frame.toLocal(p);
                 if (mirror) q.x = -q.x;
                 return sd(q) * frame.scale;
               },
               [c](Vec, float) { return c; });
  }
};

void drawLegs(const Body& b, Pose pose) {
  if (pose == Pose::Sitting) {
    for (float y : {-6.0f, -3.0f}) {
      b.fill([y](Vec p) { return sdSegment(p, {-2, y - 2}, {8, y}, 2.4f); }, kTrousers);
      b.fill([y](Vec p) { return sdEllipse(p, {10, y - 1}, 2.4f, 3); }, kShoe);
    }
    return;
  }
  for (float x : {-3.2f, 3.2f}) {
    b.fill([x](Vec p) { return sdSegment(p, {x, -10}, {x, -2}, 2.5f); }, kTrousers);
    b.fill([x](Vec p) { return sdEllipse(p, {x * 1.2f, -1.2f}, 3.2f, 1.9f); }, kShoe);
  }
}

void drawArms(const Body& b, Pose pose) {
  Vec left = pose == Pose::Sitting ? Vec{-5, -8} : Vec{-9, -11};
  Vec right = pose == Pose::Waving ? Vec{11, -31} : pose == Pose::Sitting ? Vec{6, -10} : Vec{9, -11};
  for (auto [shoulder, hand] : {std::pair{Vec{-6, -19}, left}, std::pair{Vec{6, -19}, right}}) {
    b.fill([=](Vec p) { return sdSegment(p, shoulder, hand, 2.3f); }, kCoatShade);
    b.fill([=](Vec p) { return sdCircle(p, hand, 2.3f); }, kSkin);
  }
}

void drawHead(const Body& b, bool asleep) {
  b.fill([](Vec p) { return sdCircle(p, {0, -30}, 9); }, kSkin);
  b.fill([](Vec p) { return std::max(sdCircle(p, {0, -31}, 9.6f), p.y + 32.5f); }, kCap);
  b.fill([](Vec p) { return sdSegment(p, {-9.5f, -32.5f}, {9.5f, -32.5f}, 1.6f); }, kStar);
  b.fill([](Vec p) { return sdStar(p, {0, -36}, 5, 3.4f, 1.5f); }, kStar);
  b.fill([](Vec p) { return sdCircle(p, {6, -41}, 2.3f); }, kStar);
  for (float x : {-3.4f, 3.4f}) {
    if (asleep)
      b.fill([x](Vec p) { return std::max(std::fabs(sdCircle(p, {x, -29.5f}, 1.6f)) - 0.45f, -29.5f - p.y); }, kFace);
    else
      b.fill([x](Vec p) { return sdEllipse(p, {x, -28.8f}, 1.1f, 1.5f); }, kFace);
    b.fill([x](Vec p) { return sdEllipse(p, {x * 1.55f, -25.8f}, 1.8f, 1.1f); }, kCheek);
  }
  b.fill([](Vec p) { return std::max(std::fabs(sdCircle(p, {0, -26.5f}, 2.2f)) - 0.45f, -25.5f - p.y); }, kFace);
}

}  // namespace

void drawBoy(Image& img, Vec feet, float height, Pose pose, bool facingLeft) {
  float angle = pose == Pose::Sleeping ? -kPi / 2 : 0;
  Body b{img, Frame{feet, angle, height / 42.0f}, facingLeft};
  drawLegs(b, pose);
  float bodyY = pose == Pose::Sitting ? -14 : -16;
  b.fill([bodyY](Vec p) { return sdBox(p, {0, bodyY}, {7, 7.5f}, 4); }, kCoat);
  drawArms(b, pose);
  b.fill([](Vec p) { return sdBox(p, {0, -21.5f}, {7, 2}, 2); }, kScarf);
  b.fill([](Vec p) { return sdTaper(p, {-5, -21}, {-11, -15}, 2, 1.3f); }, kScarf);
  drawHead(b, pose == Pose::Sleeping);
}
