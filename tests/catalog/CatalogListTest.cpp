#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QListView>
#include <QPushButton>

#include "catalog/CatalogCommands.h"
#include "catalog/CatalogList.h"
#include "catalog/CatalogModel.h"
#include "layout/PaneLayout.h"
#include "playback/MovieControlArray.h"
#include "playback/PlayModes.h"
#include "playback/PlaybackCommands.h"
#include "support/PlayerFixture.h"

namespace quelvo::test {
namespace {

class CatalogListTest : public PlayerFixture {
 protected:
  void SetUp() override { ASSERT_TRUE(start()); }
  catalog::CatalogList& list() { return part<catalog::CatalogList>(); }
  const catalog::CatalogModel& model() { return catalog(); }
  catalog::CatalogCommands& commands() { return part<catalog::CatalogCommands>(); }
  void add(const QStringList& paths) {
    platform.openFilesAnswers.push_back(paths);
    list().Cmdlist_Click(catalog::CatalogList::Add);
  }
  QStringList displayTexts() {
    QStringList texts;
    for (int i = 0; i < model().count(); ++i) texts << model().displayText(i);
    return texts;
  }
};

TEST_F(CatalogListTest, AddedFileShowsItsNameWithoutExtension) {
  add({QStringLiteral("D:\\动画\\a.swf")});
  ASSERT_EQ(model().count(), 1);
  EXPECT_EQ(model().path(0), QStringLiteral("D:\\动画\\a.swf"));
  EXPECT_EQ(model().displayText(0), QStringLiteral("a"));
  EXPECT_EQ(model().index(0).data(catalog::CatalogModel::kPathRole).toString(),
            QStringLiteral("D:\\动画\\a.swf"));
}

TEST_F(CatalogListTest, MixedSelectionKeepsSelectionOrder) {
  folder.writeFile(QStringLiteral("l.qvl"), "/p/x.swf|x\r\n\r\n/p/y.swf\r\n");
  add({folder.filePath(QStringLiteral("m.swf")), folder.filePath(QStringLiteral("l.qvl")),
       folder.filePath(QStringLiteral("N.QVL"))});
  EXPECT_EQ(displayTexts(), (QStringList{QStringLiteral("m"), QStringLiteral("x"), QString(),
                                         QStringLiteral("N")}));
}

TEST_F(CatalogListTest, OneEntryLeavesSingleModesAndNoMoves) {
  add({QStringLiteral("/m/a.swf")});
  EXPECT_FALSE(named<QPushButton>(QStringLiteral("Cmdlist[3]"))->isEnabled());
  EXPECT_FALSE(named<QPushButton>(QStringLiteral("Cmdlist[4]"))->isEnabled());
  for (core::PlayMode mode : {core::PlayMode::MultiContinuous, core::PlayMode::MultiRandom,
                              core::PlayMode::MultiNormal}) {
    EXPECT_FALSE(session().playMode.isEnabled(mode));
  }
  EXPECT_EQ(session().playMode.mode(), core::PlayMode::SingleNormal);
  EXPECT_TRUE(commands().MNUDEL->isEnabled());
  EXPECT_TRUE(commands().MNUSAVE->isEnabled());
}

TEST_F(CatalogListTest, TwoEntriesDisableRandomPlayAndKeepExactlyOneMode) {
  part<playback::PlayModes>().MnuOptions_Click(core::PlayMode::MultiNormal);
  add({QStringLiteral("/m/a.swf"), QStringLiteral("/m/b.swf")});
  EXPECT_FALSE(part<playback::PlayModes>().MnuOptions(core::PlayMode::MultiRandom)->isEnabled());
  EXPECT_EQ(session().playMode.mode(), core::PlayMode::MultiNormal);
  part<playback::PlayModes>().MnuOptions_Click(core::PlayMode::MultiRandom);
  list().ListRefresh();
  EXPECT_EQ(session().playMode.mode(), core::PlayMode::MultiContinuous);
}

TEST_F(CatalogListTest, DeletingTheOnlyEntryClosesTheMovie) {
  open({movieFile(QStringLiteral("a.swf"))});
  list().selectRow(0);
  list().Cmdlist_Click(catalog::CatalogList::Delete);
  EXPECT_EQ(model().count(), 0);
  EXPECT_EQ(movie().TotalFrames(), 0);
  EXPECT_FALSE(commands().MNUDEL->isEnabled());
  EXPECT_FALSE(commands().MNUCLE->isEnabled());
  EXPECT_TRUE(commands().MNUADD->isEnabled());
  EXPECT_TRUE(commands().MNULOAD->isEnabled());
  EXPECT_TRUE(named<QPushButton>(QStringLiteral("Cmdlist[2]"))->isEnabled());
}

TEST_F(CatalogListTest, DeletingKeepsTheCurrentIndexOnThePlayingMovieOrBefore) {
  for (int at : {0, 2, 3}) {
    model();
    catalog().clear();
    add({QStringLiteral("/m/a.swf"), QStringLiteral("/m/b.swf"), QStringLiteral("/m/c.swf"),
         QStringLiteral("/m/d.swf")});
    session().Labn.set(2);
    list().selectRow(at);
    list().Cmdlist_Click(catalog::CatalogList::Delete);
    const int expected = at <= 2 ? 1 : 2;
    EXPECT_EQ(session().Labn.value(), expected) << at;
    EXPECT_EQ(list().selectedRow(), std::min(at, model().count() - 1)) << at;
  }
}

TEST_F(CatalogListTest, MovesAtTheEndsDoNothingAndMovedEntryBecomesCurrent) {
  add({QStringLiteral("/m/a.swf"), QStringLiteral("/m/b.swf"), QStringLiteral("/m/c.swf")});
  list().selectRow(0);
  list().Cmdlist_Click(catalog::CatalogList::MoveUp);
  EXPECT_EQ(displayTexts(),
            (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}));
  list().selectRow(2);
  list().Cmdlist_Click(catalog::CatalogList::MoveDown);
  EXPECT_EQ(list().selectedRow(), 2);
  list().Cmdlist_Click(catalog::CatalogList::MoveUp);
  EXPECT_EQ(displayTexts(),
            (QStringList{QStringLiteral("a"), QStringLiteral("c"), QStringLiteral("b")}));
  EXPECT_EQ(list().selectedRow(), 1);
  EXPECT_EQ(session().Labn.value(), 1);
  list().Cmdlist_Click(catalog::CatalogList::MoveDown);
  EXPECT_EQ(displayTexts(),
            (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}));
  EXPECT_EQ(session().Labn.value(), 2);
}

