// The drawing of a worst-case play frame, by our rasterizer and by SDL's own software renderer.
//
// Both draw the same 273 quads with the game's real pictures, decoded and converted as the texture
// catalogue does: the background, the ship and its flame, 10 enemies, 40 enemy bullets, 18 shots, 160
// snowflakes of varying size and alpha, the score bar, 10 digits and 31 gauge segments.
#include <benchmark/benchmark.h>

#include <SDL.h>

#include <time.h>

#include <cmath>
#include <memory>
#include <random>
#include <vector>

#include "platform/gfx.h"
#include "platform/resources.h"
#include "render/render.h"

namespace {

constexpr int kWidth = GfxDevice::kWidth, kHeight = GfxDevice::kHeight;
constexpr TextureFormat kFull = TextureFormat::A8R8G8B8, kOneBit = TextureFormat::A1R5G5B5;

// The pictures of stage 2, whose snow is the heaviest weather, with the catalogue's format and key.
struct PictureRow {
  int id;
  TextureFormat format;
  uint32_t colorKey;
};
enum Picture { kBack, kJiki, kGas, kTeki1, kTekiDan1, kTama, kYuki, kScore, kSuuji, kGage, kPictures };
constexpr PictureRow kPictureRows[kPictures] = {
    {109, kFull, kNoColorKey},     {119, kOneBit, kBlackColorKey}, {118, kOneBit, kBlackColorKey},
    {123, kOneBit, kBlackColorKey}, {130, kOneBit, kBlackColorKey}, {122, kOneBit, kBlackColorKey},
    {176, kOneBit, kBlackColorKey}, {113, kFull, kNoColorKey},     {116, kOneBit, kBlackColorKey},
    {111, kFull, kNoColorKey},
};

// One quad of the frame: which picture, where (whole pixels, as the game places them) and which part.
struct Draw {
  Picture picture;
  float left, top, width, height;
  float u0, v0, u1, v1;
  uint32_t color;
};

// The enemy bullets' cells in tekidan1.png and their sizes on screen, by bullet type.
struct BulletCell {
  float u0, v0, u1, v1, width, height;
};
constexpr BulletCell kBulletCells[6] = {
    {0, 0, 0.125f, 0.75f, 12, 24},      {0.125f, 0, 0.25f, 0.375f, 12, 12}, {0.25f, 0, 0.375f, 0.375f, 12, 12},
    {0.375f, 0, 0.5416f, 0.5f, 16, 16}, {0.5416f, 0, 0.666f, 0.375f, 12, 12}, {0.666f, 0, 1, 1, 32, 32},
};
constexpr float kDigitX[10] = {67, 83, 99, 361, 377, 393, 425, 214, 230, 246};

std::vector<Draw> WorstFrame() {
  std::mt19937 rng(273);
  auto at = [&](int range) { return static_cast<float>(rng() % range); };
  std::vector<Draw> draws;
  draws.push_back({kBack, 0, 0, 640, 19680, 0, 0.5f, 1, 1.5f, kOpaqueWhite});
  draws.push_back({kJiki, 296, 408, 48, 48, 0.125f, 0, 0.25f, 1, kOpaqueWhite});
  draws.push_back({kGas, 312, 456, 16, 24, 0, 0, 0.09f, 0.5f, kOpaqueWhite});
  for (int k = 0; k < 10; ++k) {
    float u = (k % 4) * 0.25f;
    draws.push_back({kTeki1, at(593), 32 + at(300), 48, 48, u, 0, u + 0.125f, 1, kOpaqueWhite});
  }
  for (int k = 0; k < 40; ++k) {
    const BulletCell& c = kBulletCells[k % 6];
    draws.push_back({kTekiDan1, at(600), 40 + at(400), c.width, c.height, c.u0, c.v0, c.u1, c.v1, kOpaqueWhite});
  }
  for (int k = 0; k < 18; ++k) draws.push_back({kTama, at(630), 40 + at(420), 8, 12, 0, 0, 0.2f, 1, kOpaqueWhite});
  for (int k = 0; k < 160; ++k) {
    float size = static_cast<float>(4 + rng() % 9);
    uint32_t alpha = 1 + rng() % 255;
    draws.push_back({kYuki, at(625), 32 + at(430), size, size, 0, 0, 1, 1, alpha << 24 | 0xFFFFFFu});
  }
  draws.push_back({kScore, 0, 0, 640, 32, 0, 0, 1, 1, kOpaqueWhite});
  for (int k = 0; k < 10; ++k) {
    float u = (k % 10) * 0.1f;
    draws.push_back({kSuuji, kDigitX[k], 10, 10, 12, u, 0, u + 0.1f, 1, kOpaqueWhite});
  }
  for (int m = 0; m < 31; ++m) {
    draws.push_back({kGage, 630.0f - 4 * m, 16, 4.0f + 4 * m, 9, 0, 0, 1, 1, kOpaqueWhite});
  }
  return draws;
}

// The game's pictures as our device's textures, made the way the texture catalogue makes them.
struct OurPictures {
  GfxDevice device{0};
  std::unique_ptr<GfxTexture, void (*)(GfxTexture*)> textures[kPictures] = {
      {nullptr, nullptr}, {nullptr, nullptr}, {nullptr, nullptr}, {nullptr, nullptr}, {nullptr, nullptr},
      {nullptr, nullptr}, {nullptr, nullptr}, {nullptr, nullptr}, {nullptr, nullptr}, {nullptr, nullptr}};
  OurPictures() {
    for (int p = 0; p < kPictures; ++p) {
      const PictureRow& row = kPictureRows[p];
      textures[p] = {device.CreateTexture(FindResource("RCDATA", row.id), row.format, row.colorKey),
                     [](GfxTexture* t) { t->Release(); }};
    }
  }
};

// Our device drawing the frame as the game does: clear, begin, one texture and quad at a time, end.
struct OurFrame {
  OurPictures pictures;
  std::vector<Draw> draws = WorstFrame();
  std::vector<SpriteQuad> quads;
  OurFrame() {
    for (const Draw& d : draws) {
      SpriteQuad q;
      // Half a pixel up and left, as the game's sprites are stored, lands each texel on a pixel.
      SetQuad(q, d.left - 0.5f, d.top - 0.5f, d.left + d.width - 0.5f, d.top + d.height - 0.5f, d.u0, d.v0, d.u1,
              d.v1, d.color);
      quads.push_back(q);
    }
  }
  void DrawOnce() {
    GfxDevice& device = pictures.device;
    device.Clear(0xFF000000u);
    device.BeginScene();
    for (size_t i = 0; i < draws.size(); ++i) {
      device.SetTexture(pictures.textures[draws[i].picture].get());
      device.DrawQuad(quads[i].v);
    }
    device.EndScene();
    benchmark::DoNotOptimize(device.Pixels());
    benchmark::ClobberMemory();
  }
};

// The same pictures as textures of SDL's software renderer drawing into a 640 × 480 ARGB surface.
struct SdlPictures {
  SDL_Surface* surface = nullptr;
  SDL_Renderer* renderer = nullptr;
  SDL_Texture* textures[kPictures] = {};
  bool opaque[kPictures] = {};
  int width[kPictures] = {}, height[kPictures] = {};
  SdlPictures() {
    surface = SDL_CreateRGBSurfaceWithFormat(0, kWidth, kHeight, 32, SDL_PIXELFORMAT_ARGB8888);
    renderer = surface != nullptr ? SDL_CreateSoftwareRenderer(surface) : nullptr;
    if (renderer == nullptr) return;
    OurPictures ours;
    for (int p = 0; p < kPictures; ++p) {
      const GfxTexture* t = ours.textures[p].get();
      width[p] = t->Width(), height[p] = t->Height(), opaque[p] = t->View().opaque;
      textures[p] = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC, width[p], height[p]);
      SDL_UpdateTexture(textures[p], nullptr, t->Texels().data(), width[p] * 4);
      SDL_SetTextureScaleMode(textures[p], SDL_ScaleModeNearest);
    }
  }
  ~SdlPictures() {
    for (SDL_Texture* t : textures) {
      if (t != nullptr) SDL_DestroyTexture(t);
    }
    if (renderer != nullptr) SDL_DestroyRenderer(renderer);
    if (surface != nullptr) SDL_FreeSurface(surface);
  }
};

