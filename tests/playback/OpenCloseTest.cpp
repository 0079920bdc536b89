#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QListView>
#include <QPushButton>
#include <QTimer>

#include "catalog/CatalogList.h"
#include "catalog/CatalogModel.h"
#include "catalog/FileSelection.h"
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
};

TEST(GetDlgSelectFileInfo, SplitsFolderAndNamesInDialogOrder) {
  const catalog::FileSelection one = catalog::GetDlgSelectFileInfo({QStringLiteral("/m/a.swf")});
  EXPECT_EQ(one.folder, QStringLiteral("/m/"));
  EXPECT_EQ(one.names, QStringList{QStringLiteral("a.swf")});

  const catalog::FileSelection three = catalog::GetDlgSelectFileInfo(
      {QStringLiteral("D:\\动画\\c.swf"), QStringLiteral("D:\\动画\\a.swf"),
       QStringLiteral("D:\\动画\\b.qvl")});
  EXPECT_EQ(three.folder, QStringLiteral("D:\\动画\\"));
  EXPECT_EQ(three.names, (QStringList{QStringLiteral("c.swf"), QStringLiteral("a.swf"),
                                      QStringLiteral("b.qvl")}));

  const catalog::FileSelection root = catalog::GetDlgSelectFileInfo({QStringLiteral("C:\\x.swf")});
  EXPECT_EQ(root.folder, QStringLiteral("C:\\"));
  EXPECT_EQ(catalog::GetDlgSelectFileInfo({}).count(), 0);
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
  EXPECT_TRUE(tmrsld()->isActive());
  EXPECT_EQ(session().Labn.value(), 0);
  EXPECT_EQ(panel(Panel::TotalFrames), QStringLiteral("30"));
  EXPECT_EQ(part<playback::FrameSlider>().maximum(), 30);
  EXPECT_EQ(part<playback::FrameSlider>().minimum(), 1);
  for (int i = 0; i <= 7; ++i) EXPECT_TRUE(button(i)->isEnabled()) << i;
  EXPECT_TRUE(part<playback::PlaybackCommands>().MNUNEXTONE->isVisible());
  EXPECT_TRUE(part<playback::PlaybackCommands>().MNUNEXTONE->isEnabled());
  EXPECT_TRUE(part<playback::PlaybackCommands>().MNUCLOSE->isEnabled());
  EXPECT_EQ(named<QListView>(QStringLiteral("List2"))->currentIndex().row(), 0);
}

TEST_F(OpenClose, RandomModeStartsAtThePickedEntry) {
  part<playback::PlayModes>().MnuOptions_Click(core::PlayMode::MultiRandom);
  platform.randomAnswers = {0.7};
  open({movieFile(QStringLiteral("a.swf")), movieFile(QStringLiteral("b.swf")),
        movieFile(QStringLiteral("c.swf"))});
  EXPECT_EQ(session().Labn.value(), 2);
  EXPECT_EQ(movie().movie(), catalog().path(2));
}

TEST_F(OpenClose, OneMovieLeavesOnlySingleNormalPlayChecked) {
  for (core::PlayMode mode : {core::PlayMode::MultiContinuous, core::PlayMode::MultiNormal}) {
    part<playback::PlayModes>().MnuOptions_Click(mode);
    open({movieFile(QStringLiteral("a.swf"))});
    EXPECT_EQ(session().playMode.mode(), core::PlayMode::SingleNormal);
    for (core::PlayMode multi : {core::PlayMode::MultiContinuous, core::PlayMode::MultiRandom,
                                 core::PlayMode::MultiNormal}) {
      EXPECT_FALSE(part<playback::PlayModes>().MnuOptions(multi)->isChecked());
      EXPECT_FALSE(part<playback::PlayModes>().MnuOptions(multi)->isEnabled());
    }
    EXPECT_FALSE(named<QPushButton>(QStringLiteral("Command1[5]"))->isEnabled());
  }
  part<playback::PlayModes>().MnuOptions_Click(core::PlayMode::SingleLoop);
  open({movieFile(QStringLiteral("a.swf"))});
  EXPECT_EQ(session().playMode.mode(), core::PlayMode::SingleLoop);
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
  EXPECT_FALSE(tmrsld()->isActive());
  EXPECT_EQ(platform.messages.size(), 2u);
}

TEST_F(OpenClose, CancelChangesNothing) {
  open({movieFile(QStringLiteral("a.swf")), movieFile(QStringLiteral("b.swf"))});
  const QString folderBefore = session().folders.open();
  run(core::Command::Open);  // no answer scripted: cancel
  EXPECT_EQ(catalog().count(), 2);
  EXPECT_TRUE(movie().IsPlaying());
  EXPECT_EQ(session().folders.open(), folderBefore);
}

TEST_F(OpenClose, SecondOpenWhileTheDialogIsUpDoesNothing) {
  int nested = 0;
  platform.whileModal = [&] {
    if (nested++ == 0) run(core::Command::Open);
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
  run(core::Command::Close);
  run(core::Command::Close);
  EXPECT_TRUE(movie().isHidden());
  EXPECT_EQ(movie().TotalFrames(), 0);
  EXPECT_FALSE(tmrsld()->isActive());
  EXPECT_EQ(session().Labn.value(), 0);
  EXPECT_EQ(panel(Panel::CurrentFrame), QStringLiteral("0"));
  EXPECT_EQ(panel(Panel::TotalFrames), QStringLiteral("0"));
  for (int i = 0; i < 7; ++i) EXPECT_FALSE(button(i)->isEnabled()) << i;
  EXPECT_TRUE(named<QPushButton>(QStringLiteral("Command1[7]"))->isEnabled());
  EXPECT_FALSE(part<playback::PlaybackCommands>().MNUCLOSE->isEnabled());
  EXPECT_FALSE(part<playback::FrameSlider>().isEnabled());
  // Close then open works.
  open({movieFile(QStringLiteral("c.swf"))});
  EXPECT_TRUE(movie().IsPlaying());
}

}  // namespace
}  // namespace quelvo::test
