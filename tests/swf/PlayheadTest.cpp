#include <gtest/gtest.h>

#include "swf/runtime/Playhead.h"

namespace quelvo::swf {
namespace {

Playhead playingAt(std::size_t frames, std::size_t frame) {
  Playhead playhead(frames);
  playhead.gotoFrame(frame);
  playhead.play();
  return playhead;
}

TEST(PlayheadTest, StartsStoppedOnTheFirstFrameWithLoopOn) {
  Playhead playhead(5);
  EXPECT_EQ(playhead.current(), 0u);
  EXPECT_FALSE(playhead.isPlaying());
  EXPECT_TRUE(playhead.loop());
  EXPECT_FALSE(playhead.advance());
  EXPECT_EQ(playhead.current(), 0u);
}

TEST(PlayheadTest, LoopingPlayWrapsToTheFirstFrame) {
  Playhead playhead(3);
  playhead.play();
  std::vector<std::size_t> seen;
  for (int i = 0; i < 5; ++i) {
    EXPECT_TRUE(playhead.advance());
    seen.push_back(playhead.current());
  }
  EXPECT_EQ(seen, (std::vector<std::size_t>{1, 2, 0, 1, 2}));
  EXPECT_TRUE(playhead.isPlaying());
}

TEST(PlayheadTest, WithoutLoopPlayStopsOnTheLastFrame) {
  Playhead playhead = playingAt(3, 1);
  playhead.setLoop(false);
  EXPECT_TRUE(playhead.advance());
  EXPECT_EQ(playhead.current(), 2u);
  EXPECT_FALSE(playhead.advance());
  EXPECT_EQ(playhead.current(), 2u);
  EXPECT_FALSE(playhead.isPlaying());
}

TEST(PlayheadTest, PlayOnTheLastFrameRestartsEvenWithoutLoop) {
  Playhead playhead(3);
  playhead.setLoop(false);
  playhead.gotoFrame(2);
  playhead.play();
  EXPECT_TRUE(playhead.advance());
  EXPECT_EQ(playhead.current(), 0u);
  EXPECT_TRUE(playhead.isPlaying());
  // The restart is a one-off: the next time round it stops at the end.
  playhead.advance();
  playhead.advance();
  EXPECT_FALSE(playhead.advance());
  EXPECT_EQ(playhead.current(), 2u);
  EXPECT_FALSE(playhead.isPlaying());
}

TEST(PlayheadTest, RestartIsForgottenWhenThePlayheadMovesAway) {
  Playhead playhead(4);
  playhead.setLoop(false);
  playhead.gotoFrame(3);
  playhead.play();
  playhead.gotoFrame(2);
  playhead.advance();
  EXPECT_EQ(playhead.current(), 3u);
  EXPECT_FALSE(playhead.advance());
  EXPECT_FALSE(playhead.isPlaying());
}

TEST(PlayheadTest, StepsAreClampedAndStopThePlayhead) {
  Playhead playhead = playingAt(3, 0);
  playhead.back();
  EXPECT_EQ(playhead.current(), 0u);
  EXPECT_FALSE(playhead.isPlaying());

  playhead.play();
  playhead.forward();
  playhead.forward();
  playhead.forward();
  EXPECT_EQ(playhead.current(), 2u);
  EXPECT_FALSE(playhead.isPlaying());
  playhead.back();
  EXPECT_EQ(playhead.current(), 1u);
}

TEST(PlayheadTest, GotoIsClampedAndKeepsThePlayState) {
  Playhead playhead = playingAt(4, 0);
  playhead.gotoFrame(99);
  EXPECT_EQ(playhead.current(), 3u);
  EXPECT_TRUE(playhead.isPlaying());
  playhead.stop();
  playhead.gotoFrame(1);
  EXPECT_FALSE(playhead.isPlaying());
}

TEST(PlayheadTest, RewindGoesToTheStartAndStops) {
  Playhead playhead = playingAt(4, 2);
  playhead.rewind();
  EXPECT_EQ(playhead.current(), 0u);
  EXPECT_FALSE(playhead.isPlaying());
}

TEST(PlayheadTest, SingleFrameMovieNeverChangesFrame) {
  Playhead playhead(0);
  EXPECT_EQ(playhead.frameCount(), 1u);
  playhead.play();
  EXPECT_FALSE(playhead.advance());
  EXPECT_TRUE(playhead.isPlaying());
  playhead.setLoop(false);
  EXPECT_FALSE(playhead.advance());
  EXPECT_FALSE(playhead.isPlaying());
}

}  // namespace
}  // namespace quelvo::swf
