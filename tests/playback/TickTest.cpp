#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QPushButton>
#include <QTimer>

#include "catalog/CatalogModel.h"
#include "layout/PaneLayout.h"
#include "playback/FrameSlider.h"
#include "playback/LoopRegion.h"
#include "playback/MovieControlArray.h"
#include "playback/PlayModes.h"
#include "playback/PlaybackTick.h"
#include "playback/StatusBar.h"
#include "playback/Transport.h"
#include "support/MovieFiles.h"
#include "support/PlayerFixture.h"

namespace quelvo::test {
namespace {

class Tick : public PlayerFixture {
 protected:
  void SetUp() override { ASSERT_TRUE(start()); }
  playback::LoopRegion& region() { return part<playback::LoopRegion>(); }
  playback::FrameSlider& slider() { return part<playback::FrameSlider>(); }
  void setRegion(int from, int to) {
    slider().setValue(from);
    region().MNUSELSTART_Click();
    slider().setValue(to);
    region().MNUSELEND_Click();
  }
};

TEST_F(Tick, FollowsThePlayheadWithSliderAndPanel) {
  part<layout::PaneLayout>().MNUBAR_Click();
  open({movieFile(QStringLiteral("a.swf"), 60)});
  movie().GotoFrame(11);
  tick();
  EXPECT_EQ(slider().value(), 12);
  EXPECT_EQ(panel(Panel::CurrentFrame), QStringLiteral("12"));
  // With the status bar hidden panel 2 is left alone.
  part<layout::PaneLayout>().MNUBAR_Click();
  movie().GotoFrame(20);
  tick();
  EXPECT_EQ(slider().value(), 21);
  EXPECT_EQ(panel(Panel::CurrentFrame), QStringLiteral("12"));
}

TEST_F(Tick, TurningTheRegionOnSelectsTheWholeMovieAndShowsBothBars) {
  open({movieFile(QStringLiteral("a.swf"), 60)});
  region().MNUSEL->trigger();
  EXPECT_TRUE(region().MNUSEL->isChecked());
  EXPECT_TRUE(slider().selectRange());
  EXPECT_EQ(slider().selStart(), 1);
  EXPECT_EQ(slider().selLength(), 59);
  EXPECT_FALSE(named<QWidget>(QStringLiteral("Frame1"))->isHidden());
  EXPECT_FALSE(bar().isHidden());
  EXPECT_TRUE(region().MNUSELSTART->isEnabled());
  EXPECT_EQ(panel(Panel::State), QStringLiteral("循环选择区域: 1帧-60帧"));
  region().MNUSEL->trigger();
  EXPECT_FALSE(slider().selectRange());
  // One movie open: the single-entry mode's caption returns.
  EXPECT_EQ(panel(Panel::State), QStringLiteral("单首正常播放"));
}

TEST_F(Tick, LoopRegionJumpsBackToItsStartAtItsEnd) {
  open({movieFile(QStringLiteral("a.swf"), 60)});
  region().MNUSEL_Click();
  setRegion(10, 40);
  EXPECT_EQ(panel(Panel::State), QStringLiteral("循环选择区域: 10帧-40帧"));
  // Before the start the movie plays on.
  movie().GotoFrame(2);
  tick();
  EXPECT_EQ(movie().FrameNum(), 2);
  movie().GotoFrame(39);
  tick();
  EXPECT_EQ(movie().FrameNum(), 9);
  EXPECT_TRUE(movie().IsPlaying());
}

TEST_F(Tick, OneFrameRegionKeepsShowingThatFrame) {
  open({movieFile(QStringLiteral("a.swf"), 60)});
  region().MNUSEL_Click();
  setRegion(20, 20);
  EXPECT_EQ(slider().selLength(), 0);
  movie().GotoFrame(25);
  tick();
  EXPECT_EQ(movie().FrameNum(), 19);
  tick();
  EXPECT_EQ(movie().FrameNum(), 19);
}

TEST_F(Tick, ModeZeroMovesOnAtTheEndAndWrapsToTheFirst) {
  open({movieFile(QStringLiteral("a.swf")), movieFile(QStringLiteral("b.swf"))});
  movie().GotoFrame(28);
  tick();
  EXPECT_EQ(session().Labn.value(), 1);
  EXPECT_EQ(movie().movie(), catalog().path(1));
  movie().GotoFrame(29);
  tick();
  EXPECT_EQ(session().Labn.value(), 0);
}

TEST_F(Tick, TwoFrameMovieEndsAtOnceOneFrameMovieAfterItsTime) {
  open({movieFile(QStringLiteral("a.swf"), 2), movieFile(QStringLiteral("b.swf"), 1)});
  tick();
  EXPECT_EQ(session().Labn.value(), 1);
  EXPECT_FALSE(part<playback::FrameSlider>().isEnabled());
  tick();
  EXPECT_EQ(session().Labn.value(), 1);
  platform.now += playback::PlaybackTick::kStillShownMs;
  tick();
  EXPECT_EQ(session().Labn.value(), 0);
}

TEST_F(Tick, SingleEntryModes) {
  open({movieFile(QStringLiteral("a.swf"), 30)});
  part<playback::PlayModes>().MnuOptions_Click(core::PlayMode::SingleNormal);
  movie().GotoFrame(29);
  movie().Stop();
  tick();
  EXPECT_FALSE(movie().IsPlaying());
  part<playback::PlayModes>().MnuOptions_Click(core::PlayMode::SingleContinuous);
  tick();
  EXPECT_TRUE(movie().IsPlaying());
  // Mode 6 reloads the same entry from its start.
  part<playback::PlayModes>().MnuOptions_Click(core::PlayMode::SingleLoop);
  movie().GotoFrame(29);
  tick();
  EXPECT_EQ(movie().FrameNum(), 0);
  EXPECT_EQ(session().Labn.value(), 0);
}

TEST_F(Tick, RandomModeWithOneEntryRestartsIt) {
  open({movieFile(QStringLiteral("a.swf")), movieFile(QStringLiteral("b.swf")),
        movieFile(QStringLiteral("c.swf"))});
  part<playback::PlayModes>().MnuOptions_Click(core::PlayMode::MultiRandom);
  platform.randomAnswers = {0.99};
  movie().GotoFrame(29);
  tick();
  EXPECT_EQ(session().Labn.value(), 2);
}

TEST_F(Tick, VanishedNextEntryIsDroppedAndTheOneInItsPlaceTried) {
  const QString b = movieFile(QStringLiteral("b.swf"));
  open({movieFile(QStringLiteral("a.swf")), b, movieFile(QStringLiteral("c.swf"))});
  QFile::remove(b);
  movie().GotoFrame(29);
  tick();
  EXPECT_EQ(catalog().count(), 2);
  EXPECT_EQ(session().Labn.value(), 1);
  EXPECT_EQ(platform.messages.size(), 1u);
}

TEST_F(Tick, UnreadableEntryShowsItsNoticeBeforeTheModeMovesOn) {
  folder.writeFile(QStringLiteral("bad.swf"), "garbage");
  open({folder.filePath(QStringLiteral("bad.swf")), movieFile(QStringLiteral("b.swf"))});
  EXPECT_EQ(movie().TotalFrames(), 0);
  tick();
  EXPECT_EQ(session().Labn.value(), 0);
  platform.now += playback::PlaybackTick::kUnreadableShownMs;
  tick();
  EXPECT_EQ(session().Labn.value(), 1);
  EXPECT_TRUE(platform.messages.empty());
}

TEST_F(Tick, DraggingSeeksAndLeavesTheMoviePaused) {
  part<layout::PaneLayout>().MNUBAR_Click();
  open({movieFile(QStringLiteral("a.swf"), 60)});
  part<playback::PlayModes>().MnuOptions_Click(core::PlayMode::SingleNormal);
  playback::PlaybackTick& t = part<playback::PlaybackTick>();
  t.Sldflash_MouseDown(Qt::LeftButton);
  EXPECT_FALSE(tmrsld()->isActive());
  EXPECT_FALSE(movie().IsPlaying());
  slider().setValue(25);
  t.Sldflash_MouseMove();
  EXPECT_EQ(movie().FrameNum(), 24);
  EXPECT_EQ(panel(Panel::CurrentFrame), QStringLiteral("25"));
  t.Sldflash_MouseUp(Qt::LeftButton, {});
  EXPECT_TRUE(tmrsld()->isActive());
  tick();
  EXPECT_FALSE(movie().IsPlaying());
  EXPECT_EQ(movie().FrameNum(), 24);
}

class Transport : public Tick {};

TEST_F(Transport, PlayAndPauseOnlyChangeWhatNeedsChanging) {
  open({movieFile(QStringLiteral("a.swf"), 60)});
  playback::Transport& t = part<playback::Transport>();
  t.Command1_Click(playback::PlayButton);
  EXPECT_TRUE(movie().IsPlaying());
  t.Command1_Click(playback::PauseButton);
  EXPECT_FALSE(movie().IsPlaying());
  EXPECT_FALSE(tmrsld()->isActive());
  t.Command1_Click(playback::PauseButton);
  EXPECT_FALSE(movie().IsPlaying());
  t.MNUPLAY_Click();
  EXPECT_TRUE(movie().IsPlaying());
  EXPECT_TRUE(tmrsld()->isActive());
}

TEST_F(Transport, FrameForwardShowsTheNewFrameWithTheTickOff) {
  open({movieFile(QStringLiteral("a.swf"), 60)});
  part<playback::Transport>().Command1_Click(playback::ForwardButton);
  EXPECT_EQ(movie().FrameNum(), 1);
  EXPECT_EQ(slider().value(), 2);
  EXPECT_EQ(panel(Panel::CurrentFrame), QStringLiteral("2"));
  EXPECT_FALSE(tmrsld()->isActive());
}

TEST_F(Transport, NextAndPreviousStopAtTheEndsWithoutWrapping) {
  open({movieFile(QStringLiteral("a.swf")), movieFile(QStringLiteral("b.swf"))});
  playback::Transport& t = part<playback::Transport>();
  t.Command1_Click(playback::PreviousButton);
  EXPECT_EQ(session().Labn.value(), 0);
  t.Command1_Click(playback::NextButton);
  EXPECT_EQ(session().Labn.value(), 1);
  t.Command1_Click(playback::NextButton);
  EXPECT_EQ(session().Labn.value(), 1);
  EXPECT_EQ(movie().movie(), catalog().path(1));
  EXPECT_TRUE(tmrsld()->isActive());
}

TEST_F(Transport, NextOntoAVanishedFileStepsBackToTheOneBefore) {
  const QString c = movieFile(QStringLiteral("c.swf"));
  open({movieFile(QStringLiteral("a.swf")), movieFile(QStringLiteral("b.swf")), c});
  part<playback::Transport>().Command1_Click(playback::NextButton);
  QFile::remove(c);
  part<playback::Transport>().Command1_Click(playback::NextButton);
  EXPECT_EQ(catalog().count(), 2);
  EXPECT_EQ(session().Labn.value(), 1);
  EXPECT_EQ(platform.messages.size(), 1u);
}

TEST_F(Transport, NothingHappensWithoutAMovie) {
  part<playback::Transport>().Command1_Click(playback::PlayButton);
  part<playback::Transport>().Command1_Click(playback::NextButton);
  EXPECT_FALSE(movie().IsPlaying());
  EXPECT_TRUE(platform.openFilesRequests.empty());
  button(7)->click();
  EXPECT_EQ(platform.openFilesRequests.size(), 1u);
}

}  // namespace
}  // namespace quelvo::test
