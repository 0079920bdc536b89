#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QWindow>
#include <filesystem>

#include "catalog/CatalogList.h"
#include "catalog/CatalogModel.h"
#include "platform/FileNames.h"
#include "playback/MovieControl.h"
#include "search/Form3.h"
#include "search/ResultList.h"
#include "support/MovieFiles.h"
#include "support/PlayerFixture.h"

namespace quelvo::test {
namespace {

using platform::MessageButton;

class SearchWindowTest : public PlayerFixture {
 protected:
  void SetUp() override {
    ASSERT_TRUE(start());
    // a.swf and B.SWF in the top folder, c.swf below it; the rest are not listed.
    for (const char* name :
         {"tree/a.swf", "tree/B.SWF", "tree/sub/c.swf", "tree/.hidden/d.swf", "tree/x.swfx"}) {
      QDir().mkpath(QFileInfo(folder.filePath(QString::fromUtf8(name))).path());
      folder.writeFile(QString::fromUtf8(name), "FWS");
    }
  }
  search::Form3& window() {
    action(QStringLiteral("MNUFIND"))->trigger();
    auto* found = form().findChild<search::Form3*>();
    if (found == nullptr) throw std::logic_error("no search window");
    return *found;
  }
  // Types a folder, searches it and waits for the end of the search.
  void searchIn(search::Form3& w, const QString& path) {
    w.Dir1Path->setText(path);
    emit w.Dir1Path->returnPressed();
    QSignalSpy ended(&w, &search::Form3::searchEnded);
    w.Command1->click();
    ASSERT_TRUE(ended.wait(10000));
  }
  QStringList results(search::Form3& w) {
    QStringList paths;
    for (int i = 0; i < w.results->List1->count(); ++i) paths << w.results->List1->item(i)->text();
    return paths;
  }
  QString tree() { return folder.filePath(QStringLiteral("tree")); }
};

TEST_F(SearchWindowTest, FindsMoviesFolderByFolderAndKeepsThemOnNo) {
  search::Form3& w = window();
  EXPECT_EQ(w.windowTitle(), QStringLiteral("搜索 Flash"));
  platform.messageAnswers = {MessageButton::No};
  searchIn(w, tree());
  const QStringList found = results(w);
  ASSERT_EQ(found.size(), 3);
  // A folder's own movies come before those of its subfolders.
  EXPECT_EQ(found.last(), tree() + QStringLiteral("/sub/c.swf"));
  EXPECT_TRUE(found.contains(tree() + QStringLiteral("/B.SWF")));
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].title, QStringLiteral("搜索完毕"));
  EXPECT_EQ(platform.messages[0].text,
            QStringLiteral("共查获3首FLASH作品，全都押送到“目录栏”吗？"));
  EXPECT_EQ(platform.messages[0].defaultButton, MessageButton::No);
  EXPECT_EQ(catalog().count(), 0);
  EXPECT_EQ(w.results->List1->currentRow(), 2);
  EXPECT_EQ(w.Command1->text(), QStringLiteral("查找(&F)"));
  EXPECT_TRUE(w.Label1->text().isEmpty());
}

TEST_F(SearchWindowTest, YesSendsEveryResultToTheCatalogAndCanEmptyTheList) {
  search::Form3& w = window();
  w.results->MNUCMDDEL->trigger();
  platform.messageAnswers = {MessageButton::Yes};
  searchIn(w, tree());
  ASSERT_EQ(catalog().count(), 3);
  EXPECT_EQ(catalog().displayText(2), QStringLiteral("c"));
  EXPECT_EQ(catalog().path(2), tree() + QStringLiteral("/sub/c.swf"));
  EXPECT_EQ(w.results->List1->count(), 0);
  ASSERT_EQ(platform.messages.size(), 2u);
  EXPECT_EQ(platform.messages[1].title, QStringLiteral("报告！"));
  EXPECT_EQ(platform.messages[1].text, QStringLiteral("已安全到达指定地点。"));
}

TEST_F(SearchWindowTest, NothingFoundSaysSoAndOneFoundAsksForOne) {
  search::Form3& w = window();
  searchIn(w, tree() + QStringLiteral("/.hidden/.."));  // the same tree, typed loosely
  platform.messages.clear();
  searchIn(w, folder.filePath(QStringLiteral("tree/sub")));
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].text, QStringLiteral("只查获1首FLASH作品，押送到“目录栏”吗？"));
  platform.messages.clear();
  QDir().mkpath(folder.filePath(QStringLiteral("empty")));
  searchIn(w, folder.filePath(QStringLiteral("empty")));
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].text, QStringLiteral("无可疑目标，到别处再看看。"));
}

TEST_F(SearchWindowTest, PopupItemsFollowTheSelection) {
  search::Form3& w = window();
  search::ResultList& r = *w.results;
  EXPECT_FALSE(r.MNUALL->isEnabled());
  EXPECT_FALSE(w.Command3->isEnabled());
  r.append({QStringLiteral("/m/1.swf"), QStringLiteral("/m/2.swf"), QStringLiteral("/m/3.swf")});
  r.ListText();
  EXPECT_TRUE(r.MNUALL->isEnabled());
  EXPECT_FALSE(w.Command3->isEnabled());

  r.List1->item(0)->setSelected(true);
  EXPECT_TRUE(r.MNUOPEN[1]->isEnabled());
  EXPECT_TRUE(w.Command3->isEnabled());
  r.List1->item(1)->setSelected(true);
  EXPECT_FALSE(r.MNUOPEN[1]->isEnabled());
  EXPECT_FALSE(r.MNUOPEN[2]->isEnabled());
  r.MNUOTHERS->trigger();
  EXPECT_TRUE(r.List1->item(2)->isSelected());
  EXPECT_FALSE(r.List1->item(0)->isSelected());
  r.MNUALL->trigger();
  EXPECT_FALSE(r.MNUALL->isEnabled());
  EXPECT_FALSE(r.MNUOTHERS->isEnabled());
  r.MNUDEL->trigger();
  EXPECT_EQ(r.List1->count(), 0);
  EXPECT_FALSE(r.MNUCLE->isEnabled());
}

