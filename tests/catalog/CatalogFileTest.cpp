#include <gtest/gtest.h>

#include <QStringEncoder>

#include "catalog/CatalogFile.h"
#include "catalog/CatalogList.h"
#include "catalog/CatalogModel.h"
#include "catalog/CatalogText.h"
#include "catalog/ShellOpen.h"
#include "playback/MovieControlArray.h"
#include "support/PlayerFixture.h"

namespace quelvo::test {
namespace {

using catalog::Entry;

TEST(CatalogText, ReadingRules) {
  const auto entries = catalog::parseCatalogText(
      QStringLiteral("\r\nC:\\a.swf|a\r\nC:\\b.swf\nC:\\c.swf|c|d\rC:\\e.swf|\r\n\r\n"));
  ASSERT_EQ(entries.size(), 4u);
  EXPECT_EQ(entries[0].displayText, QStringLiteral("a"));
  EXPECT_EQ(entries[1].path, QStringLiteral("C:\\b.swf"));
  EXPECT_TRUE(entries[1].displayText.isEmpty());
  EXPECT_EQ(entries[2].displayText, QStringLiteral("c|d"));
  EXPECT_EQ(entries[3].path, QStringLiteral("C:\\e.swf"));
}

TEST(CatalogText, ExportOfTwoEntriesIsExactlyTwoCrLfLines) {
  TempProgramFolder folder;
  const QString path = folder.filePath(QStringLiteral("out.qvl"));
  ASSERT_TRUE(
      catalog::writeCatalogFile(path, {{QStringLiteral("C:\\a.swf"), QStringLiteral("a")},
                                       {QStringLiteral("C:\\b.swf"), QStringLiteral("b")}}));
  EXPECT_EQ(folder.readFile(QStringLiteral("out.qvl")),
            QByteArray("C:\\a.swf|a\r\nC:\\b.swf|b\r\n"));
}

TEST(CatalogText, Gb18030FileFromAnotherSystemReads) {
  TempProgramFolder folder;
  QStringEncoder gb18030("GB18030");
  const QByteArray bytes = gb18030(QStringLiteral("D:\\动画\\夜曲.swf|夜曲\r\n"));
  folder.writeFile(QStringLiteral("gb.qvl"), bytes);
  const auto entries = catalog::readCatalogFile(folder.filePath(QStringLiteral("gb.qvl")));
  ASSERT_TRUE(entries);
  ASSERT_EQ(entries->size(), 1u);
  EXPECT_EQ(entries->front().path, QStringLiteral("D:\\动画\\夜曲.swf"));
  EXPECT_EQ(entries->front().displayText, QStringLiteral("夜曲"));
}

TEST(CatalogText, JunkAndHugeLinesNeverCrash) {
  TempProgramFolder folder;
  QByteArray junk(300000, 'x');
  junk += "|y\r\n";
  for (int i = 0; i < 256; ++i) junk += static_cast<char>(i);
  folder.writeFile(QStringLiteral("junk.qvl"), junk);
  const auto entries = catalog::readCatalogFile(folder.filePath(QStringLiteral("junk.qvl")));
  ASSERT_TRUE(entries);
  ASSERT_GE(entries->size(), 1u);
  EXPECT_EQ(entries->front().path.size(), 300000);
}

class CatalogFileTest : public PlayerFixture {
 protected:
  void SetUp() override { ASSERT_TRUE(start()); }
};

TEST_F(CatalogFileTest, ImportReplacesTheCatalogAndClosesTheMovieEvenWhenEmpty) {
  open({movieFile(QStringLiteral("a.swf"))});
  folder.writeFile(QStringLiteral("empty.qvl"), "\r\n\r\n");
  platform.openFileAnswers.push_back(folder.filePath(QStringLiteral("empty.qvl")));
  part<catalog::CatalogFile>().MNULOAD_Click();
  EXPECT_EQ(catalog().count(), 0);
  EXPECT_EQ(movie().TotalFrames(), 0);
  EXPECT_EQ(session().folders.catalog(), folder.path());
  ASSERT_EQ(platform.openFileRequests.size(), 1u);
  EXPECT_EQ(platform.openFileRequests[0].title, QStringLiteral("Flash目录"));
  EXPECT_EQ(platform.openFileRequests[0].filter, QStringLiteral("Flash目录(*.qvl)|*.qvl"));
  EXPECT_EQ(platform.openFileRequests[0].initialFolder,
            QStringLiteral("%USERPROFILE%\\My Documents"));
}

TEST_F(CatalogFileTest, ExportThenImportRoundTripsDisplayTextsWithBars) {
  catalog().append({{QStringLiteral("/m/a.swf"), QStringLiteral("a|b")},
                    {QStringLiteral("/m/c.swf"), QString()}});
  platform.saveFileAnswers.push_back(folder.filePath(QStringLiteral("list")));
  part<catalog::CatalogFile>().MNUSAVE_Click();
  catalog().clear();
  platform.openFileAnswers.push_back(folder.filePath(QStringLiteral("list")));
  part<catalog::CatalogFile>().MNULOAD_Click();
  ASSERT_EQ(catalog().count(), 2);
  EXPECT_EQ(catalog().displayText(0), QStringLiteral("a|b"));
  EXPECT_EQ(catalog().path(1), QStringLiteral("/m/c.swf"));
  EXPECT_EQ(part<catalog::CatalogList>().selectedRow(), 0);
}

TEST_F(CatalogFileTest, CancelledExportWritesNothing) {
  catalog().append({{QStringLiteral("/m/a.swf"), QStringLiteral("a")}});
  part<catalog::CatalogFile>().MNUSAVE_Click();
  EXPECT_TRUE(session().folders.catalog().isEmpty());
}

TEST(ShellFailureMessage, CoversTheTableAndUnknownCodes) {
  EXPECT_EQ(catalog::shellFailureMessage(31), QStringLiteral("没有相应的文件连接"));
  EXPECT_EQ(catalog::shellFailureMessage(2), QStringLiteral("文件没有找到"));
  EXPECT_EQ(catalog::shellFailureMessage(4), QStringLiteral("其他未知错误"));
  EXPECT_EQ(catalog::shellFailureMessage(-1), QStringLiteral("其他未知错误"));
}

TEST_F(CatalogFileTest, RunAndOpenFolderGoThroughTheShell) {
  const QString movie = movieFile(QStringLiteral("夜曲.swf"));
  platform.shellAnswers = {31, 4, 42};
  catalog::runShellCommand(platform, QStringLiteral("夜曲"), movie, 1);
  catalog::runShellCommand(platform, QStringLiteral("夜曲"), movie, 2);
  catalog::runShellCommand(platform, QStringLiteral("夜曲"), movie, 2);
  EXPECT_EQ(platform.shellTargets, (QStringList{movie, folder.path(), folder.path()}));
  ASSERT_EQ(platform.messages.size(), 2u);
  EXPECT_EQ(platform.messages[0].text, QStringLiteral("没有相应的文件连接"));
  EXPECT_EQ(platform.messages[0].title, QStringLiteral("Quelvo"));
  EXPECT_EQ(platform.messages[1].text, QStringLiteral("其他未知错误"));
}

TEST_F(CatalogFileTest, RunDoesNothingForEmptyTextsOrVanishedFiles) {
  catalog::runShellCommand(platform, QString(), movieFile(QStringLiteral("a.swf")), 1);
  catalog::runShellCommand(platform, QStringLiteral("x"), folder.filePath(QStringLiteral("x.swf")),
                           1);
  catalog::runShellCommand(platform, QStringLiteral("x"), folder.filePath(QStringLiteral("x.swf")),
                           2);
  EXPECT_TRUE(platform.shellTargets.isEmpty());
  EXPECT_TRUE(platform.messages.empty());
}

TEST_F(CatalogFileTest, HelpOpensTheReadmeOrSaysItIsMissing) {
  part<catalog::ShellCommands>().MNUHELPHELP_Click();
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].text, QStringLiteral("不好意思，没找着。"));
  EXPECT_EQ(platform.messages[0].title, QStringLiteral("提示"));
  folder.writeFile(QStringLiteral("readme.txt"), "help");
  part<catalog::ShellCommands>().MNUHELPHELP_Click();
  EXPECT_EQ(platform.shellTargets, QStringList{folder.filePath(QStringLiteral("readme.txt"))});
}

}  // namespace
}  // namespace quelvo::test
