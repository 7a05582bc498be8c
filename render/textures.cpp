// The texture catalogue: every picture of the game, the handle it loads into, and when.
#include <string>

#include "app/app.h"
#include "platform/random.h"
#include "platform/resources.h"
#include "render/render.h"
#include "title/title.h"

GfxTexture* g_TexTitle = nullptr;
GfxTexture* g_TexSelect = nullptr;
GfxTexture* g_TexBack = nullptr;
GfxTexture* g_TexJiki = nullptr;
GfxTexture* g_TexGas = nullptr;
GfxTexture* g_TexTama = nullptr;
GfxTexture* g_TexJikiBaku = nullptr;
GfxTexture* g_TexJikiDanBaku = nullptr;
GfxTexture* g_TexTeki1 = nullptr;
GfxTexture* g_TexTekiBaku1 = nullptr;
GfxTexture* g_TexTekiDan1 = nullptr;
GfxTexture* g_TexTeki2 = nullptr;
GfxTexture* g_TexTeki3 = nullptr;
GfxTexture* g_TexTekiDan2 = nullptr;
GfxTexture* g_TexTekiDan2Baku = nullptr;
GfxTexture* g_TexTeki4 = nullptr;
GfxTexture* g_TexTeki41 = nullptr;
GfxTexture* g_TexTeki4Baku = nullptr;
GfxTexture* g_TexTekiDan3 = nullptr;
GfxTexture* g_TexSuuji = nullptr;
GfxTexture* g_TexGage = nullptr;
GfxTexture* g_TexScore = nullptr;
GfxTexture* g_TexShutter = nullptr;
GfxTexture* g_TexGraph = nullptr;
GfxTexture* g_TexTen = nullptr;
GfxTexture* g_TexWeather = nullptr;
GfxTexture* g_TexEnding = nullptr;

