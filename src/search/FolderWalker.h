#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <QtGlobal>
#include <atomic>
#include <filesystem>
#include <functional>
#include <vector>

namespace quelvo::search {

// True for a name the search lists: it ends with ".swf", the letters in any case. Only ASCII
// letters count, the same test the walk makes on undecoded names.
bool isMovieName(QStringView name);

// The folder a walk starts from, with exactly one trailing '/' (a root like "/" stays "/"). An
// empty folder stays empty: there is nothing to walk.
QString startFolder(const QString& folder);

struct WalkCounts {
  qint64 folders = 0;  // folders visited
  qint64 matches = 0;  // paths handed to the visits
};

using FolderVisit = std::function<bool(const QString& folder, const QStringList& matches)>;

// Walks `start` (as startFolder gives it) depth first. For each folder entered, calls
// visit(folder, matches) once, before entering any of its subfolders, with `folder` ending in '/'
// and the full paths (folder + name) of its entries whose names match, files and folders alike,
// in the order the file system reports them. Then enters its subfolders in that same order.
// Folders whose name starts with '.' and links to folders are listed when their names match but
// never entered. A folder that cannot be read is skipped silently: no visit, and the walk goes on
// with the next one. The walk ends at once when visit returns false, or when `stop` (may be
// null; set by another thread) is found set; it is checked before each folder and each entry.
WalkCounts walkFolders(const QString& start, const FolderVisit& visit,
                       const std::atomic<bool>* stop = nullptr);

using NativeFolderVisit = std::function<bool(const std::filesystem::path& folder,
                                             const std::vector<std::filesystem::path>& matches)>;

// The same walk on the names as the file system stores them (bytes on Linux, never decoded), for
// a caller that must give them back exactly. Paths are joined by std::filesystem, so `folder` has
// no trailing separator except as `start` gave it.
WalkCounts walkNativeFolders(const std::filesystem::path& start, const NativeFolderVisit& visit,
                             const std::atomic<bool>* stop = nullptr);

}  // namespace quelvo::search
