#pragma once

#include <QString>

namespace quelvo::core {

// The literal folder the file dialogs start in when none is stored.
inline const QString kDefaultDialogFolder = QStringLiteral("%USERPROFILE%\\My Documents");

// The folder part of a path: up to and including its last separator ("\" or
// "/"); a path without one is returned whole.
QString folderOf(const QString& path);

// The user guide, readme.txt in the program folder (which ends with a separator).
inline QString userGuidePath(const QString& programFolder) {
  return programFolder + QStringLiteral("readme.txt");
}

// The path with one separator at its end.
QString withTrailingSeparator(const QString& folder);

}  // namespace quelvo::core
