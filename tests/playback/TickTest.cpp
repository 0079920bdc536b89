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
  playback::MovieControl& movie() { return form().Flash1->live(); }
  playback::LoopRegion& region() { return *form().loopRegion; }
  playback::FrameSlider& slider() { return *form().Sldflash; }
  void setRegion(int from, int to) {
    slider().setValue(from);
    region().MNUSELSTART_Click();
    slider().setValue(to);
    region().MNUSELEND_Click();
  }
};

TEST_F(Tick, FollowsThePlayheadWithSliderAndPanel) {
  form().panes->MNUBAR_Click();
  open({movieFile(QStringLiteral("a.swf"), 60)});
  movie().GotoFrame(11);
  tick();
  EXPECT_EQ(slider().value(), 12);
  EXPECT_EQ(form().Bar1->panel(2), QStringLiteral("12"));
  // With the status bar hidden panel 2 is left alone.
  form().panes->MNUBAR_Click();
  movie().GotoFrame(20);
  tick();
  EXPECT_EQ(slider().value(), 21);
  EXPECT_EQ(form().Bar1->panel(2), QStringLiteral("12"));
}

TEST_F(Tick, TurningTheRegionOnSelectsTheWholeMovieAndShowsBothBars) {
  open({movieFile(QStringLiteral("a.swf"), 60)});
  region().MNUSEL->trigger();
  EXPECT_TRUE(region().MNUSEL->isChecked());
  EXPECT_TRUE(slider().selectRange());
  EXPECT_EQ(slider().selStart(), 1);
  EXPECT_EQ(slider().selLength(), 59);
  EXPECT_FALSE(form().Frame1->isHidden());
  EXPECT_FALSE(form().Bar1->isHidden());
  EXPECT_TRUE(region().MNUSELSTART->isEnabled());
  EXPECT_EQ(form().Bar1->panel(6), QStringLiteral("循环选择区域: 1帧-60帧"));
  region().MNUSEL->trigger();
  EXPECT_FALSE(slider().selectRange());
  // One movie open: the single-entry mode's caption returns.
  EXPECT_EQ(form().Bar1->panel(6), QStringLiteral("单首正常播放"));
}

TEST_F(Tick, LoopRegionJumpsBackToItsStartAtItsEnd) {
  open({movieFile(QStringLiteral("a.swf"), 60)});
  region().MNUSEL_Click();
  setRegion(10, 40);
  EXPECT_EQ(form().Bar1->panel(6), QStringLiteral("循环选择区域: 10帧-40帧"));
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
  EXPECT_EQ(form().Labn, QStringLiteral("1"));
  EXPECT_EQ(movie().movie(), form().catalog->path(1));
  movie().GotoFrame(29);
  tick();
  EXPECT_EQ(form().Labn, QStringLiteral("0"));
}

TEST_F(Tick, ShortMoviesCountAsEndedOnEveryTick) {
  open({movieFile(QStringLiteral("a.swf"), 2), movieFile(QStringLiteral("b.swf"), 1)});
  tick();
  EXPECT_EQ(form().Labn, QStringLiteral("1"));
  EXPECT_FALSE(form().Sldflash->isEnabled());
  tick();
  EXPECT_EQ(form().Labn, QStringLiteral("0"));
}

TEST_F(Tick, SingleEntryModes) {
  open({movieFile(QStringLiteral("a.swf"), 30)});
  form().playModes->MnuOptions_Click(5);
  movie().GotoFrame(29);
  movie().Stop();
  tick();
  EXPECT_FALSE(movie().IsPlaying());
  form().playModes->MnuOptions_Click(4);
  tick();
  EXPECT_TRUE(movie().IsPlaying());
  // Mode 6 reloads the same entry from its start.
  form().playModes->MnuOptions_Click(6);
  movie().GotoFrame(29);
  tick();
  EXPECT_EQ(movie().FrameNum(), 0);
  EXPECT_EQ(form().Labn, QStringLiteral("0"));
}

TEST_F(Tick, RandomModeWithOneEntryRestartsIt) {
  open({movieFile(QStringLiteral("a.swf")), movieFile(QStringLiteral("b.swf")),
        movieFile(QStringLiteral("c.swf"))});
  form().playModes->MnuOptions_Click(1);
  platform.randomAnswers = {0.99};
  movie().GotoFrame(29);
  tick();
  EXPECT_EQ(form().Labn, QStringLiteral("2"));
}

TEST_F(Tick, VanishedNextEntryIsDroppedAndTheOneInItsPlaceTried) {
  const QString b = movieFile(QStringLiteral("b.swf"));
  open({movieFile(QStringLiteral("a.swf")), b, movieFile(QStringLiteral("c.swf"))});
  QFile::remove(b);
  movie().GotoFrame(29);
  tick();
  EXPECT_EQ(form().catalog->count(), 2);
  EXPECT_EQ(form().Labn, QStringLiteral("1"));
  EXPECT_EQ(platform.messages.size(), 1u);
}

