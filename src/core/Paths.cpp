#include "core/Paths.h"

#include <QDir>

namespace quelvo::core {

namespace {
bool isSeparator(QChar c) { return c == QLatin1Char('/') || c == QLatin1Char('\\'); }
}  // namespace

QString folderOf(const QString& path) {
  for (qsizetype i = path.size() - 1; i >= 0; --i) {
    if (isSeparator(path[i])) return path.left(i + 1);
  }
  return path;
}

QString withTrailingSeparator(const QString& folder) {
  if (!folder.isEmpty() && isSeparator(folder.back())) return folder;
  return folder + QDir::separator();
}

}  // namespace quelvo::core
