#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QListView>
#include <QPushButton>
#include <QTimer>

#include "catalog/CatalogList.h"
#include "catalog/CatalogModel.h"
#include "playback/Dispatcher.h"
#include "playback/FileSelection.h"
#include "playback/FrameSlider.h"
#include "playback/MovieControlArray.h"
#include "playback/PlayModes.h"
#include "playback/PlaybackCommands.h"
#include "playback/StatusBar.h"
#include "support/PlayerFixture.h"

namespace quelvo::test {
namespace {

class OpenClose : public PlayerFixture {
 protected:
  void SetUp() override { ASSERT_TRUE(start()); }
  playback::MovieControl& movie() { return form().Flash1->live(); }
  const catalog::CatalogModel& catalog() { return *form().catalog; }
};

TEST(GetDlgSelectFileInfo, SplitsFolderAndNamesInDialogOrder) {
  const playback::FileSelection one = playback::GetDlgSelectFileInfo({QStringLiteral("/m/a.swf")});
  EXPECT_EQ(one.folder, QStringLiteral("/m/"));
  EXPECT_EQ(one.names, QStringList{QStringLiteral("a.swf")});

  const playback::FileSelection three = playback::GetDlgSelectFileInfo(
      {QStringLiteral("D:\\动画\\c.swf"), QStringLiteral("D:\\动画\\a.swf"),
       QStringLiteral("D:\\动画\\b.qvl")});
  EXPECT_EQ(three.folder, QStringLiteral("D:\\动画\\"));
  EXPECT_EQ(three.names, (QStringList{QStringLiteral("c.swf"), QStringLiteral("a.swf"),
                                      QStringLiteral("b.qvl")}));

  const playback::FileSelection root =
      playback::GetDlgSelectFileInfo({QStringLiteral("C:\\x.swf")});
  EXPECT_EQ(root.folder, QStringLiteral("C:\\"));
  EXPECT_EQ(playback::GetDlgSelectFileInfo({}).count(), 0);
}

TEST_F(OpenClose, OpeningThreeMoviesFillsTheCatalogAndPlaysTheFirst) {
  const QString a = movieFile(QStringLiteral("甲.swf"));
  const QString b = movieFile(QStringLiteral("b.swf"));
  const QString c = movieFile(QStringLiteral("c.swf"));
  open({b, a, c});
  ASSERT_EQ(catalog().count(), 3);
  EXPECT_EQ(catalog().path(0), b);
  EXPECT_EQ(catalog().displayText(1), QStringLiteral("甲"));
  EXPECT_EQ(movie().movie(), b);
  EXPECT_TRUE(movie().IsPlaying());
  EXPECT_FALSE(movie().loop());
  EXPECT_TRUE(form().tmrsld->isActive());
  EXPECT_EQ(form().Labn, QStringLiteral("0"));
  EXPECT_EQ(form().Bar1->panel(4), QStringLiteral("30"));
  EXPECT_EQ(form().Sldflash->maximum(), 30);
  EXPECT_EQ(form().Sldflash->minimum(), 1);
  for (int i = 0; i <= 7; ++i) EXPECT_TRUE(form().Command1[i]->isEnabled()) << i;
  EXPECT_TRUE(form().playback->MNUNEXTONE->isVisible());
  EXPECT_TRUE(form().playback->MNUNEXTONE->isEnabled());
  EXPECT_TRUE(form().playback->MNUCLOSE->isEnabled());
  EXPECT_EQ(form().List2->currentIndex().row(), 0);
}

TEST_F(OpenClose, RandomModeStartsAtThePickedEntry) {
  form().playModes->MnuOptions_Click(1);
  platform.randomAnswers = {0.7};
  open({movieFile(QStringLiteral("a.swf")), movieFile(QStringLiteral("b.swf")),
        movieFile(QStringLiteral("c.swf"))});
  EXPECT_EQ(form().Labn, QStringLiteral("2"));
  EXPECT_EQ(movie().movie(), catalog().path(2));
}

TEST_F(OpenClose, OneMovieLeavesOnlySingleNormalPlayChecked) {
  for (int mode : {0, 2}) {
    form().playModes->MnuOptions_Click(mode);
    open({movieFile(QStringLiteral("a.swf"))});
    EXPECT_EQ(form().playModes->checked(), 5) << mode;
    for (int i : {0, 1, 2}) {
      EXPECT_FALSE(form().playModes->isChecked(i)) << i;
      EXPECT_FALSE(form().playModes->MnuOptions(i)->isEnabled()) << i;
    }
    EXPECT_FALSE(form().Command1[5]->isEnabled());
  }
  form().playModes->MnuOptions_Click(6);
  open({movieFile(QStringLiteral("a.swf"))});
  EXPECT_EQ(form().playModes->checked(), 6);
}

TEST_F(OpenClose, UpperCaseQvlIsAMovieAndCatalogFilesAddTheirEntries) {
  folder.writeFile(QStringLiteral("list.qvl"), "/x/one.swf|one\r\n/x/two.swf|two\r\n");
  const QString movieA = movieFile(QStringLiteral("a.swf"));
  folder.writeFile(QStringLiteral("LIST.QVL"), "not a catalog");
  open({movieA, folder.filePath(QStringLiteral("list.qvl")),
        folder.filePath(QStringLiteral("LIST.QVL"))});
  ASSERT_EQ(catalog().count(), 4);
  EXPECT_EQ(catalog().path(0), movieA);
  EXPECT_EQ(catalog().path(1), QStringLiteral("/x/one.swf"));
  EXPECT_EQ(catalog().displayText(2), QStringLiteral("two"));
  EXPECT_EQ(catalog().displayText(3), QStringLiteral("LIST"));
}

TEST_F(OpenClose, MissingFilesAreReportedAndDropped) {
  const QString gone = folder.filePath(QStringLiteral("gone.swf"));
  const QString kept = movieFile(QStringLiteral("kept.swf"));
  open({gone, kept});
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].title, QStringLiteral("不好意思！"));
  EXPECT_EQ(platform.messages[0].text,
            QStringLiteral("找不着此文件：“") + gone + QStringLiteral("”\r可能已被移动或修改。"));
  EXPECT_EQ(platform.messages[0].icon, platform::MessageIcon::Exclamation);
  ASSERT_EQ(catalog().count(), 1);
  EXPECT_EQ(movie().movie(), kept);
}

