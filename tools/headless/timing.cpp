// Tick durations from the steady clock, peak memory from getrusage, the bytes the game holds from the
// texture and sound counters. The peak is read after every tick, so a peak inside a tick is seen and
// paired with what the game held at the end of that tick.
#include "tools/headless/timing.h"

#include <sys/resource.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "app/app.h"
#include "platform/gfx.h"
#include "sound/sound.h"

namespace {

double Now() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

double ThreadSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

long Preemptions() {
  rusage usage{};
  getrusage(RUSAGE_THREAD, &usage);
  return usage.ru_nivcsw;
}

long PeakResidentKiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

// The game's scenes by their number; others are reported by number.
std::string SceneName(int scene) {
  switch (scene) {
    case 0: return "title_setup";
    case 1: return "title";
    case 10: return "stage_setup";
    case 11: return "play";
    default: return "scene" + std::to_string(scene);
  }
}

// The value below which a share q of the sorted durations lie (nearest rank).
double Quantile(const std::vector<double>& sorted, double q) {
  size_t rank = static_cast<size_t>(q * static_cast<double>(sorted.size()) + 0.999999);
  return sorted[std::clamp<size_t>(rank, 1, sorted.size()) - 1];
}

// Ticks, median, 99th percentile and worst (with its tick) of one scene by one clock.
void WriteDurations(std::FILE* f, const std::string& name, std::vector<std::pair<double, int64_t>> ms) {
  std::sort(ms.begin(), ms.end());
  std::vector<double> sorted;
  for (const auto& m : ms) sorted.push_back(m.first);
  std::fprintf(f, "%s_ticks %zu\n%s_median_ms %.4f\n%s_p99_ms %.4f\n%s_worst_ms %.4f\n%s_worst_tick %lld\n",
               name.c_str(), sorted.size(), name.c_str(), Quantile(sorted, 0.5), name.c_str(), Quantile(sorted, 0.99),
               name.c_str(), sorted.back(), name.c_str(), static_cast<long long>(ms.back().second));
}

}  // namespace

void TickTimer::Begin() {
  scene_ = g_FrameNo;
  preemptedStart_ = Preemptions();
  wallStart_ = Now();
  cpuStart_ = ThreadSeconds();
}

void TickTimer::End(int64_t tick) {
  double cpu = ThreadSeconds() - cpuStart_, wall = Now() - wallStart_;
  samples_[scene_].push_back(Sample{tick, wall, cpu, Preemptions() - preemptedStart_});
  if (tick == 0) firstFrameEnd_ = wallStart_ + wall;
  NotePeak(tick);
}

void TickTimer::NotePeak(int64_t tick) {
  long peak = PeakResidentKiB();
  if (peak <= peakKiB_) return;
  peakKiB_ = peak;
  heldAtPeak_ = GfxTexture::BytesHeld() + SoundSampleBytes();
  peakTick_ = tick;
}

bool TickTimer::Write(const std::string& path) const {
  std::FILE* f = std::fopen(path.c_str(), "w");
  if (f == nullptr) return false;
  std::fprintf(f, "# tick durations in milliseconds by the scene each tick started in, by the wall clock and\n"
                  "# by the thread's processor time; memory in bytes\n");
  for (int scene = 0; scene < 256; ++scene) {
    if (samples_[scene].empty()) continue;
    std::vector<std::pair<double, int64_t>> wall, cpu;
    for (const Sample& s : samples_[scene]) {
      wall.emplace_back(s.wall * 1e3, s.tick);
      cpu.emplace_back(s.cpu * 1e3, s.tick);
    }
    WriteDurations(f, SceneName(scene) + "_wall", wall);
    WriteDurations(f, SceneName(scene) + "_cpu", cpu);
    // What the slowest tick by the wall clock spent working, and how often other programs interrupted it.
    const std::vector<Sample>& samples = samples_[scene];
    const Sample& slowest = *std::max_element(samples.begin(), samples.end(),
                                              [](const Sample& a, const Sample& b) { return a.wall < b.wall; });
    long preemptedTicks = std::count_if(samples.begin(), samples.end(), [](const Sample& s) { return s.preempted > 0; });
    std::string name = SceneName(scene);
    std::fprintf(f, "%s_wall_worst_cpu_ms %.4f\n%s_wall_worst_preemptions %ld\n%s_preempted_ticks %ld\n",
                 name.c_str(), slowest.cpu * 1e3, name.c_str(), slowest.preempted, name.c_str(), preemptedTicks);
  }
  std::fprintf(f, "peak_resident_bytes %lld\nheld_at_peak_bytes %zu\npeak_tick %lld\n",
               static_cast<long long>(peakKiB_) * 1024, heldAtPeak_, static_cast<long long>(peakTick_));
  // The steady clock is the system's monotonic clock, the same in every process: whoever started this
  // one can tell how long it took to show its first frame.
  std::fprintf(f, "first_frame_end_steady_s %.6f\n", firstFrameEnd_);
  return std::fclose(f) == 0;
}
