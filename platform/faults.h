// Failures of the machine that tests and the headless runner can switch on, to exercise the game's handling.
#pragma once

#include <string_view>

enum class Fault {
  GraphicsSystem,   // no display system at all
  DisplayMode,      // the desktop's display mode cannot be read
  Device0,          // the first of the three ways of opening the display fails
  Device1,          // the second way fails
  Device2,          // the third way fails
  Line,             // the line drawer of the results graph cannot be made
  Antialias,        // the line drawer refuses antialiasing
  AudioEngine,      // the mixer cannot be started
  AudioOutput,      // no sound output device can be opened
  Count
};

void InjectFault(Fault fault, bool on = true);
bool FaultActive(Fault fault);
void ClearFaults();

// The fault named name ("device0", "audio-output", ...); false for an unknown name.
bool ParseFault(std::string_view name, Fault* fault);
// Every fault name, separated by ", ", for help texts.
const char* FaultNames();
