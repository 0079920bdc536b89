#pragma once

#include <QString>
#include <QStringList>

namespace quelvo::catalog {

// The files chosen in the last accepted open dialog: the folder (ending in the
// separator) and the names in dialog order. The catalog-file reader walks it
// with `position`.
struct FileSelection {
  QString folder;
  QStringList names;
  int position = 0;

  int count() const { return static_cast<int>(names.size()); }
  QString pathAt(int index) const { return folder + names.value(index); }
};

// Builds the selection from the full paths the dialog returned: the folder of
// the first file, ending in one separator, and every file name in order.
FileSelection GetDlgSelectFileInfo(const QStringList& chosenPaths);

}  // namespace quelvo::catalog
