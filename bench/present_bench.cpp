// Presenting: the game's own upload of the framebuffer to a streaming texture and its present, per frame.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <vector>

#include "platform/sdl/host_sdl.h"

namespace {

// Each way the game may open its presenter: 0 accelerated with vertical sync, 1 accelerated, 2 software.
void BM_PresentFrame(benchmark::State& state) {
  if (std::getenv("DISPLAY") == nullptr) {
    state.SkipWithError("no DISPLAY to open the window on");
    return;
  }
  SdlHost host;
  if (!host.Init() || !host.CreateMainWindow(nullptr, "hoshikuzu present benchmark", 640, 480, nullptr)) {
    state.SkipWithError(host.Error());
    return;
  }
  if (!host.OpenPresenter(static_cast<int>(state.range(0)))) {
    state.SkipWithError("this way of presenting is not available here");
    host.Shutdown();
    return;
  }
  state.SetLabel(host.RendererName());
  std::vector<uint32_t> frame(640 * 480);
  uint32_t shade = 0;
  for (auto _ : state) {
    for (uint32_t& p : frame) p = 0xFF000000u | shade;  // a new picture each frame, outside the measure
    shade += 0x010203;
    auto start = std::chrono::steady_clock::now();
    host.PresentFrame(frame.data(), 640, 480);
    host.ShowFrame();
    state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  host.Shutdown();
}
BENCHMARK(BM_PresentFrame)->DenseRange(0, 2)->UseManualTime()->Unit(benchmark::kMicrosecond);

}  // namespace
