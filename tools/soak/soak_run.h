// One program run of the soak: start-up, ticks with their events, invariants after each, teardown.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "tools/headless/script.h"

// The parts of the game a tick can be in, for the soak's report of where it played.
enum Phase { kTitle, kWaves, kSpirals, kBeams, kMissiles, kBoss, kClearWait, kEnding, kGameOver, kPhaseCount };
inline constexpr const char* kPhaseNames[kPhaseCount] = {
    "title", "waves", "spirals", "beams", "missiles", "boss", "clear wait", "ending", "game over"};

struct PhaseTicks {
  int64_t ticks[kPhaseCount] = {};  // ticks spent in each phase
  int64_t gameOvers = 0;            // game overs begun
  int64_t bossArrivals = 0;         // boss phases begun
  int64_t endings = 0;              // endings begun
  int64_t bossBreaks = 0;           // times the boss was broken by eleven hits

  PhaseTicks& operator+=(const PhaseTicks& other);
};

struct RunResult {
  int64_t ticks = 0;           // ticks used, with the one that closed the program
  bool broken = false;         // an invariant did not hold
  int64_t brokenTick = -1;
  char what[512] = {};         // the first broken invariant, in words
  PhaseTicks phases;
};

// Gives the events to deliver before a tick.
using EventSource = std::function<void(int64_t tick, std::vector<ScriptEvent>* events)>;

// Runs the program with the game's random generator seeded by gameSeed for at most ticks ticks, taking
// events from source. Every event is appended to script (if open) before it is delivered, so that the
// run can be replayed up to any crash. Stops at the first tick after which an invariant is broken.
RunResult RunProgram(uint32_t gameSeed, int64_t ticks, const EventSource& source, std::FILE* script);
