// Every painter of the game's pictures, and the drawings that several pictures share.
#pragma once

#include <vector>

#include "image.h"
#include "shape.h"

// Sprite sheets (colour-keyed unless said otherwise).
Image paintJiki();
Image paintGas();
Image paintTama();
Image paintJikiBaku();
Image paintJikiDanBaku();
Image paintTeki1();
Image paintTeki2();
Image paintTeki3();
Image paintTekiBaku1();
Image paintTeki4();
Image paintTeki41();
Image paintTeki4Baku();
Image paintTekiDan1();
Image paintTekiDan2();
Image paintTekiDan2Baku();
Image paintTekiDan3();
Image paintFuusen();
Image paintAme();   // not keyed: its alpha softens the streak
Image paintYuki();

// Screens and the head-up display.
Image paintTitle();
Image paintSelect();
Image paintSuuji();
Image paintScore();
Image paintGage();
Image paintTen();
Image paintGraph();
Image paintShutter();

// Stage backgrounds, 640 x 19680, scrolled from the bottom up.
Image paintBackSunny();
Image paintBackFog();
Image paintBackNeedle();
Image paintBackMosaic();

// The eighteen ending pictures, 0 to 17.
Image paintEnding(int number);
constexpr int kEndingCount = 18;

// The launcher icon at a given edge length.
Image paintIcon(int size);

// The boy's starship pointing along frame.angle (0 = up); frame.scale 1 is the 48-pixel sprite.
// smooth = true shades continuously, for pictures larger than a sprite.
void drawShip(Image& img, const Frame& frame, bool smooth);
