#include <gtest/gtest.h>

#include <QAction>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>

#include "app/StartUp.h"
#include "catalog/CatalogModel.h"
#include "layout/PaneLayout.h"
#include "playback/MovieControlArray.h"
#include "playback/PlayModes.h"
#include "playback/StatusBar.h"
#include "support/PlayerFixture.h"

namespace quelvo::test {
namespace {

using StartUp = PlayerFixture;

TEST_F(StartUp, StoredSizeAndPositionAreUsedWhenBothSwitchesAreExactlyOne) {
  writeSettings(
      "[EXIT]\r\nWIN1=1\r\nWIN2=1\r\n[WINDOWS]\r\nWIDTH=9000\r\nHEIGHT=6000\r\nLEFT=1500\r\n"
      "TOP=1200\r\n");
  ASSERT_TRUE(start());
  EXPECT_EQ(form().frameGeometry(), QRect(100, 80, 600, 400));
}

TEST_F(StartUp, SwitchWrittenAsOnePointZeroGivesTheDefaultSizeCentred) {
  writeSettings("[EXIT]\r\nWIN1=1.0\r\nWIN2=yes\r\n[WINDOWS]\r\nWIDTH=9000\r\nHEIGHT=6000\r\n");
  ASSERT_TRUE(start());
  // 8333 x 6500 twips on a screen wider than 12000 twips, centred.
  EXPECT_EQ(form().size(), QSize(556, 433));
  EXPECT_EQ(form().pos(), QPoint(362, 183));
}

TEST_F(StartUp, ScreenOfExactly12000TwipsGetsTheSmallDefaultSize) {
  platform.screenMetrics = {12000, 9000, 15, 15};
  ASSERT_TRUE(start());
  EXPECT_EQ(form().size(), QSize(444, 333));
}

TEST_F(StartUp, MissingStoredWidthLeavesThePlatformMinimum) {
  writeSettings("[EXIT]\r\nWIN1=1\r\n");
  ASSERT_TRUE(start());
  // A third of the 1280 x 800 screen.
  EXPECT_EQ(form().size(), QSize(426, 266));
}

TEST(MinimumWindowSize, IsAThirdOfTheScreenWithMoreOnSmallScreens) {
  const app::MinimumSize large = app::minimumWindowSize(1024 * 15, 768 * 15, 15, 15);
  EXPECT_EQ(large.widthPixels, 341);
  EXPECT_EQ(large.heightPixels, 256);
  const app::MinimumSize small = app::minimumWindowSize(800 * 15, 600 * 15, 15, 15);
  EXPECT_EQ(small.widthPixels, 296);
  EXPECT_EQ(small.heightPixels, 230);
}

TEST_F(StartUp, SecondCopyAsksAndEndsOnNoWithoutWritingSettings) {
  platform.otherInstance = true;
  platform.messageAnswers.push_back(platform::MessageButton::No);
  EXPECT_FALSE(start());
  ASSERT_EQ(platform.messages.size(), 1u);
  const platform::MessageRequest& question = platform.messages.front();
  EXPECT_EQ(question.title, QStringLiteral("Quelvo"));
  EXPECT_EQ(question.text, QStringLiteral("程序已经运行，是否新打开一窗口？"));
  EXPECT_EQ(question.icon, platform::MessageIcon::Information);
  EXPECT_EQ(question.buttons, platform::MessageButtons::YesNo);
  EXPECT_EQ(question.defaultButton, platform::MessageButton::No);
  EXPECT_TRUE(splashClosed);
  EXPECT_FALSE(folder.exists(QStringLiteral("Quelvo.ini")));
}

TEST_F(StartUp, SecondCopyRunsOnYes) {
  platform.otherInstance = true;
  platform.messageAnswers.push_back(platform::MessageButton::Yes);
  EXPECT_TRUE(start());
}

TEST_F(StartUp, FirstRunShowsOnlyTheMenuBarAndMovieFrameInIdleState) {
  ASSERT_TRUE(start());
  EXPECT_TRUE(part<layout::PaneLayout>().MNUMENU->isChecked());
  EXPECT_FALSE(part<layout::PaneLayout>().MNUBUTTON->isChecked());
  EXPECT_FALSE(part<layout::PaneLayout>().MNUBAR->isChecked());
  EXPECT_FALSE(part<layout::PaneLayout>().MNUMU->isChecked());
  EXPECT_TRUE(named<QWidget>(QStringLiteral("frmlist"))->isHidden());
  EXPECT_TRUE(named<QWidget>(QStringLiteral("Frame1"))->isHidden());
  EXPECT_TRUE(bar().isHidden());
  EXPECT_FALSE(part<layout::PaneLayout>().movieFrameHasBorder());
  EXPECT_TRUE(session().playMode.is(core::PlayMode::MultiContinuous));
  EXPECT_EQ(catalog().count(), 0);
  // No movie: transport off except open, idle panels, no tick.
  for (int i = 0; i < 7; ++i) EXPECT_FALSE(button(i)->isEnabled()) << i;
  EXPECT_TRUE(named<QPushButton>(QStringLiteral("Command1[7]"))->isEnabled());
  EXPECT_EQ(panel(Panel::CurrentFrame), QStringLiteral("0"));
  EXPECT_EQ(panel(Panel::TotalFrames), QStringLiteral("0"));
  EXPECT_EQ(panel(Panel::State), QStringLiteral("多首连续播放"));
  EXPECT_FALSE(tmrsld()->isActive());
  EXPECT_EQ(session().Labn.value(), 0);
  EXPECT_TRUE(movie().isHidden());
  EXPECT_FALSE(folder.exists(QStringLiteral("Quelvo.ini")));
}

TEST_F(StartUp, BarsFollowTheirStoredStates) {
  writeSettings("[WINDOWS]\r\nSBAR=True\r\nLIST=true\r\nPLAY=-1\r\nMENU=False\r\n");
  ASSERT_TRUE(start());
  EXPECT_TRUE(part<layout::PaneLayout>().MNUBAR->isChecked());
  EXPECT_FALSE(bar().isHidden());
  EXPECT_TRUE(part<layout::PaneLayout>().MNUMU->isChecked());
  EXPECT_FALSE(named<QWidget>(QStringLiteral("frmlist"))->isHidden());
  EXPECT_FALSE(named<QWidget>(QStringLiteral("Picture1"))->isHidden());
  EXPECT_TRUE(part<layout::PaneLayout>().MNUBUTTON->isChecked());
  EXPECT_FALSE(named<QWidget>(QStringLiteral("Frame1"))->isHidden());
  EXPECT_FALSE(part<layout::PaneLayout>().MNUMENU->isChecked());
  EXPECT_TRUE(form().menuBar()->isHidden());
  EXPECT_TRUE(part<layout::PaneLayout>().movieFrameHasBorder());
}

TEST_F(StartUp, UnreadableBarValuesLeaveTheDesignState) {
  writeSettings("[WINDOWS]\r\nSBAR=maybe\r\nMENU=\r\n");
  ASSERT_TRUE(start());
  EXPECT_FALSE(part<layout::PaneLayout>().MNUBAR->isChecked());
  EXPECT_TRUE(part<layout::PaneLayout>().MNUMENU->isChecked());
}

TEST_F(StartUp, PlayModeIsRestoredAndASeparatorIndexFallsBackToTheFirstMode) {
  writeSettings("[WINDOWS]\r\nCONT=4\r\n");
  ASSERT_TRUE(start());
  EXPECT_EQ(session().playMode.mode(), core::PlayMode::SingleContinuous);

  writeSettings("[WINDOWS]\r\nCONT=3\r\n");
  ASSERT_TRUE(start());
  EXPECT_EQ(session().playMode.mode(), core::PlayMode::MultiContinuous);

  writeSettings("[WINDOWS]\r\nCONT=99\r\n");
  ASSERT_TRUE(start());
  EXPECT_EQ(session().playMode.mode(), core::PlayMode::MultiContinuous);
}

TEST_F(StartUp, CatalogIsRestoredSkippingAbsentAndUndecodableLines) {
  writeSettings("[LIST]\r\nSUM=4\r\n1=C:\\a.swf|a\r\n3=D:\\b.swf|b|c\r\n4=no separator\r\n");
  ASSERT_TRUE(start());
  const catalog::CatalogModel& entries = catalog();
  ASSERT_EQ(entries.count(), 2);
  EXPECT_EQ(entries.path(0), QStringLiteral("C:\\a.swf"));
  EXPECT_EQ(entries.displayText(0), QStringLiteral("a"));
  EXPECT_EQ(entries.path(1), QStringLiteral("D:\\b.swf"));
  EXPECT_EQ(entries.displayText(1), QStringLiteral("b|c"));
  EXPECT_EQ(named<QListView>(QStringLiteral("List2"))->currentIndex().row(), 0);
}

TEST_F(StartUp, LastFoldersComeFromTheSettings) {
  writeSettings("[PATH]\r\nOPEN=/movies/\r\nLOAD=/lists/\r\n");
  ASSERT_TRUE(start());
  EXPECT_EQ(session().folders.open(), QStringLiteral("/movies/"));
  EXPECT_EQ(session().folders.catalog(), QStringLiteral("/lists/"));
}

}  // namespace
}  // namespace quelvo::test