TEST_F(SearchWindowTest, AddingSelectedStopsAtAFileThatIsGone) {
  search::Form3& w = window();
  const QString a = tree() + QStringLiteral("/a.swf");
  w.results->append({a, tree() + QStringLiteral("/gone.swf"), tree() + QStringLiteral("/B.SWF")});
  w.results->List1->selectAll();
  w.Command3->click();
  EXPECT_EQ(catalog().count(), 1);
  EXPECT_EQ(catalog().path(0), a);
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].text, QStringLiteral("操作失败，可能是隐藏文件。"));
  EXPECT_EQ(platform.messages[0].icon, platform::MessageIcon::Critical);
}

// A name in GB18030 on a UTF-8 system shows as its text, and the catalog entry made from it still
// opens that very file.
TEST_F(SearchWindowTest, ANameThatIsNotUtf8IsShownAddedAndPlayed) {
  const std::filesystem::path native =
      platform::toNativePath(tree()) / "\xd2\xb9\xc7\xfa.swf";  // 夜曲.swf
  const QString written = writeMovie(folder, QStringLiteral("tree/x.swf"), simpleMovie(7));
  std::filesystem::rename(platform::toNativePath(written), native);
  struct Cleanup {
    std::filesystem::path path;
    ~Cleanup() { std::filesystem::remove(path); }  // Qt cannot name it to remove it
  } cleanup{native};

  search::Form3& w = window();
  platform.messageAnswers = {MessageButton::Yes};
  searchIn(w, tree());
  const QString shown = tree() + QStringLiteral("/夜曲.swf");
  EXPECT_TRUE(results(w).contains(shown));
  ASSERT_EQ(catalog().count(), 4);
  int row = 0;
  while (row < catalog().count() && catalog().path(row) != shown) ++row;
  ASSERT_LT(row, catalog().count());
  EXPECT_EQ(catalog().displayText(row), QStringLiteral("夜曲"));
  part<catalog::CatalogList>().selectRow(row);
  part<catalog::CatalogList>().List2_DblClick();
  EXPECT_EQ(movie().TotalFrames(), 7);
}

TEST_F(SearchWindowTest, AddingCanTakeTheAddedResultsOffTheList) {
  search::Form3& w = window();
  const QString a = tree() + QStringLiteral("/a.swf");
  const QString b = tree() + QStringLiteral("/B.SWF");
  w.results->append({a, b});
  w.results->MNUCMDDEL->trigger();
  w.results->List1->item(1)->setSelected(true);
  w.Command3->click();
  ASSERT_EQ(catalog().count(), 1);
  EXPECT_EQ(catalog().displayText(0), QStringLiteral("B"));
  EXPECT_EQ(results(w), QStringList{a});
  EXPECT_EQ(platform.messages.back().text, QStringLiteral("已安全到达指定地点。"));
}

TEST_F(SearchWindowTest, APlaceThatCannotBeReadKeepsThePreviousDrive) {
  search::Form3& w = window();
  const QString before = w.folder();
  w.Drive1->addItem(folder.filePath(QStringLiteral("no-such-volume")));
  w.Drive1->setCurrentIndex(w.Drive1->count() - 1);
  w.Drive1_Change(w.Drive1->count() - 1);
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].title, QStringLiteral("提示"));
  EXPECT_EQ(platform.messages[0].text, QStringLiteral("这里没东西可找！"));
  EXPECT_EQ(w.Drive1->currentIndex(), 0);
  EXPECT_EQ(w.folder(), before);
}

TEST_F(SearchWindowTest, ACatalogNearItsLimitTakesWhatFits) {
  std::vector<catalog::Entry> many(catalog::CatalogModel::kMaxEntries - 1,
                                   catalog::Entry{QStringLiteral("/m/x.swf"), QStringLiteral("x")});
  catalog().append(many);
  search::Form3& w = window();
  w.results->append({tree() + QStringLiteral("/a.swf"), tree() + QStringLiteral("/B.SWF")});
  w.results->List1->selectAll();
  w.Command3->click();
  EXPECT_EQ(catalog().count(), catalog::CatalogModel::kMaxEntries);
  ASSERT_FALSE(platform.messages.empty());
  EXPECT_TRUE(platform.messages[0].text.contains(QStringLiteral("32767")));
}

// Typing starts in the path field, and the shortcut filter leaves it its
// editing keys: Ctrl+A selects the path instead of showing the whole movie.
TEST_F(SearchWindowTest, ThePathFieldKeepsItsEditingKeys) {
  form().show();
  search::Form3& w = window();
  EXPECT_EQ(w.focusWidget(), w.Dir1Path);
  QApplication::setActiveWindow(&w);
  w.Dir1Path->setFocus();
  QKeyEvent selectAll(QEvent::KeyPress, Qt::Key_A, Qt::ControlModifier);
  QCoreApplication::sendEvent(w.windowHandle(), &selectAll);
  EXPECT_EQ(w.Dir1Path->selectedText(), w.Dir1Path->text());
}

TEST_F(SearchWindowTest, AClosedWindowComesBackEmpty) {
  search::Form3* first = &window();
  first->results->append({QStringLiteral("/m/1.swf")});
  first->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  search::Form3& second = window();
  EXPECT_EQ(second.results->List1->count(), 0);
}

}  // namespace
}  // namespace quelvo::test
