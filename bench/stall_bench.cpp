// The machine's own stalls: the same small piece of work, timed as many times as the recorded game has
// ticks. On a virtual machine the host may stop the processor for milliseconds in a way the guest
// counts as the thread's own time; the worst of this row is the floor under any worst tick.
#include <benchmark/benchmark.h>

#include <time.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

constexpr int kTicks = 14000;
constexpr size_t kFrameBytes = 640 * 480 * 4;

double ThreadSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// Each "tick" copies one frame's worth of a 50 MB picture, as drawing the background does.
void BM_MachineStalls(benchmark::State& state) {
  std::vector<char> picture(50 << 20, 1), frame(kFrameBytes);
  std::vector<double> ms(kTicks);
  for (auto _ : state) {
    for (int i = 0; i < kTicks; ++i) {
      double start = ThreadSeconds();
      std::memcpy(frame.data(), picture.data() + (static_cast<size_t>(i) * 4096 * 37) % (picture.size() - kFrameBytes),
                  kFrameBytes);
      benchmark::ClobberMemory();
      ms[i] = (ThreadSeconds() - start) * 1e3;
    }
  }
  std::sort(ms.begin(), ms.end());
  state.counters["median_ms"] = ms[kTicks / 2];
  state.counters["worst_ms"] = ms.back();
}
BENCHMARK(BM_MachineStalls)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
