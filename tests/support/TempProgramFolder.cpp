#include "support/TempProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace quelvo::test {

TempProgramFolder::TempProgramFolder()
    : dir_(QDir::tempPath() + QStringLiteral("/quelvo-XXXXXX")) {}

QString TempProgramFolder::path() const {
  return QDir::toNativeSeparators(dir_.path()) + QDir::separator();
}

QString TempProgramFolder::filePath(const QString& name) const { return path() + name; }

void TempProgramFolder::writeFile(const QString& name, const QByteArray& bytes) const {
  const QString target = filePath(name);
  QDir().mkpath(QFileInfo(target).absolutePath());
  QFile file(target);
  if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) file.write(bytes);
}

QByteArray TempProgramFolder::readFile(const QString& name) const {
  QFile file(filePath(name));
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

bool TempProgramFolder::exists(const QString& name) const {
  return QFileInfo::exists(filePath(name));
}

}  // namespace quelvo::test
