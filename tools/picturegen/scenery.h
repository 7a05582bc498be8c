// Storybook scenery for the title and the endings: skies, stars, moons, hills, houses, the boy.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "image.h"
#include "noise.h"
#include "shape.h"

using Stops = std::vector<std::pair<float, Color>>;  // (position 0..1, colour), ascending

// Colour along a list of stops, smoothly.
Color gradientAt(const Stops& stops, float t);
// Fills rows y0..y1 with a vertical gradient.
void skyGradient(Image& img, int y0, int y1, const Stops& stops);

// A soft round light: full at the centre, fading to nothing at the radius.
void glow(Image& img, Vec centre, float radius, Color c, float strength = 1.0f);
// Stars above the given row; brighter ones get a little cross of light.
void starField(Image& img, Rng& rng, int count, int bottom, float brightness = 1.0f);
// A four-pointed twinkle.
void sparkle(Image& img, Vec centre, float size, Color c);
// A moon; phase 0 is full, toward 1 a thinner crescent lit from the right.
void moon(Image& img, Vec centre, float radius, float phase, Color light);
// Rolling ground below a wavy line: base row, wave height, features per 640 px.
void hills(Image& img, float base, float height, float waves, uint32_t seed, Color top, Color bottom);
// A cloud of overlapping puffs, lit from above.
void cloud(Image& img, Vec centre, float width, float height, Color light, Color shade, uint32_t seed);
// A small house standing on the ground point, windows lit or dark.
void house(Image& img, Vec ground, float width, float height, Color wall, Color roof, bool lit);
// A round-topped or pointed tree standing on the ground point.
void tree(Image& img, Vec ground, float height, Color leaves, bool pointed);
// A streak of light with a bright head.
void meteor(Image& img, Vec head, Vec dir, float length, Color c);

enum class Pose { Standing, Waving, Sitting, Sleeping };
// The stardust boy: red scarf, star cap, about `height` pixels tall, feet at `feet`.
void drawBoy(Image& img, Vec feet, float height, Pose pose, bool facingLeft = false);

// Mirrors the rows above the waterline into the water below it, darker and rippled.
void reflect(Image& img, int waterline, Color tint, float strength, uint32_t seed);

// A short line of text at the bottom centre, in a soft band, as a storybook caption.
void caption(Image& img, const std::string& text, Color ink, Color band);