TEST_F(OpenClose, AllMissingLeavesAnEmptyCatalogAndNoMovie) {
  open({folder.filePath(QStringLiteral("x.swf")), folder.filePath(QStringLiteral("y.swf"))});
  EXPECT_EQ(catalog().count(), 0);
  EXPECT_FALSE(form().tmrsld->isActive());
  EXPECT_EQ(platform.messages.size(), 2u);
}

TEST_F(OpenClose, CancelChangesNothing) {
  open({movieFile(QStringLiteral("a.swf")), movieFile(QStringLiteral("b.swf"))});
  const QString folderBefore = form().lastOpenFolder;
  form().dispatcher->MenuButtons(1);  // no answer scripted: cancel
  EXPECT_EQ(catalog().count(), 2);
  EXPECT_TRUE(movie().IsPlaying());
  EXPECT_EQ(form().lastOpenFolder, folderBefore);
}

TEST_F(OpenClose, SecondOpenWhileTheDialogIsUpDoesNothing) {
  int nested = 0;
  platform.whileModal = [&] {
    if (nested++ == 0) form().dispatcher->MenuButtons(1);
  };
  open({movieFile(QStringLiteral("a.swf"))});
  EXPECT_EQ(platform.openFilesRequests.size(), 1u);
  EXPECT_EQ(catalog().count(), 1);
}

TEST_F(OpenClose, DialogStartsInTheStoredFolderThenInTheLastOne) {
  writeSettings("[PATH]\r\nOPEN=/stored/\r\n");
  ASSERT_TRUE(start());
  open({movieFile(QStringLiteral("a.swf"))});
  open({});
  ASSERT_EQ(platform.openFilesRequests.size(), 2u);
  EXPECT_EQ(platform.openFilesRequests[0].initialFolder, QStringLiteral("/stored/"));
  EXPECT_EQ(platform.openFilesRequests[0].title, QStringLiteral("Flash动画"));
  EXPECT_EQ(platform.openFilesRequests[0].filter,
            QStringLiteral("Flash动画(*.swf;*.qvl)|*.swf;*.qvl"));
  EXPECT_EQ(platform.openFilesRequests[1].initialFolder, folder.path());
}

TEST_F(OpenClose, CloseReturnsToIdleAndTwiceIsHarmless) {
  open({movieFile(QStringLiteral("a.swf")), movieFile(QStringLiteral("b.swf"))});
  form().dispatcher->MenuButtons(2);
  form().dispatcher->MenuButtons(2);
  EXPECT_TRUE(movie().isHidden());
  EXPECT_EQ(movie().TotalFrames(), 0);
  EXPECT_FALSE(form().tmrsld->isActive());
  EXPECT_EQ(form().Labn, QStringLiteral("0"));
  EXPECT_EQ(form().Bar1->panel(2), QStringLiteral("0"));
  EXPECT_EQ(form().Bar1->panel(4), QStringLiteral("0"));
  for (int i = 0; i < 7; ++i) EXPECT_FALSE(form().Command1[i]->isEnabled()) << i;
  EXPECT_TRUE(form().Command1[7]->isEnabled());
  EXPECT_FALSE(form().playback->MNUCLOSE->isEnabled());
  EXPECT_FALSE(form().Sldflash->isEnabled());
  // Close then open works.
  open({movieFile(QStringLiteral("c.swf"))});
  EXPECT_TRUE(movie().IsPlaying());
}

}  // namespace
}  // namespace quelvo::test
