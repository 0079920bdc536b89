#pragma once

#include <QString>

namespace quelvo::platform {
class Platform;
}

namespace quelvo::catalog {

// Tells the user that a catalog entry's file has gone.
void showMissingFile(platform::Platform& platform, const QString& path);

// True when a normal file (not hidden, not a folder) exists at the path.
bool isPlayableFile(const QString& path);

}  // namespace quelvo::catalog
