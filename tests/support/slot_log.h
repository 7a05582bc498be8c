// Records the sound-slot operations the game makes while a log is alive, with the sound each set-up used.
#pragma once

#include <string>
#include <vector>

class SlotLog {
 public:
  SlotLog();
  ~SlotLog();
  SlotLog(const SlotLog&) = delete;
  SlotLog& operator=(const SlotLog&) = delete;

  // "play 2", "rewind 0", or for a set-up "reset 0 <- 135": the WAVE id of the sound data at that moment.
  std::vector<std::string> entries;
};

// The WAVE resource whose samples the current sound data holds; -1 when none matches.
int CurrentWaveId();
