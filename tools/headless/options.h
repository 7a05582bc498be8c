// The command line of the headless runner.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/faults.h"

struct Screenshot {
  int64_t tick;
  std::string path;
};

struct RunOptions {
  uint32_t seed = 1;                 // what the millisecond clock reads when the game seeds from it
  int64_t frames = 600;              // ticks to run before the window is closed
  std::string inputPath;             // the input script; empty for none
  std::vector<int64_t> stateTicks;   // ticks after which a state line is printed
  int64_t stateEvery = 0;            // also every multiple of this; 0 for none
  std::vector<Screenshot> shots;
  std::string wavPath;               // empty: the mix is not kept
  std::vector<Fault> faults;
  bool quiet = false;                // message boxes not copied to standard error
  bool help = false;
};

// Reads the arguments after the program's name. On a bad command line returns false and says why.
bool ParseCommandLine(std::span<const std::string_view> args, RunOptions* options, std::string* error);

// The --help text: the options, the script, the state line and the exit statuses.
std::string HelpText();