TEST_F(Tick, UnreadableEntryShowsItsNoticeBeforeTheModeMovesOn) {
  folder.writeFile(QStringLiteral("bad.swf"), "garbage");
  open({folder.filePath(QStringLiteral("bad.swf")), movieFile(QStringLiteral("b.swf"))});
  EXPECT_EQ(movie().TotalFrames(), 0);
  tick();
  EXPECT_EQ(form().Labn, QStringLiteral("0"));
  platform.now += playback::PlaybackTick::kUnreadableShownMs;
  tick();
  EXPECT_EQ(form().Labn, QStringLiteral("1"));
  EXPECT_TRUE(platform.messages.empty());
}

TEST_F(Tick, DraggingSeeksAndLeavesTheMoviePaused) {
  form().panes->MNUBAR_Click();
  open({movieFile(QStringLiteral("a.swf"), 60)});
  form().playModes->MnuOptions_Click(5);
  playback::PlaybackTick& t = *form().tick;
  t.Sldflash_MouseDown(Qt::LeftButton);
  EXPECT_FALSE(form().tmrsld->isActive());
  EXPECT_FALSE(movie().IsPlaying());
  slider().setValue(25);
  t.Sldflash_MouseMove();
  EXPECT_EQ(movie().FrameNum(), 24);
  EXPECT_EQ(form().Bar1->panel(2), QStringLiteral("25"));
  t.Sldflash_MouseUp(Qt::LeftButton, {});
  EXPECT_TRUE(form().tmrsld->isActive());
  tick();
  EXPECT_FALSE(movie().IsPlaying());
  EXPECT_EQ(movie().FrameNum(), 24);
}

class Transport : public Tick {};

TEST_F(Transport, PlayAndPauseOnlyChangeWhatNeedsChanging) {
  open({movieFile(QStringLiteral("a.swf"), 60)});
  playback::Transport& t = *form().transport;
  t.Command1_Click(0);
  EXPECT_TRUE(movie().IsPlaying());
  t.Command1_Click(1);
  EXPECT_FALSE(movie().IsPlaying());
  EXPECT_FALSE(form().tmrsld->isActive());
  t.Command1_Click(1);
  EXPECT_FALSE(movie().IsPlaying());
  t.MNUPLAY_Click();
  EXPECT_TRUE(movie().IsPlaying());
  EXPECT_TRUE(form().tmrsld->isActive());
}

TEST_F(Transport, FrameForwardShowsTheNewFrameWithTheTickOff) {
  open({movieFile(QStringLiteral("a.swf"), 60)});
  form().transport->Command1_Click(3);
  EXPECT_EQ(movie().FrameNum(), 1);
  EXPECT_EQ(slider().value(), 2);
  EXPECT_EQ(form().Bar1->panel(2), QStringLiteral("2"));
  EXPECT_FALSE(form().tmrsld->isActive());
}

TEST_F(Transport, NextAndPreviousStopAtTheEndsWithoutWrapping) {
  open({movieFile(QStringLiteral("a.swf")), movieFile(QStringLiteral("b.swf"))});
  playback::Transport& t = *form().transport;
  t.Command1_Click(5);
  EXPECT_EQ(form().Labn, QStringLiteral("0"));
  t.Command1_Click(6);
  EXPECT_EQ(form().Labn, QStringLiteral("1"));
  t.Command1_Click(6);
  EXPECT_EQ(form().Labn, QStringLiteral("1"));
  EXPECT_EQ(movie().movie(), form().catalog->path(1));
  EXPECT_TRUE(form().tmrsld->isActive());
}

TEST_F(Transport, NextOntoAVanishedFileStepsBackToTheOneBefore) {
  const QString c = movieFile(QStringLiteral("c.swf"));
  open({movieFile(QStringLiteral("a.swf")), movieFile(QStringLiteral("b.swf")), c});
  form().transport->Command1_Click(6);
  QFile::remove(c);
  form().transport->Command1_Click(6);
  EXPECT_EQ(form().catalog->count(), 2);
  EXPECT_EQ(form().Labn, QStringLiteral("1"));
  EXPECT_EQ(platform.messages.size(), 1u);
}

TEST_F(Transport, NothingHappensWithoutAMovie) {
  form().transport->Command1_Click(0);
  form().transport->Command1_Click(6);
  EXPECT_FALSE(movie().IsPlaying());
  EXPECT_TRUE(platform.openFilesRequests.empty());
  form().transport->Command1_Click(7);
  EXPECT_EQ(platform.openFilesRequests.size(), 1u);
}

}  // namespace
}  // namespace quelvo::test
