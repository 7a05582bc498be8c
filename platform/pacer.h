// Frame pacing: the game steps at 60 Hz whatever the display's refresh rate.
#pragma once

class FramePacer {
 public:
  static constexpr double kStepSeconds = 1.0 / 60.0;
  static constexpr int kMaxStepsPerCall = 4;

  // Feeds the time since the previous call; returns how many game steps are due now (0 to 4).
  // The very first call always gives one step.
  int Advance(double seconds);
  // Seconds until the next step is due.
  double TimeToNextStep() const { return kStepSeconds - accumulated_; }

 private:
  double accumulated_ = kStepSeconds;
};
