#include <gtest/gtest.h>

#include <cstdint>

#include "swf/runtime/FrameClock.h"

namespace quelvo::swf {
namespace {

TEST(FrameClockTest, RateZeroAndNonsenseArePacedAtTwelve) {
  EXPECT_DOUBLE_EQ(FrameClock(0).framesPerSecond(), 12);
  EXPECT_DOUBLE_EQ(FrameClock(-5).framesPerSecond(), 12);
  EXPECT_DOUBLE_EQ(FrameClock(24).periodMs(), 1000.0 / 24);
}

TEST(FrameClockTest, NothingIsDueBeforeTheFirstPeriod) {
  FrameClock clock(10);
  clock.start(1000);
  EXPECT_EQ(clock.nextDueMs(), 1100);
  EXPECT_EQ(clock.framesDue(1000), 0);
  EXPECT_EQ(clock.framesDue(1099), 0);
  EXPECT_EQ(clock.framesDue(1100), 1);
  EXPECT_EQ(clock.framesDue(1100), 0);
  EXPECT_EQ(clock.nextDueMs(), 1200);
}

// A timer that fires up to 15 ms late must not push later frames back.
TEST(FrameClockTest, JitteryTimerKeepsEvenPacing) {
  FrameClock clock(24);
  const std::int64_t start = 5000;
  clock.start(start);
  std::uint32_t seed = 7;
  std::int64_t frames = 0;
  std::int64_t now = start;
  while (frames < 240) {
    seed = seed * 1664525u + 1013904223u;
    now = std::max(now, clock.nextDueMs() + static_cast<std::int64_t>(seed >> 28));
    const int due = clock.framesDue(now);
    EXPECT_GE(due, 1);
    EXPECT_LE(due, 2);
    frames += due;
  }
  // Frame 240 was due at exactly 10 s; the next one follows one period later.
  EXPECT_NEAR(clock.nextDueMs() - start, (frames + 1) * 1000.0 / 24, 1.0);
  EXPECT_LE(now - start, 10000 + 16);
}

TEST(FrameClockTest, CatchesUpAFewMissedFrames) {
  FrameClock clock(20);  // 50 ms
  clock.start(0);
  EXPECT_EQ(clock.framesDue(160), 3);
  EXPECT_EQ(clock.nextDueMs(), 200);
}

TEST(FrameClockTest, LongStallResynchronisesInsteadOfBursting) {
  FrameClock clock(20);
  clock.start(0);
  EXPECT_EQ(clock.framesDue(50), 1);
  EXPECT_EQ(clock.framesDue(3000), 1);
  EXPECT_EQ(clock.nextDueMs(), 3050);
  EXPECT_EQ(clock.framesDue(3049), 0);
  EXPECT_EQ(clock.framesDue(3050), 1);
}

TEST(FrameClockTest, ClockGoingBackwardsGivesNothing) {
  FrameClock clock(20);
  clock.start(1000);
  EXPECT_EQ(clock.framesDue(900), 0);
  EXPECT_EQ(clock.framesDue(1050), 1);
}

}  // namespace
}  // namespace quelvo::swf