// The pixels our rule covers, [ceil(l), ceil(r)), and the texel rectangle, for SDL's whole-pixel copies.
struct SdlCopy {
  int picture;
  SDL_Rect source, target;
  uint8_t alpha;
  SDL_BlendMode blend;
};

SdlCopy ToSdlCopy(const Draw& d, const SdlPictures& sdl) {
  int w = sdl.width[d.picture], h = sdl.height[d.picture];
  SdlCopy c;
  c.picture = d.picture;
  c.source = {static_cast<int>(std::lround(d.u0 * w)), static_cast<int>(std::lround(d.v0 * h)),
              static_cast<int>(std::lround((d.u1 - d.u0) * w)), static_cast<int>(std::lround((d.v1 - d.v0) * h))};
  c.target = {static_cast<int>(d.left), static_cast<int>(d.top), static_cast<int>(d.width), static_cast<int>(d.height)};
  // The background's visible rows only: SDL has no repeat, and draws what we draw.
  if (d.picture == kBack) c.source.h = kHeight, c.target.h = kHeight;
  c.alpha = static_cast<uint8_t>(d.color >> 24);
  // SDL is given every advantage: an opaque picture at full alpha is copied without blending.
  c.blend = sdl.opaque[d.picture] && c.alpha == 255 ? SDL_BLENDMODE_NONE : SDL_BLENDMODE_BLEND;
  return c;
}

