#include "catalog/FileSelection.h"

#include <QDir>

#include "core/Paths.h"

namespace quelvo::catalog {

FileSelection GetDlgSelectFileInfo(const QStringList& chosenPaths) {
  FileSelection selection;
  for (const QString& path : chosenPaths) {
    // A bare name (no separator) lies in the current folder.
    const QString folder = core::folderOf(path);
    const bool bare = folder == path;
    if (selection.names.isEmpty()) {
      selection.folder = core::withTrailingSeparator(bare ? QDir::currentPath() : folder);
    }
    selection.names << (bare ? path : path.mid(folder.size()));
  }
  return selection;
}

}  // namespace quelvo::catalog
