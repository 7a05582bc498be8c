// Shared pieces of the ending pictures: the dispatch table and small props used by several.
#pragma once

#include "image.h"
#include "scenery.h"

// The ship standing on the ground point, nose up, at a given scale.
void parkedShip(Image& img, Vec ground, float scale);
// The ship flying, with a trail of stardust behind it.
void flyingShip(Image& img, Vec at, float angle, float scale);
// A starry night sky over the whole picture.
void nightSky(Image& img, const Stops& stops, int stars, uint32_t seed);

Image endingNightTown();
Image endingMoon();
Image endingMeteors();
Image endingWindowsill();
Image endingStarLake();
Image endingSnowVillage();
Image endingFireworks();
Image endingAurora();
Image endingStarTrain();
Image endingSunrise();
Image endingCloudSea();
Image endingSunflowers();
Image endingLighthouse();
Image endingSunsetPier();
Image endingConstellation();
Image endingHome();
Image endingRainbow();
Image endingCamp();
