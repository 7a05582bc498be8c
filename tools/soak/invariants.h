// What must hold after every frame of the game, whatever keys were pressed: the soak checks it each tick.
#pragma once

#include <string>
#include <vector>

// The invariants that the game's state breaks now, each as a sentence naming the value and the rule;
// empty when all hold. Only the state is read: a check never changes the game.
std::vector<std::string> BrokenInvariants();

// What a frame must have done, told by the state just before it (after that tick's events) and after it.
struct ClockBefore {
  int frameNo;       // g_FrameNo
  int life;          // g_Life
  int clearPhase;    // g_ClearPhase
  int frameCount;    // g_FrameCount
};
ClockBefore ReadClock();
// Empty when the frame moved the stage clock as the scene says: one more per play frame, 1 after a set-up.
std::string BrokenClock(const ClockBefore& before);
