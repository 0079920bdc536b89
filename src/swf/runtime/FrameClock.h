#pragma once

#include <cstdint>

namespace quelvo::swf {

// Frame pacing from a monotonic millisecond clock the caller reads.
//
// Frame k is due at start + k * period, so timer jitter never accumulates
// into drift. A caller that falls behind gets the missed frames on its next
// call, up to kMaxCatchUp; further behind (a stall, a suspended machine) the
// clock starts over from "now" and gives one frame instead of a burst.
class FrameClock {
 public:
  static constexpr double kDefaultRate = 12.0;  // for a declared rate of 0
  static constexpr int kMaxCatchUp = 3;

  explicit FrameClock(double framesPerSecond);

  double framesPerSecond() const { return rate_; }
  double periodMs() const { return periodMs_; }

  void start(std::int64_t nowMs);
  // Frame advances due at nowMs that were not handed out yet.
  int framesDue(std::int64_t nowMs);
  // When the next frame is due; a timer set for this time finds it due.
  std::int64_t nextDueMs() const;

 private:
  double rate_;
  double periodMs_;
  std::int64_t originMs_ = 0;
  std::int64_t framesGiven_ = 0;  // since originMs_
};

}  // namespace quelvo::swf
