#include <gtest/gtest.h>

#include <array>
#include <cstdint>

#include "core/session/CurrentEntry.h"
#include "playback/MovieControl.h"
#include "playback/PlayModes.h"
#include "playback/PlaybackTick.h"
#include "support/MovieFiles.h"
#include "support/PlayerFixture.h"

namespace quelvo::test {
namespace {

using core::PlayMode;
using playback::PlaybackTick;

// The modes that move on when a movie ends, SingleLoop by loading the same entry again.
class StillMovies : public PlayerFixture, public ::testing::WithParamInterface<PlayMode> {
 protected:
  void SetUp() override { ASSERT_TRUE(start()); }

  // A movie of `frames` frames whose last frame runs stop().
  QString stoppingMovie(const QString& name, int frames) {
    swftest::TagStream tags;
    tags.defineRectangle(1, {0, 2000, 0, 2000}, {200, 0, 0});
    tags.placeObject(swftest::Placement::place(1, 1));
    for (int f = 1; f < frames; ++f) tags.showFrame();
    const std::array<std::uint8_t, 2> stop{0x07, 0x00};
    tags.doAction(stop).showFrame().end();
    return writeMovie(folder, name, swftest::buildMovie({}, tags));
  }
  void choose(PlayMode mode) { part<playback::PlayModes>().MnuOptions_Click(mode); }
  // Ticks every 10 ms until `untilMs` on the platform clock.
  void tickUntil(qint64 untilMs) {
    for (; platform.now < untilMs; platform.now += 10) tick();
  }
  // Whether the movie shown is no longer `shown`: another entry, or the same one loaded again.
  bool reloaded(const std::shared_ptr<const swf::Movie>& shown) {
    return movie().loadedMovie() != shown;
  }
};

TEST_P(StillMovies, OneFrameMovieMovesOnOnlyAfterItsTimeWithoutReloadingMeanwhile) {
  open({movieFile(QStringLiteral("a.swf"), 1), movieFile(QStringLiteral("b.swf"), 1)});
  choose(GetParam());
  platform.randomAnswers = {0.99};
  const auto shown = movie().loadedMovie();
  tickUntil(PlaybackTick::kStillShownMs);
  EXPECT_FALSE(reloaded(shown));
  EXPECT_EQ(session().Labn.value(), 0);
  tick();
  EXPECT_TRUE(reloaded(shown));
  EXPECT_EQ(session().Labn.value(), GetParam() == PlayMode::SingleLoop ? 0 : 1);
}

TEST_P(StillMovies, PlayingMovieStillEndsAtItsLastFrameButOneAtOnce) {
  open({movieFile(QStringLiteral("a.swf"), 30), movieFile(QStringLiteral("b.swf"), 30)});
  choose(GetParam());
  platform.randomAnswers = {0.99};
  const auto shown = movie().loadedMovie();
  movie().GotoFrame(27);
  tick();
  EXPECT_FALSE(reloaded(shown));
  movie().GotoFrame(28);
  tick();
  EXPECT_TRUE(reloaded(shown));
}

TEST_P(StillMovies, MovieStoppedByItsScriptOnItsLastFrameWaitsTheSameAndStaysStopped) {
  open({stoppingMovie(QStringLiteral("a.swf"), 3), movieFile(QStringLiteral("b.swf"))});
  choose(GetParam());
  platform.randomAnswers = {0.99};
  const auto shown = movie().loadedMovie();
  movie().GotoFrame(2);
  ASSERT_FALSE(movie().IsPlaying());
  tickUntil(PlaybackTick::kStillShownMs);
  EXPECT_FALSE(reloaded(shown));
  EXPECT_EQ(movie().FrameNum(), 2);
  EXPECT_FALSE(movie().IsPlaying());
  tick();
  EXPECT_TRUE(reloaded(shown));
}

INSTANTIATE_TEST_SUITE_P(ModesThatMoveOn, StillMovies,
                         ::testing::Values(PlayMode::MultiContinuous, PlayMode::MultiRandom,
                                           PlayMode::MultiNormal, PlayMode::SingleLoop));

TEST_F(StillMovies, TimeCountsFromWhenTheMovieWasShownNotFromTheStop) {
  open({stoppingMovie(QStringLiteral("a.swf"), 3), movieFile(QStringLiteral("b.swf"))});
  choose(PlayMode::MultiContinuous);
  platform.now = PlaybackTick::kStillShownMs;
  movie().GotoFrame(2);
  tick();
  EXPECT_EQ(session().Labn.value(), 1);
}

TEST_F(StillMovies, EachEntryGetsItsOwnTime) {
  open({movieFile(QStringLiteral("a.swf"), 1), movieFile(QStringLiteral("b.swf"), 1)});
  choose(PlayMode::MultiContinuous);
  tickUntil(PlaybackTick::kStillShownMs + 1);
  ASSERT_EQ(session().Labn.value(), 1);
  tickUntil(2 * PlaybackTick::kStillShownMs);
  EXPECT_EQ(session().Labn.value(), 1);
  tickUntil(2 * PlaybackTick::kStillShownMs + 20);
  EXPECT_EQ(session().Labn.value(), 0);
}

}  // namespace
}  // namespace quelvo::test
