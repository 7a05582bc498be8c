// The runner's --timing report: how long each tick took, by scene, and the run's peak memory. Ticks are
// timed both by the clock on the wall and by the processor time the game's thread used: on a shared
// machine the first also counts the time other programs had the processor.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class TickTimer {
 public:
  // Around each tick's frame; the scene is the one the tick starts in.
  void Begin();
  void End(int64_t tick);
  // Writes the report as "name value" lines; false if the file could not be written.
  bool Write(const std::string& path) const;

 private:
  struct Sample {
    int64_t tick;
    double wall, cpu;  // seconds on the steady clock and of this thread's processor time
    long preempted;    // times the thread was made to give the processor to another during the tick
  };
  void NotePeak(int64_t tick);

  int scene_ = 0;
  double wallStart_ = 0, cpuStart_ = 0;
  long preemptedStart_ = 0;
  std::vector<Sample> samples_[256];  // by scene number
  long peakKiB_ = 0;                  // peak resident memory so far
  size_t heldAtPeak_ = 0;             // decoded pictures and sound samples held when it was reached
  int64_t peakTick_ = -1;
  double firstFrameEnd_ = 0;          // steady clock at the end of tick 0, the first title frame
};
