// The runner's --timing report: how long each tick took, by scene, and the run's peak memory.
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
    double seconds;
  };
  void NotePeak(int64_t tick);

  int scene_ = 0;
  double start_ = 0;
  std::vector<Sample> samples_[256];  // by scene number
  long peakKiB_ = 0;                  // peak resident memory so far
  size_t heldAtPeak_ = 0;             // decoded pictures and sound samples held when it was reached
  int64_t peakTick_ = -1;
};
