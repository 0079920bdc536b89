#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "core/settings/SettingsPath.h"
#include "support/TempProgramFolder.h"

namespace quelvo::core {
namespace {

TEST(SettingsPathTest, InsertsASeparatorOnlyWhenTheFolderLacksOne) {
  const QString native = QDir::separator();
  EXPECT_EQ(settingsPathFor(QStringLiteral("C:\\")), u"C:\\Quelvo.ini");
  EXPECT_EQ(settingsPathFor(QStringLiteral("/")), u"/Quelvo.ini");
  EXPECT_EQ(settingsPathFor(QStringLiteral("/opt/quelvo/")), u"/opt/quelvo/Quelvo.ini");
  EXPECT_EQ(settingsPathFor(QStringLiteral("D:\\Games")),
            QStringLiteral("D:\\Games") + native + QStringLiteral("Quelvo.ini"));
  EXPECT_EQ(settingsPathFor(QStringLiteral("/opt/quelvo")),
            QStringLiteral("/opt/quelvo") + native + QStringLiteral("Quelvo.ini"));
  EXPECT_EQ(settingsPathFor(QString()), u"Quelvo.ini");
}

TEST(SettingsPathTest, WritableProgramFolderIsUsed) {
  const test::TempProgramFolder program;
  const QTemporaryDir user;
  const QString userFolder = user.filePath(QStringLiteral("config"));
  EXPECT_EQ(chooseSettingsPath(program.path(), userFolder), program.settingsPath());
  EXPECT_FALSE(QFileInfo::exists(userFolder));
  // The write probe leaves nothing behind.
  EXPECT_TRUE(QDir(program.path()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
}

TEST(SettingsPathTest, MissingProgramFolderFallsBackToTheUserFolder) {
  const QTemporaryDir user;
  const QString userFolder = user.filePath(QStringLiteral("a/b"));
  EXPECT_EQ(chooseSettingsPath(user.filePath(QStringLiteral("missing")), userFolder),
            settingsPathFor(userFolder));
  EXPECT_TRUE(QFileInfo(userFolder).isDir());
}

TEST(SettingsPathTest, ReadOnlyProgramFolderHandsItsSettingsToTheUserFolder) {
  if (geteuid() == 0) GTEST_SKIP() << "root can write into read-only folders";
  const test::TempProgramFolder program;
  program.writeFile(QStringLiteral("Quelvo.ini"), "[WIN]\r\nW=1\r\n");
  QFile::setPermissions(program.settingsPath(), QFile::ReadOwner);
  QFile::setPermissions(program.path(), QFile::ReadOwner | QFile::ExeOwner);
  const QTemporaryDir user;
  const QString chosen = chooseSettingsPath(program.path(), user.path());
  QFile::setPermissions(program.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

  EXPECT_EQ(chosen, settingsPathFor(user.path()));
  QFile copy(chosen);
  ASSERT_TRUE(copy.open(QIODevice::ReadWrite));  // writable although the original was not
  EXPECT_EQ(copy.readAll(), "[WIN]\r\nW=1\r\n");
}

}  // namespace
}  // namespace quelvo::core