// SDL's software renderer drawing the same quads; it draws its queued copies when flushed.
struct SdlFrame {
  SdlPictures sdl;
  std::vector<SdlCopy> copies;
  SdlFrame() {
    if (sdl.renderer == nullptr) return;
    for (const Draw& d : WorstFrame()) copies.push_back(ToSdlCopy(d, sdl));
  }
  void DrawOnce() {
    for (const SdlCopy& c : copies) {
      SDL_Texture* t = sdl.textures[c.picture];
      SDL_SetTextureBlendMode(t, c.blend);
      SDL_SetTextureAlphaMod(t, c.alpha);
      SDL_RenderCopy(sdl.renderer, t, &c.source, &c.target);
    }
    SDL_RenderFlush(sdl.renderer);
    benchmark::DoNotOptimize(sdl.surface->pixels);
    benchmark::ClobberMemory();
  }
};

// The share of pixels where the two frames differ by more than rounding (2 in any channel): a check that
// the reference draws the same picture.
double DifferingShare(const uint32_t* ours, const SDL_Surface* reference) {
  int differing = 0;
  for (int y = 0; y < kHeight; ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(reference->pixels) + y * reference->pitch);
    for (int x = 0; x < kWidth; ++x) {
      uint32_t a = ours[y * kWidth + x], b = row[x];
      bool same = true;
      for (int shift = 0; shift < 24; shift += 8) {
        int d = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
        same = same && d >= -2 && d <= 2;
      }
      differing += !same;
    }
  }
  return static_cast<double>(differing) / (kWidth * kHeight);
}

double ThreadSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// The two draw in turns, each timed by this thread's processor time, so that both meet the same load
// of a shared machine and the ratio holds when the absolute times do not.
void BM_WorstFrame(benchmark::State& state) {
  OurFrame ours;
  SdlFrame reference;
  if (reference.sdl.renderer == nullptr) {
    state.SkipWithError(SDL_GetError());
    return;
  }
  ours.DrawOnce();
  reference.DrawOnce();
  state.counters["differing_pixels_pct"] = 100 * DifferingShare(ours.pictures.device.Pixels(), reference.sdl.surface);
  double oursTotal = 0, referenceTotal = 0;
  for (auto _ : state) {
    double start = ThreadSeconds();
    ours.DrawOnce();
    double middle = ThreadSeconds();
    reference.DrawOnce();
    double end = ThreadSeconds();
    state.SetIterationTime(middle - start);
    oursTotal += middle - start;
    referenceTotal += end - middle;
  }
  double n = static_cast<double>(state.iterations());
  state.counters["ours_us"] = oursTotal / n * 1e6;
  state.counters["sdl_us"] = referenceTotal / n * 1e6;
  state.counters["ratio"] = oursTotal / referenceTotal;
  state.counters["quads"] = static_cast<double>(ours.draws.size());
}
BENCHMARK(BM_WorstFrame)->UseManualTime()->Unit(benchmark::kMicrosecond);

}  // namespace
