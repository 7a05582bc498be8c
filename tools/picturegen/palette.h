// The shared sprite palette and the finishing step that makes colour-keyed sprites clean.
#pragma once

#include "image.h"

// Named sprite colours; all of them come from kSpriteInks so every sprite shares one palette.
namespace ink {
extern const Color outline, indigo, slate, grey, pale, white, cream, yellow, gold, orange, red,
    maroon, blush, pink, magenta, plum, iceCyan, cyan, blue, navyBlue, mint, green, forest,
    lavender, violet, purple, skin, tan, brown, teal, smoke, ash;
}

// The opaque black that the game's loader turns transparent.
inline const Color kKey{0, 0, 0, 1};

struct KeyStyle {
  bool outline = true;           // ring the shape with ink::outline on the outside
  bool quantize = true;          // snap every colour to the sprite palette
  float alphaCut = 0.5f;         // coverage at which a pixel counts as part of the sprite
};

Color nearestInk(Color c);
// Hard edges, palette colours, outline, and exact black around: what the 1-bit alpha keeps.
void finishKeyed(Image& cell, const KeyStyle& style = {});
// What the game shows after loading: 5 bits a channel, key pixels see-through.
Image simulateKeyedLoad(const Image& img);
// Every pixel either the exact key or plainly visible: nothing near-black, nothing translucent.
bool keyedPictureIsClean(const Image& img, int* badX, int* badY);
