// Rasterizer speed on a busy frame of play: the scrolling background plus 270 sprites, in frames per second.
#include <benchmark/benchmark.h>

#include <cstring>
#include <random>
#include <vector>

#include "platform/gfx.h"
#include "platform/raster.h"
#include "render/render.h"

namespace {

constexpr int kWidth = 640, kHeight = 480;
constexpr int kSprites = 270;

struct Sprite {
  int texture;     // index into the sprite textures
  float x, y, w, h;
  float dx, dy;    // movement per frame, so that no two frames draw the same pixels
  uint32_t color;  // opaque white for keyed sprites, translucent for the others
};

std::vector<uint32_t> Noise(int n, std::mt19937& rng, uint32_t alphaMask) {
  std::vector<uint32_t> texels(n);
  for (uint32_t& t : texels) t = (static_cast<uint32_t>(rng()) & 0x00FFFFFFu) | alphaMask;
  return texels;
}

// A sprite sheet as the colour key leaves it: opaque picture on a transparent ground.
std::vector<uint32_t> KeyedSheet(int w, int h, std::mt19937& rng) {
  std::vector<uint32_t> texels = Noise(w * h, rng, 0xFF000000u);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      int dx = x % 48 - 24, dy = y - h / 2;
      if (dx * dx + dy * dy > 20 * 20) texels[y * w + x] = 0;
    }
  }
  return texels;
}

// The scene: a 640 × 960 background scrolled by v, half of the sprites keyed and opaque (ship, enemies,
// shots), the other half translucent through their vertex alpha (explosions, weather, the fading
// ending).
struct Scene {
  std::vector<GfxTexture> textures;
  std::vector<Sprite> sprites;
  Scene() {
    std::mt19937 rng(60);
    textures.reserve(4);
    textures.emplace_back(640, 960, Noise(640 * 960, rng, 0xFF000000u));
    textures.emplace_back(384, 48, KeyedSheet(384, 48, rng));
    textures.emplace_back(96, 32, KeyedSheet(96, 32, rng));
    textures.emplace_back(12, 12, Noise(12 * 12, rng, 0xFF000000u));
    std::uniform_real_distribution<float> x(-20, 640), y(-20, 480), step(-3, 3);
    const float sizes[][2] = {{48, 48}, {16, 16}, {8, 8}, {12, 12}};
    for (int i = 0; i < kSprites; ++i) {
      int kind = i % 4;
      bool translucent = i % 2 == 1;
      uint32_t alpha = translucent ? (64 + rng() % 160) << 24 : 0xFF000000u;
      sprites.push_back(Sprite{1 + kind % 3, x(rng), y(rng), sizes[kind][0], sizes[kind][1], step(rng), step(rng),
                               alpha | 0x00FFFFFFu});
    }
  }
};

void DrawFrame(const Canvas& canvas, const Scene& scene, int frame) {
  SpriteQuad q;
  float scroll = -0.0001f * static_cast<float>(frame);
  SetQuad(q, -0.5f, -0.5f, 639.5f, 479.5f, 0, scroll, 1, scroll + 0.5f);
  DrawQuad(canvas, scene.textures[0].View(), q.v);
  for (const Sprite& s : scene.sprites) {
    float x = s.x + s.dx * static_cast<float>(frame % 200), y = s.y + s.dy * static_cast<float>(frame % 200);
    SetQuad(q, x - 0.5f, y - 0.5f, x + s.w - 0.5f, y + s.h - 0.5f, 0, 0, 0.125f, 1, s.color);
    DrawQuad(canvas, scene.textures[s.texture].View(), q.v);
  }
}

void BM_PlayFrame(benchmark::State& state) {
  Scene scene;
  std::vector<uint32_t> pixels(kWidth * kHeight, 0xFF000000u);
  Canvas canvas{pixels.data(), kWidth, kHeight, kWidth};
  int frame = 0;
  for (auto _ : state) {
    DrawFrame(canvas, scene, frame++);
    benchmark::DoNotOptimize(pixels.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations());
  state.counters["frames_per_s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PlayFrame)->Unit(benchmark::kMicrosecond);

// The reference: copying one 640 × 480 frame, the least any frame costs on this machine.
void BM_FrameCopyReference(benchmark::State& state) {
  std::vector<uint32_t> from(kWidth * kHeight, 0xFF102030u), to(kWidth * kHeight);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), from.size() * sizeof(uint32_t));
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FrameCopyReference)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
