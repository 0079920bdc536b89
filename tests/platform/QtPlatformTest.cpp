#include <gtest/gtest.h>

#include <QDir>
#include <QStandardPaths>

#include "platform/QtPlatform.h"

namespace quelvo::test {
namespace {

TEST(QtFileFilter, TurnsCaptionPatternPairsIntoQtFilters) {
  EXPECT_EQ(platform::qtFileFilter(QStringLiteral("Flash动画(*.swf;*.qvl)|*.swf;*.qvl")),
            QStringLiteral("Flash动画(*.swf;*.qvl) (*.swf *.qvl)"));
  EXPECT_EQ(platform::qtFileFilter(QStringLiteral("位图(*.bmp)|*.bmp|全部|*.*")),
            QStringLiteral("位图(*.bmp) (*.bmp);;全部 (*.*)"));
  EXPECT_EQ(platform::qtFileFilter(QString()), QString());
}

TEST(DialogStartFolder, FallsBackToDocumentsForUnexpandedOrMissingFolders) {
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  EXPECT_EQ(platform::dialogStartFolder(QStringLiteral("%USERPROFILE%\\My Documents")), documents);
  EXPECT_EQ(platform::dialogStartFolder(QString()), documents);
  EXPECT_EQ(platform::dialogStartFolder(QDir::tempPath()), QDir::tempPath());
}

TEST(ShellOpen, ReportsMissingFilesAndFoldersWithTheClassicCodes) {
  platform::QtPlatform platform;
  EXPECT_EQ(platform.shellOpen(QDir::tempPath() + QStringLiteral("/no-such-file.swf")), 2);
  EXPECT_EQ(platform.shellOpen(QStringLiteral("/no/such/folder/file.swf")), 3);
}

}  // namespace
}  // namespace quelvo::test
