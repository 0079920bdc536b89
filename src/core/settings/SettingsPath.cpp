#include "core/settings/SettingsPath.h"

#include <QDir>
#include <QFile>
#include <QTemporaryFile>

namespace quelvo::core {

namespace {

// Permission bits do not tell (read-only media, access lists, another owner): try it.
bool canCreateFilesIn(const QString& folder) {
  QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".quelvo-write-test-XXXXXX")));
  return probe.open();  // the probe file is removed when it goes out of scope
}

}  // namespace

QString settingsPathFor(const QString& folder) {
  const QString fileName = QStringLiteral("Quelvo.ini");
  if (folder.isEmpty() || folder.endsWith(u'/') || folder.endsWith(u'\\')) return folder + fileName;
  return folder + QDir::separator() + fileName;
}

QString chooseSettingsPath(const QString& programFolder, const QString& userConfigFolder) {
  if (canCreateFilesIn(programFolder)) return settingsPathFor(programFolder);
  QDir().mkpath(userConfigFolder);
  const QString userPath = settingsPathFor(userConfigFolder);
  if (!QFile::exists(userPath) && QFile::copy(settingsPathFor(programFolder), userPath)) {
    // The copy takes the permissions of a file that may have been installed read-only.
    QFile::setPermissions(userPath,
                          QFile::permissions(userPath) | QFile::ReadOwner | QFile::WriteOwner);
  }
  return userPath;
}

}  // namespace quelvo::core