TEST_F(CatalogListTest, DoubleClickPlaysOrDropsAVanishedFile) {
  const QString a = movieFile(QStringLiteral("a.swf"));
  const QString b = movieFile(QStringLiteral("b.swf"));
  add({a, b, movieFile(QStringLiteral("c.swf"))});
  list().selectRow(1);
  list().List2_DblClick();
  EXPECT_EQ(movie().movie(), b);
  EXPECT_TRUE(movie().IsPlaying());
  EXPECT_EQ(session().Labn.value(), 1);
  EXPECT_TRUE(part<playback::PlaybackCommands>().MNUCLOSE->isEnabled());

  QFile::remove(a);
  list().selectRow(0);
  list().List2_DblClick();
  EXPECT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(model().count(), 2);
  EXPECT_EQ(list().selectedRow(), 0);
  EXPECT_EQ(model().path(0), b);
}

TEST_F(CatalogListTest, PointBelowTheLastRowIsNoRow) {
  add({QStringLiteral("/m/a.swf")});
  form().show();
  list().selectRow(0);
  EXPECT_EQ(list().rowAt(QPoint(5, 2)), 0);
  EXPECT_EQ(list().rowAt(QPoint(5, 2000)), -1);
  list().List2_MouseMove(QPoint(5, 2));
  EXPECT_EQ(named<QListView>(QStringLiteral("List2"))->toolTip(), QStringLiteral("/m/a.swf"));
  list().List2_MouseMove(QPoint(5, 2000));
  EXPECT_TRUE(named<QListView>(QStringLiteral("List2"))->toolTip().isEmpty());
}

TEST_F(CatalogListTest, FileNameWithABarIsRefusedWithAMessage) {
  add({QStringLiteral("/m/a|b.swf"), QStringLiteral("/m/c.swf")});
  EXPECT_EQ(displayTexts(), QStringList{QStringLiteral("c")});
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_TRUE(platform.messages[0].text.contains(QStringLiteral("/m/a|b.swf")));
}

TEST_F(CatalogListTest, AddingPastTheLimitStopsThereAndKeepsWhatWasThere) {
  std::vector<catalog::Entry> many(catalog::CatalogModel::kMaxEntries - 1,
                                   catalog::Entry{QStringLiteral("/m/x.swf"), QStringLiteral("x")});
  catalog().append(many);
  add({QStringLiteral("/m/a.swf"), QStringLiteral("/m/b.swf")});
  EXPECT_EQ(model().count(), catalog::CatalogModel::kMaxEntries);
  EXPECT_EQ(model().displayText(model().count() - 1), QStringLiteral("a"));
  ASSERT_EQ(platform.messages.size(), 1u);
}

TEST_F(CatalogListTest, HideButtonHidesTheCatalogPane) {
  part<layout::PaneLayout>().MNUMU_Click();
  list().Cmdlist_Click(catalog::CatalogList::Hide);
  EXPECT_FALSE(part<layout::PaneLayout>().MNUMU->isChecked());
  EXPECT_TRUE(named<QWidget>(QStringLiteral("frmlist"))->isHidden());
}

}  // namespace
}  // namespace quelvo::test
