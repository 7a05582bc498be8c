// A player that hits random keys at random moments, and keeps a program run moving through its scenes.
#pragma once

#include <cstdint>
#include <random>
#include <vector>

#include "tools/headless/script.h"

// What the player has done in a program run, for the soak's report.
struct PlayCounts {
  int64_t events = 0;        // keys and jumps
  int64_t jumps = 0;         // stage-clock jumps
  int64_t framesJumped = 0;  // play frames the jumps skipped
  int64_t restarts = 0;      // Y pressed at game over
  int64_t topUps = 0;        // lives given back to a sturdy game
};

class RandomPlayer {
 public:
  // Plays stage (0..3) of one program run; seed makes the keys, and the same seed the same keys.
  RandomPlayer(uint64_t seed, int stage, int64_t lastTick);
  // The events to deliver before tick, chosen from the game's state after the previous tick. The last
  // tick, or the end of a long-enough ending, closes the program.
  void EventsFor(int64_t tick, std::vector<ScriptEvent>* events);
  bool Closed() const { return closed_; }
  const PlayCounts& Counts() const { return counts_; }

 private:
  uint32_t Below(uint32_t n) { return static_cast<uint32_t>(rng_() % n); }
  int64_t NextGap();
  bool Aim(int64_t tick, std::vector<ScriptEvent>* events);
  void Key(int64_t tick, std::vector<ScriptEvent>* events, bool onTitle);
  void Title(int64_t tick, std::vector<ScriptEvent>* events);
  void MaybeJump(int64_t tick, std::vector<ScriptEvent>* events);
  void NewGame();
  void MaybeTopUp(int64_t tick, std::vector<ScriptEvent>* events);
  void Push(std::vector<ScriptEvent>* events, ScriptEvent event);

  std::mt19937_64 rng_;
  int stage_;
  int64_t lastTick_;
  int64_t titleEnds_;
  int64_t nextKey_ = 0;
  int64_t gameOverSince_ = -1;
  int64_t gameOverWait_ = 0;
  int64_t endingSince_ = -1;
  bool started_ = false;
  bool sturdy_ = false;     // this game gets its lives back when few are left
  int32_t lifeFloor_ = 0;
  int32_t sturdyUntil_ = 0;  // the stage clock after which lives are no longer given back
  bool closed_ = false;
  PlayCounts counts_;
};
