// Drives the whole game through the headless host, the way the real message loop does.
#pragma once

#include <string>

#include "platform/framework.h"
#include "platform/headless.h"

class GameHarness {
 public:
  // Starts the program with the random generator seeded by seed.
  explicit GameHarness(uint32_t seed = 1);
  ~GameHarness();

  // Runs n idle steps (frames).
  void Tick(int n = 1);
  // Types each character of text, between frames.
  void Type(const std::string& text);
  void KeyUp(uint32_t virtualKey);
  // From the title: K pressed stage times, then S, then the stage's first frame.
  void StartStage(int stage);
  // Destroys the ship as a hit does, then runs the 16 frames of its explosion: a new ship or game over.
  void LoseShip();
  // From play with lives left: the last life lost, the game-over screen showing.
  void LoseLastShip();
  // The message boxes shown so far, as "CAPTION: TEXT".
  std::string Messages() const;

  HeadlessHost host;
  bool started = false;
};

// Player shots in flight.
int ActivePlayerShots();
