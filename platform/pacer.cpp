// An accumulator of real time that hands out whole 60 Hz steps.
#include "platform/pacer.h"

#include <cmath>

namespace {

// Intervals within 6 % of a simple multiple or fraction of the step are taken as exactly that, so the
// jitter of vertical sync neither adds nor drops a step: a 59.94 Hz display still gives one step per
// refresh, a 120 Hz display one step every second refresh.
constexpr double kSnapShare = 0.06;
constexpr double kSnapRatios[] = {1.0, 2.0, 3.0, 4.0, 1.0 / 2.0, 1.0 / 3.0, 1.0 / 4.0};
// Time left over within this of a whole number of steps is put back on it, so that the jitter of the
// intervals that were not snapped cannot drift the accumulator across a step boundary.
constexpr double kGridTolerance = 0.001;

double Snap(double seconds) {
  for (double ratio : kSnapRatios) {
    double target = FramePacer::kStepSeconds * ratio;
    if (std::fabs(seconds - target) < target * kSnapShare) return target;
  }
  return seconds;
}

}  // namespace

int FramePacer::Advance(double seconds) {
  if (!(seconds > 0)) seconds = 0;
  accumulated_ += Snap(seconds);
  double nearest = std::nearbyint(accumulated_ / kStepSeconds);
  if (nearest >= 1 && std::fabs(accumulated_ - nearest * kStepSeconds) < kGridTolerance) {
    accumulated_ = nearest * kStepSeconds;
  }
  // After a stall catch up a few steps at most; the rest of the lost time is dropped.
  double limit = kStepSeconds * kMaxStepsPerCall;
  if (accumulated_ > limit) accumulated_ = limit;
  // A hair of tolerance keeps sums of snapped intervals from falling a rounding error short of a step.
  int steps = static_cast<int>(std::floor(accumulated_ / kStepSeconds + 1e-9));
  accumulated_ -= steps * kStepSeconds;
  if (accumulated_ < 0) accumulated_ = 0;
  return steps;
}
