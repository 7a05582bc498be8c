// The head-up display: digit strip, score bar, ships-lost gauge, graph dot and title cursor.
#include <string>

#include "art.h"
#include "spritekit.h"
#include "text.h"

namespace {

// The score digits, 8 x 10 with two-pixel strokes; '#' is ink. Index 10 is the per-cent sign.
const char* const kGlyphs[11][10] = {
    {"..####..", ".##..##.", "##....##", "##....##", "##....##", "##....##", "##....##", "##....##", ".##..##.", "..####.."},
    {"...##...", "..###...", ".####...", "...##...", "...##...", "...##...", "...##...", "...##...", "...##...", ".######."},
    {"..####..", ".##..##.", "##....##", "......##", ".....##.", "...###..", "..##....", ".##.....", "##......", "########"},
    {".######.", "......##", ".....##.", "....##..", "...####.", "......##", "......##", "##....##", ".##..##.", "..####.."},
    {"....###.", "...####.", "..##.##.", ".##..##.", "##...##.", "##...##.", "########", ".....##.", ".....##.", ".....##."},
    {"#######.", "##......", "##......", "######..", ".....##.", "......##", "......##", "##....##", ".##..##.", "..####.."},
    {"...###..", "..##....", ".##.....", "##......", "######..", "##...##.", "##....##", "##....##", ".##..##.", "..####.."},
    {"########", "##....##", ".....##.", ".....##.", "....##..", "....##..", "...##...", "...##...", "...##...", "...##..."},
    {"..####..", ".##..##.", "##....##", ".##..##.", "..####..", ".##..##.", "##....##", "##....##", ".##..##.", "..####.."},
    {"..####..", ".##..##.", "##....##", "##....##", ".##...##", "..######", "......##", ".....##.", "....##..", "..###..."},
    {"##....##", "##...##.", ".....##.", "....##..", "...##...", "...##...", "..##....", ".##.....", ".##...##", "##....##"},
};

// Top to bottom the digits warm from cream to gold, like a lit sign.
Color glyphColour(int row) {
  static const Color kRows[10] = {ink::white, ink::cream, ink::cream, ink::yellow, ink::yellow,
                                  ink::yellow, ink::yellow, ink::gold, ink::gold, ink::gold};
  return kRows[row];
}

// One 10 x 12 digit cell: the glyph at (1, 1) with a navy ring around it, on the key colour.
Image digitCell(int glyph) {
  Image c(10, 12);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 8; ++x)
      if (kGlyphs[glyph][y][x] == '#') c.at(x + 1, y + 1) = glyphColour(y);
  finishKeyed(c, {true, false});
  return c;
}

// Digit-style ink on the opaque score bar: only the glyph and its ring, never the key.
void stampGlyph(Image& bar, int glyph, int x, int y) {
  Image c = digitCell(glyph);
  for (int j = 0; j < c.h; ++j)
    for (int i = 0; i < c.w; ++i)
      if (c.at(i, j).r + c.at(i, j).g + c.at(i, j).b > 0) bar.at(x + i, y + j) = c.at(i, j);
}

}  // namespace

Image paintSuuji() {
  Image sheet = keyedSheet(100, 12);
  for (int d = 0; d < 10; ++d) place(sheet, digitCell(d), d * 10, 0);
  return sheet;
}

namespace {

void drawPanel(Image& bar) {
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 640; ++x)
      bar.at(x, y) = mix(rgb(44, 38, 92), rgb(26, 22, 58), y / 31.0f);
  for (int x = 0; x < 640; ++x) {
    bar.at(x, 0) = rgb(86, 76, 150);
    bar.at(x, 30) = rgb(120, 104, 190);
    bar.at(x, 31) = rgb(18, 16, 40);
  }
}

void drawLabels(Image& bar) {
  TextStyle label{Weight::Bold, 12, rgb(206, 196, 250)};
  label.shadow = rgb(14, 12, 34);
  const struct { const char* text; int right; } kLabels[] = {
      {"スコア", 62}, {"ハイスコア", 209}, {"めいちゅう", 356}, {"ミス", 504}};
  for (const auto& l : kLabels)
    drawText(bar, l.text, l.right - textWidth(l.text, Weight::Bold, 12), 7, label);
  // Thin dividers between the groups.
  for (int x : {146, 294, 460})
    for (int y = 6; y < 26; ++y) bar.at(x, y) = rgb(86, 76, 150);
}

void drawGaugeTrough(Image& bar) {
  fillRect(bar, {507, 13, 637, 28}, rgb(120, 104, 190));
  fillRect(bar, {508, 14, 636, 27}, rgb(16, 14, 38));
  for (int x = 510; x < 634; x += 4) bar.at(x, 26) = rgb(60, 52, 110);
}

}  // namespace

Image paintScore() {
  Image bar(640, 32);
  drawPanel(bar);
  drawLabels(bar);
  drawGaugeTrough(bar);
  // The fixed hundreds after the score and the best score: the numbers read as one.
  for (int x : {115, 131, 262, 278}) stampGlyph(bar, 0, x, 10);
  // The hit ratio's decimal point and per-cent sign.
  fillRect(bar, {412, 18, 417, 23}, ink::outline);
  fillRect(bar, {413, 19, 416, 22}, ink::gold);
  stampGlyph(bar, 10, 439, 10);
  return bar;
}

Image paintGage() {
  // One gauge segment, stretched sideways by the game: a glossy pink bar.
  static const Color kRows[9] = {rgb(255, 214, 232), rgb(255, 150, 196), rgb(246, 104, 170),
                                 rgb(236, 80, 150),  rgb(220, 60, 136),  rgb(204, 46, 124),
                                 rgb(180, 36, 110),  rgb(140, 28, 96),   rgb(92, 20, 72)};
  Image img(4, 9);
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 4; ++x) img.at(x, y) = kRows[y];
  return img;
}

Image paintTen() {
  const char* const rows[6] = {".mmmm.", "mppppm", "mpwwpm", "mpwwpm", "mppppm", ".mmmm."};
  Image img = keyedSheet(6, 6);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 6; ++x) {
      char k = rows[y][x];
      if (k != '.') img.at(x, y) = k == 'm' ? ink::magenta : k == 'p' ? ink::pink : ink::white;
    }
  return img;
}

Image paintSelect() {
  // A twinkling star that sits exactly on the title's black squares.
  const char* const rows[9] = {"....w....", "....y....", "...ywy...", "..gwwwg..", "wywwwwwyw",
                               "..gwwwg..", "...ywy...", "....y....", "....w...."};
  Image img(9, 9, kKey);
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 9; ++x) {
      char k = rows[y][x];
      if (k != '.') img.at(x, y) = k == 'w' ? ink::white : k == 'y' ? ink::yellow : ink::gold;
    }
  return img;
}
