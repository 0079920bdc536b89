#pragma once

#include <QString>
#include <QTemporaryDir>

namespace quelvo::test {

// A throw-away program folder (ending in the separator) for one test, with
// helpers to write and read files beside the "executable".
class TempProgramFolder {
 public:
  TempProgramFolder();

  // The folder, ending in the native separator.
  QString path() const;
  QString filePath(const QString& name) const;
  QString settingsPath() const { return filePath(QStringLiteral("Quelvo.ini")); }

  void writeFile(const QString& name, const QByteArray& bytes) const;
  QByteArray readFile(const QString& name) const;
  bool exists(const QString& name) const;

 private:
  QTemporaryDir dir_;
};

}  // namespace quelvo::test
