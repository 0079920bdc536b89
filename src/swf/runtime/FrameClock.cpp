#include "swf/runtime/FrameClock.h"

#include <cmath>

namespace quelvo::swf {

namespace {

// Rates reach us as 8.8 values from 1/256 to 255.99; 0 (and anything that is
// not a positive number) means "as fast as possible", which we pace at 12.
double usableRate(double framesPerSecond) {
  return std::isfinite(framesPerSecond) && framesPerSecond > 0 ? framesPerSecond
                                                               : FrameClock::kDefaultRate;
}

}  // namespace

FrameClock::FrameClock(double framesPerSecond)
    : rate_(usableRate(framesPerSecond)), periodMs_(1000.0 / rate_) {}

void FrameClock::start(std::int64_t nowMs) {
  originMs_ = nowMs;
  framesGiven_ = 0;
}

int FrameClock::framesDue(std::int64_t nowMs) {
  const double elapsed = static_cast<double>(nowMs - originMs_);
  if (elapsed <= 0) return 0;
  // The small allowance keeps a timer set for nextDueMs() from landing a
  // rounding error short of its frame.
  const double reached = std::floor(elapsed / periodMs_ + 1e-9);
  const double due = reached - static_cast<double>(framesGiven_);
  if (due < 1) return 0;
  if (due > kMaxCatchUp) {
    start(nowMs);
    return 1;
  }
  framesGiven_ = static_cast<std::int64_t>(reached);
  return static_cast<int>(due);
}

std::int64_t FrameClock::nextDueMs() const {
  const double dueAfter = static_cast<double>(framesGiven_ + 1) * periodMs_;
  return originMs_ + static_cast<std::int64_t>(std::ceil(dueAfter - 1e-6));
}

}  // namespace quelvo::swf