namespace {

constexpr TextureFormat kFull = TextureFormat::A8R8G8B8;
constexpr TextureFormat kOneBit = TextureFormat::A1R5G5B5;
constexpr uint32_t kKey = kBlackColorKey;
constexpr uint32_t kNoKey = kNoColorKey;

struct CatalogueRow {
  GfxTexture** handle;   // where the texture goes
  int id;                // its picture resource
  const char* name;      // the picture's name, for the failure message
  TextureFormat format;  // how its colours are kept
  uint32_t colorKey;     // opaque black made transparent, or none
};

constexpr CatalogueRow kTitleGroup[] = {
    {&g_TexTitle, 101, "title.png", kFull, kNoKey},
    {&g_TexSelect, 103, "select.png", kFull, kNoKey},
};

constexpr CatalogueRow kPlayGroup[] = {
    {&g_TexJiki, 119, "jiki.png", kOneBit, kKey},
    {&g_TexGas, 118, "gas.png", kOneBit, kKey},
    {&g_TexTama, 122, "tama.png", kOneBit, kKey},
    {&g_TexJikiBaku, 120, "jikibaku.png", kOneBit, kKey},
    {&g_TexJikiDanBaku, 121, "jikidanbaku.png", kOneBit, kKey},
    {&g_TexTeki1, 123, "teki1.png", kOneBit, kKey},
    {&g_TexTekiBaku1, 129, "tekibaku1.png", kOneBit, kKey},
    {&g_TexTekiDan1, 130, "tekidan1.png", kOneBit, kKey},
    {&g_TexTeki2, 124, "teki2.png", kOneBit, kKey},
    {&g_TexTeki3, 125, "teki3.png", kOneBit, kKey},
    {&g_TexTekiDan2, 131, "tekidan2.png", kOneBit, kKey},
    {&g_TexTekiDan2Baku, 132, "tekidan2baku.png", kOneBit, kKey},
    {&g_TexTeki4, 126, "teki4.png", kOneBit, kKey},
    {&g_TexTeki41, 128, "teki41.png", kOneBit, kKey},
    {&g_TexTeki4Baku, 127, "teki4baku.png", kOneBit, kKey},
    {&g_TexTekiDan3, 133, "tekidan3.png", kOneBit, kKey},
    {&g_TexSuuji, 116, "suuji.png", kOneBit, kKey},
    {&g_TexGage, 111, "gage.png", kFull, kNoKey},
    {&g_TexScore, 113, "score.png", kFull, kNoKey},
    {&g_TexShutter, 115, "shutter2.png", kOneBit, kKey},
    {&g_TexGraph, 112, "graph.png", kFull, kNoKey},
    {&g_TexTen, 117, "ten.png", kOneBit, kKey},
};

// The weather picture by stage; stage 3 has none.
constexpr CatalogueRow kWeatherRows[] = {
    {&g_TexWeather, 174, "fuusen.png", kOneBit, kKey},
    {&g_TexWeather, 175, "ame.png", kFull, kNoKey},
    {&g_TexWeather, 176, "yuki.png", kOneBit, kKey},
};

constexpr int kFirstEnding = 155;
constexpr int kEndingCount = 18;

void Release(GfxTexture*& texture) {
  if (texture == nullptr) return;
  texture->Release();
  texture = nullptr;
}

GfxTexture* CreateTexture(int id, TextureFormat format, uint32_t colorKey) {
  if (g_Device == nullptr) return nullptr;
  return g_Device->CreateTexture(FindResource("RCDATA", id), format, colorKey);
}

bool LoadInto(GfxTexture*& handle, int id, TextureFormat format, uint32_t colorKey, const std::string& failure) {
  Release(handle);
  handle = CreateTexture(id, format, colorKey);
  if (handle == nullptr) ShowError(failure.c_str());
  return handle != nullptr;
}

bool LoadRow(const CatalogueRow& row) {
  return LoadInto(*row.handle, row.id, row.format, row.colorKey,
                  std::string(row.name) + " をテクスチャとして読み込めませんでした");
}

// Loads the rows in order; the first failure ends the group.
template <size_t N>
bool LoadGroup(const CatalogueRow (&rows)[N]) {
  for (const CatalogueRow& row : rows) {
    if (!LoadRow(row)) return false;
  }
  return true;
}

}  // namespace

GfxTexture* CreateTextureFromResource(int id) { return CreateTexture(id, kFull, kNoKey); }

void LoadTitleTextures() { LoadGroup(kTitleGroup); }

void ReleaseTitleTextures() {
  Release(g_TexTitle);
  Release(g_TexSelect);
}

void LoadGameTextures() {
  if (!LoadGroup(kPlayGroup)) return;
  if (g_StageNo >= 0 && g_StageNo < 3 && !LoadRow(kWeatherRows[g_StageNo])) return;
  // The ending is chosen once per run from the title and kept across restarts.
  int id = kFirstEnding + Rand() % kEndingCount;
  LoadInto(g_TexEnding, id, kFull, kNoKey, "エンディング画像をテクスチャとして読み込めませんでした");
}

void ReleaseAllTextures() {
  GfxTexture** order[] = {
      &g_TexBack, &g_TexTitle,
      &g_TexJiki, &g_TexGas, &g_TexTama, &g_TexJikiBaku, &g_TexJikiDanBaku,
      &g_TexTeki1, &g_TexTekiBaku1, &g_TexTekiDan1, &g_TexTeki2, &g_TexTeki3, &g_TexTekiDan2,
      &g_TexTekiDan2Baku, &g_TexTeki4, &g_TexTeki41, &g_TexTeki4Baku, &g_TexTekiDan3,
      &g_TexSuuji, &g_TexGage, &g_TexScore,
      &g_TexWeather, &g_TexShutter, &g_TexGraph, &g_TexSelect, &g_TexTen, &g_TexEnding,
  };
  for (GfxTexture** handle : order) Release(*handle);
}
