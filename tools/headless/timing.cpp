// Tick durations from the steady clock, peak memory from getrusage, the bytes the game holds from the
// texture and sound counters. The peak is read after every tick, so a peak inside a tick is seen and
// paired with what the game held at the end of that tick.
#include "tools/headless/timing.h"

#include <sys/resource.h>

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

}  // namespace

void TickTimer::Begin() {
  scene_ = g_FrameNo;
  start_ = Now();
}

void TickTimer::End(int64_t tick) {
  double seconds = Now() - start_;
  samples_[scene_].push_back(Sample{tick, seconds});
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
  std::fprintf(f, "# tick durations in milliseconds by the scene each tick started in; memory in bytes\n");
  for (int scene = 0; scene < 256; ++scene) {
    const std::vector<Sample>& samples = samples_[scene];
    if (samples.empty()) continue;
    std::vector<double> ms;
    for (const Sample& s : samples) ms.push_back(s.seconds * 1e3);
    auto worst = std::max_element(samples.begin(), samples.end(),
                                  [](const Sample& a, const Sample& b) { return a.seconds < b.seconds; });
    std::sort(ms.begin(), ms.end());
    std::string name = SceneName(scene);
    std::fprintf(f, "%s_ticks %zu\n%s_median_ms %.4f\n%s_p99_ms %.4f\n%s_worst_ms %.4f\n%s_worst_tick %lld\n",
                 name.c_str(), ms.size(), name.c_str(), Quantile(ms, 0.5), name.c_str(), Quantile(ms, 0.99),
                 name.c_str(), ms.back(), name.c_str(), static_cast<long long>(worst->tick));
  }
  std::fprintf(f, "peak_resident_bytes %lld\nheld_at_peak_bytes %zu\npeak_tick %lld\n",
               static_cast<long long>(peakKiB_) * 1024, heldAtPeak_, static_cast<long long>(peakTick_));
  return std::fclose(f) == 0;
}
