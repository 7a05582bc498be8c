// The list of every picture the generator makes: file, size, format, key and cell grid.
#include "catalogue.h"

#include <cstdio>

#include "art.h"

namespace {

std::vector<Cell> columns(int n, float width = 0) {
  if (width == 0) width = 1.0f / n;
  std::vector<Cell> out;
  for (int i = 0; i < n; ++i) out.push_back({i * width, 0, i * width + width, 1});
  return out;
}

// The exhaust's two flicker rows, by direction.
const std::vector<Cell> kGasCells = {
    {0, 0, 0.09f, 0.5f},          {0.09f, 0, 0.23f, 0.33f},     {0.23f, 0, 0.31f, 0.5f},
    {0.31f, 0, 0.43f, 0.33f},     {0.43f, 0, 0.5632f, 0.458f},  {0.5632f, 0, 0.69f, 0.458f},
    {0.69f, 0, 0.816f, 0.458f},   {0.816f, 0, 0.948f, 0.458f},  {0, 0.5f, 0.0977f, 1},
    {0.0977f, 0.5f, 0.24f, 0.83f}, {0.24f, 0.5f, 0.339f, 1},    {0.339f, 0.5f, 0.48f, 0.83f},
    {0.482f, 0.5f, 0.609f, 1},    {0.609f, 0.5f, 0.741f, 1},    {0.741f, 0.5f, 0.862f, 1},
    {0.862f, 0.5f, 1, 1},
};

const std::vector<Cell> kShotCells = {
    {0, 0, 0.2f, 1}, {0.2f, 0, 0.475f, 0.66f}, {0.5f, 0, 0.725f, 0.75f}, {0.75f, 0, 1, 0.75f}};

const std::vector<Cell> kBulletCells = {
    {0, 0, 0.125f, 0.75f},       {0.125f, 0, 0.25f, 0.375f}, {0.25f, 0, 0.375f, 0.375f},
    {0.375f, 0, 0.5416f, 0.5f},  {0.5416f, 0, 0.666f, 0.375f}, {0.666f, 0, 1, 1}};

const std::vector<Cell> kMissileCells = {
    {0, 0, 0.18181f, 0.5f},            {0.18181f, 0, 0.45454f, 0.33333f},
    {0, 0.5f, 0.18181f, 1},            {0.18181f, 0.33333f, 0.45454f, 0.66666f},
    {0.45454f, 0, 0.72727f, 0.5f},     {0.72727f, 0, 1, 0.5f},
    {0.45454f, 0.5f, 0.72727f, 1},     {0.72727f, 0.5f, 1, 1}};

const std::vector<Cell> kBossPartCells = {{0, 0, 0.6f, 1}, {0.6f, 0, 1, 0.66666f}};

// The title's four stage squares, where the cursor lands.
const std::vector<Cell> kTitleSquares = {
    {202 / 640.f, 255 / 480.f, 211 / 640.f, 264 / 480.f},
    {202 / 640.f, 269 / 480.f, 211 / 640.f, 278 / 480.f},
    {202 / 640.f, 283 / 480.f, 211 / 640.f, 292 / 480.f},
    {202 / 640.f, 297 / 480.f, 211 / 640.f, 306 / 480.f}};

std::vector<Cell> scoreSlots() {
  // Digit slots 10 wide at y 10..22, and the gauge.
  const int xs[] = {67, 83, 99, 214, 230, 246, 361, 377, 393, 425};
  std::vector<Cell> out;
  for (int x : xs) out.push_back({x / 640.f, 10 / 32.f, (x + 10) / 640.f, 22 / 32.f});
  out.push_back({510 / 640.f, 16 / 32.f, 634 / 640.f, 25 / 32.f});
  return out;
}

std::vector<Picture> buildCatalogue() {
  using F = Format;
  std::vector<Picture> list = {
      {"title.png", 640, 480, F::PngRgba, false, paintTitle, kTitleSquares},
      {"select.png", 9, 9, F::PngRgb, false, paintSelect, {}},
      {"back0.png", 640, 19680, F::PngRgb, false, paintBackSunny, {}},
      // The misty stage is thick with treetops and reeds; a little lower quality keeps it near 1.8 MB.
      {"back1.jpg", 640, 19680, F::Jpeg, false, paintBackFog, {}, 80},
      {"back2.jpg", 640, 19680, F::Jpeg, false, paintBackNeedle, {}, 86},
      {"back3.jpg", 640, 19680, F::Jpeg, false, paintBackMosaic, {}, 86},
      {"gage.png", 4, 9, F::PngRgba, false, paintGage, {}},
      {"graph.png", 600, 320, F::PngRgba, false, paintGraph, {}},
      {"score.png", 640, 32, F::PngRgba, false, paintScore, scoreSlots()},
      {"shutter2.png", 640, 960, F::PngRgba, true, paintShutter, {{0, 0, 1, 0.5f}}},
      {"suuji.png", 100, 12, F::PngRgba, true, paintSuuji, columns(10)},
      {"ten.png", 6, 6, F::PngRgba, true, paintTen, {}},
      {"gas.png", 174, 48, F::PngRgb, true, paintGas, kGasCells},
      {"jiki.png", 384, 48, F::PngRgba, true, paintJiki, columns(8)},
      {"jikibaku.png", 144, 48, F::PngRgb, true, paintJikiBaku, columns(3)},
      {"jikidanbaku.png", 128, 16, F::PngRgba, true, paintJikiDanBaku, columns(8)},
      {"tama.png", 40, 12, F::PngRgb, true, paintTama, kShotCells},
      {"teki1.png", 384, 48, F::PngRgba, true, paintTeki1, columns(8)},
      {"teki2.png", 288, 48, F::PngRgba, true, paintTeki2, columns(6)},
      {"teki3.png", 384, 48, F::PngRgba, true, paintTeki3, columns(8)},
      {"teki4.png", 256, 64, F::PngRgba, true, paintTeki4, columns(4)},
      {"teki4baku.png", 192, 64, F::PngRgba, true, paintTeki4Baku, columns(3)},
      {"teki41.png", 40, 24, F::PngRgba, true, paintTeki41, kBossPartCells},
      {"tekibaku1.png", 144, 48, F::PngRgb, true, paintTekiBaku1, columns(3)},
      {"tekidan1.png", 96, 32, F::PngRgba, true, paintTekiDan1, kBulletCells},
      {"tekidan2.png", 88, 48, F::PngRgb, true, paintTekiDan2, kMissileCells},
      {"tekidan2baku.png", 32, 32, F::PngRgba, true, paintTekiDan2Baku, {}},
      {"tekidan3.png", 256, 32, F::PngRgb, true, paintTekiDan3, columns(8)},
      {"fuusen.png", 48, 64, F::PngRgba, true, paintFuusen, {}},
      {"ame.png", 1, 16, F::PngRgba, false, paintAme, {}},
      {"yuki.png", 12, 12, F::PngRgba, true, paintYuki, {}},
  };
  for (int n = 0; n < kEndingCount; ++n) {
    char name[32];
    std::snprintf(name, sizeof name, "ending%02d.jpg", n);
    list.push_back({name, 640, 480, F::Jpeg, false, [n] { return paintEnding(n); }, {}, 90});
  }
  return list;
}

}  // namespace

const std::vector<Picture>& pictureCatalogue() {
  static const std::vector<Picture> list = buildCatalogue();
  return list;
}
