// From process start to the end of the first title frame: the headless runner, and the game's window.
#include <benchmark/benchmark.h>

#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "bench/spawn.h"

namespace {

double Seconds(const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6; }

// The value of the "name value" line called name in the file at path.
bool ReadValue(const std::string& path, const std::string& name, double* value) {
  std::ifstream in(path);
  std::string key;
  while (in >> key) {
    if (key == name) return static_cast<bool>(in >> *value);
    std::getline(in, key);
  }
  return false;
}

double Now() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// The runner's timing report gives the steady clock at the end of tick 0, the title's first frame; the
// processor time of the whole child, teardown included, does not depend on how busy the machine is.
void BM_StartToFirstFrameHeadless(benchmark::State& state) {
  std::string report = std::string(std::getenv("TMPDIR") != nullptr ? std::getenv("TMPDIR") : "/tmp") +
                       "/hoshikuzu-start-" + std::to_string(getpid()) + ".txt";
  double cpu = 0;
  for (auto _ : state) {
    Child child;
    double start = Now();
    if (!Spawn(HOSHIKUZU_HEADLESS_PATH, {"hoshikuzu-headless", "--frames", "1", "--quiet", "--timing", report}, {}, 1,
               &child)) {
      state.SkipWithError("cannot start hoshikuzu-headless");
      return;
    }
    rusage usage{};
    double end = 0;
    if (Finish(child, &usage) != 0 || !ReadValue(report, "first_frame_end_steady_s", &end)) {
      state.SkipWithError("hoshikuzu-headless failed");
      return;
    }
    state.SetIterationTime(end - start);
    cpu += Seconds(usage.ru_utime) + Seconds(usage.ru_stime);
  }
  std::remove(report.c_str());
  state.counters["process_cpu_ms"] = cpu / static_cast<double>(state.iterations()) * 1e3;
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
