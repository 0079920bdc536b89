#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <csignal>

#include "core/settings/SettingsStore.h"
#include "support/TempProgramFolder.h"

namespace quelvo::core {
namespace {

const QString kName = QStringLiteral("Quelvo.ini");

class SettingsStoreTest : public ::testing::Test {
 protected:
  test::TempProgramFolder folder;
  SettingsStore store{folder.settingsPath()};

  QString read(const char* section, const char* key) const {
    return store.ReadSetting(QString::fromLatin1(section), QString::fromLatin1(key));
  }
};

TEST_F(SettingsStoreTest, FirstWriteCreatesTheFileAndEveryReadSeesTheFileAsItIsNow) {
  EXPECT_FALSE(store.exists());
  EXPECT_EQ(read("WIN", "W"), u"");
  EXPECT_TRUE(store.removeKey(QStringLiteral("WIN"), QStringLiteral("W")));
  EXPECT_FALSE(store.exists());  // nothing to remove: no file made for it

  EXPECT_TRUE(store.write(QStringLiteral("WIN"), QStringLiteral("W"), QStringLiteral("9000")));
  EXPECT_TRUE(store.exists());
  EXPECT_EQ(folder.readFile(kName), "[WIN]\r\nW=9000\r\n");
  folder.writeFile(kName, "[win]\nw = 1\n[X]\nx=2\n");
  EXPECT_EQ(read("WIN", "W"), u"1");

  EXPECT_TRUE(store.removeKey(QStringLiteral("win"), QStringLiteral("W")));
  EXPECT_TRUE(store.removeSection(QStringLiteral("x")));
  EXPECT_EQ(folder.readFile(kName), "[win]\n");
}

TEST_F(SettingsStoreTest, BatchChangesAreSavedAtOnce) {
  folder.writeFile(kName, "; kept\n[A]\na=1\n");
  ProfileDocument document = store.load();
  document.set(QStringLiteral("A"), QStringLiteral("b"), QStringLiteral("2"));
  document.set(QStringLiteral("B"), QStringLiteral("c"), QStringLiteral("3"));
  EXPECT_TRUE(store.save(document));
  EXPECT_EQ(folder.readFile(kName), "; kept\n[A]\na=1\nb=2\r\n[B]\r\nc=3\r\n");
}

TEST_F(SettingsStoreTest, OversizedFileReadsEmptyAndIsNeverReplaced) {
  folder.writeFile(kName, "[A]\r\na=1\r\n");
  QFile file(folder.settingsPath());
  ASSERT_TRUE(file.resize(kMaxSettingsFileSize + 1));  // sparse: no disk space used
  EXPECT_EQ(read("A", "a"), u"");
  EXPECT_FALSE(store.write(QStringLiteral("A"), QStringLiteral("a"), QStringLiteral("2")));
  EXPECT_FALSE(store.save(ProfileDocument()));
  EXPECT_EQ(QFileInfo(folder.settingsPath()).size(), kMaxSettingsFileSize + 1);
}

TEST_F(SettingsStoreTest, DocumentTooBigToReadBackIsNotSaved) {
  folder.writeFile(kName, "[A]\r\na=1\r\n");
  ProfileDocument document;
  const QString value(1024 * 1024, u'v');
  for (int i = 0; i < 65; ++i) document.set(QStringLiteral("A"), QString::number(i), value);
  EXPECT_FALSE(store.save(document));
  EXPECT_EQ(folder.readFile(kName), "[A]\r\na=1\r\n");
}

TEST_F(SettingsStoreTest, FailedWriteLeavesTheOldFile) {
  folder.writeFile(kName, "[A]\r\na=1\r\n");
  // A file size limit makes the write of the replacement fail, even for root.
  rlimit previous{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &previous), 0);
  const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit limited = previous;
  limited.rlim_cur = 64;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
  // Qt buffers small writes and passes large ones straight through: both must fail.
  const bool writtenSmall =
      store.write(QStringLiteral("A"), QStringLiteral("b"), QString(200, u'x'));
  const bool writtenLarge =
      store.write(QStringLiteral("A"), QStringLiteral("b"), QString(99999, u'x'));
  setrlimit(RLIMIT_FSIZE, &previous);
  std::signal(SIGXFSZ, previousHandler);

  EXPECT_FALSE(writtenSmall);
  EXPECT_FALSE(writtenLarge);
  EXPECT_EQ(folder.readFile(kName), "[A]\r\na=1\r\n");
  EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{kName});
}

TEST_F(SettingsStoreTest, ReadOnlyFolderLeavesTheOldFile) {
  if (geteuid() == 0) GTEST_SKIP() << "root can write into read-only folders";
  folder.writeFile(kName, "[A]\r\na=1\r\n");
  QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner);
  const bool written = store.write(QStringLiteral("A"), QStringLiteral("a"), QStringLiteral("2"));
  QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  EXPECT_FALSE(written);
  EXPECT_EQ(folder.readFile(kName), "[A]\r\na=1\r\n");
}

}  // namespace
}  // namespace quelvo::core
