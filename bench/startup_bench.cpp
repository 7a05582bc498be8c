// From process start to the end of the first title frame: the headless runner, and the game's window.
#include <benchmark/benchmark.h>

#include <signal.h>

#include <chrono>
#include <cstdlib>

#include "bench/spawn.h"

namespace {

double Now() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// The runner prints tick 0's state line right after the title's first frame.
void BM_StartToFirstFrameHeadless(benchmark::State& state) {
  for (auto _ : state) {
    Child child;
    double start = Now();
    if (!Spawn(HOSHIKUZU_HEADLESS_PATH, {"hoshikuzu-headless", "--frames", "1", "--state", "0", "--quiet"}, {}, 1,
               &child)) {
      state.SkipWithError("cannot start hoshikuzu-headless");
      return;
    }
    std::string line;
    bool shown = ReadLine(child, &line);
    state.SetIterationTime(Now() - start);
    if (Finish(child) != 0 || !shown) {
      state.SkipWithError("hoshikuzu-headless failed");
      return;
    }
  }
}
BENCHMARK(BM_StartToFirstFrameHeadless)->Iterations(10)->UseManualTime()->Unit(benchmark::kMillisecond);

// With HOSHIKUZU_TIMING set, the game says on standard error when its first frame is on the screen.
void BM_StartToFirstFrameWindowed(benchmark::State& state) {
  if (std::getenv("DISPLAY") == nullptr) {
    state.SkipWithError("no DISPLAY to open the window on");
    return;
  }
  for (auto _ : state) {
    Child child;
    double start = Now();
    if (!Spawn(HOSHIKUZU_GAME_PATH, {"hoshikuzu"}, {"HOSHIKUZU_TIMING=1", "SDL_AUDIODRIVER=dummy"}, 2, &child)) {
      state.SkipWithError("cannot start hoshikuzu");
      return;
    }
    std::string line;
    bool shown = false;
    while (!shown && ReadLine(child, &line)) shown = line.find("first frame") != std::string::npos;
    state.SetIterationTime(Now() - start);
    kill(child.pid, SIGTERM);
    Finish(child);
    if (!shown) {
      state.SkipWithError("hoshikuzu showed no first frame");
      return;
    }
  }
}
BENCHMARK(BM_StartToFirstFrameWindowed)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
