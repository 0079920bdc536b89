#pragma once

#include <QString>
#include <filesystem>

namespace quelvo::platform {

// Paths as the program holds them: a QString with '/' separators that shows the name readably and
// still names exactly one file. On Linux a name is bytes in no fixed encoding, so each name in a
// path is decoded on its own: as UTF-8 when it is valid UTF-8, else as GB18030 when it is exactly
// that, else as UTF-8 with each stray byte kept as a lone surrogate U+DC80..U+DCFF. toNativePath
// turns any of the three back into the bytes on disk; a name that could have either Unicode
// encoding is looked up as UTF-8 first and as GB18030 when only that one is there. On Windows,
// names are UTF-16 already and both directions are plain conversions.
QString fromNativePath(const std::filesystem::path& path);
std::filesystem::path toNativePath(const QString& path);

// The file system's answers for such a path; all false when the path names nothing.
bool isFile(const QString& path);    // a file, links followed
bool isFolder(const QString& path);  // a folder, links followed
bool exists(const QString& path);
bool isReadable(const QString& path);
// Hidden: the name starts with '.' on Linux and macOS; the file's hidden attribute on Windows.
bool isHidden(const QString& path);

}  // namespace quelvo::platform
