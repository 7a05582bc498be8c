// An accumulator of real time that hands out whole 60 Hz steps.
#include "platform/pacer.h"

#include <cmath>

namespace {

// Intervals this close to a simple multiple or fraction of the step are taken as exactly that, so the
// jitter of vertical sync neither adds nor drops a step: a 59.94 Hz display still gives one step per
// refresh, a 120 Hz display one step every second refresh.
constexpr double kSnapTolerance = 0.0005;
constexpr double kSnapRatios[] = {1.0, 2.0, 3.0, 4.0, 1.0 / 2.0, 1.0 / 3.0, 1.0 / 4.0};

double Snap(double seconds) {
  for (double ratio : kSnapRatios) {
    double target = FramePacer::kStepSeconds * ratio;
    if (std::fabs(seconds - target) < kSnapTolerance) return target;
  }
  return seconds;
}

}  // namespace

int FramePacer::Advance(double seconds) {
  if (!(seconds > 0)) seconds = 0;
  accumulated_ += Snap(seconds);
  // After a stall catch up a few steps at most; the rest of the lost time is dropped.
  double limit = kStepSeconds * kMaxStepsPerCall;
  if (accumulated_ > limit) accumulated_ = limit;
  // A hair of tolerance keeps sums of snapped intervals from falling a rounding error short of a step.
  int steps = static_cast<int>(std::floor(accumulated_ / kStepSeconds + 1e-9));
  accumulated_ -= steps * kStepSeconds;
  if (accumulated_ < 0) accumulated_ = 0;
  return steps;
}
