#include "search/FolderWalker.h"

#include <QDir>
#include <iterator>
#include <system_error>

#include "platform/FileNames.h"

namespace quelvo::search {

namespace fs = std::filesystem;

namespace {

// ".swf" at the end, the letters in either case, for any character type, so the walk can test the
// raw names without decoding them. Setting bit 0x20 lowers exactly the ASCII capitals S, W and F.
template <typename Char>
bool endsWithMovieSuffix(const Char* text, size_t size) {
  if (size < 4) return false;
  const Char* tail = text + size - 4;
  const auto lowered = [](Char c) { return static_cast<char32_t>(c) | 0x20; };
  return tail[0] == '.' && lowered(tail[1]) == U's' && lowered(tail[2]) == U'w' &&
         lowered(tail[3]) == U'f';
}

bool stopRequested(const std::atomic<bool>* stop) {
  return stop && stop->load(std::memory_order_relaxed);
}

// The entry's name ends the path, so testing the path's end tests the name.
bool isMovieEntry(const fs::directory_entry& entry) {
  const auto& path = entry.path().native();
  return endsWithMovieSuffix(path.data(), path.size());
}

// A real folder (never a link to one) whose name does not start with '.'. The type comes from the
// directory listing itself; only file systems that leave it out cost a system call.
bool isFolderToEnter(const fs::directory_entry& entry) {
  std::error_code error;
  if (entry.is_symlink(error) || !entry.is_directory(error)) return false;
  return entry.path().filename().native().front() != '.';
}

struct FolderListing {
  std::vector<fs::path> matches;
  std::vector<fs::path> subfolders;
};

// One folder's matching paths and the subfolders to enter, in the order the file system reports
// them. False when the folder cannot be read, or when the walk is stopped while reading it.
bool listFolder(const fs::path& folder, const std::atomic<bool>* stop, FolderListing& listing) {
  listing.matches.clear();
  listing.subfolders.clear();
  std::error_code error;
  fs::directory_iterator entries(folder, error);
  for (; !error && entries != fs::directory_iterator(); entries.increment(error)) {
    if (stopRequested(stop)) return false;
    if (isMovieEntry(*entries)) listing.matches.push_back(entries->path());
    if (isFolderToEnter(*entries)) listing.subfolders.push_back(entries->path());
  }
  return !error;
}

}  // namespace

bool isMovieName(QStringView name) {
  return endsWithMovieSuffix(name.utf16(), size_t(name.size()));
}

QString startFolder(const QString& folder) {
  if (folder.isEmpty()) return {};
  QString result = QDir::fromNativeSeparators(folder);
  while (result.endsWith(u'/')) result.chop(1);
  return result + u'/';
}

WalkCounts walkFolders(const QString& start, const FolderVisit& visit,
                       const std::atomic<bool>* stop) {
  const auto visitDecoded = [&visit](const fs::path& folder, const std::vector<fs::path>& matches) {
    QStringList paths;
    paths.reserve(qsizetype(matches.size()));
    for (const auto& match : matches) paths.append(platform::fromNativePath(match));
    return visit(startFolder(platform::fromNativePath(folder)), paths);
  };
  return walkNativeFolders(platform::toNativePath(start), visitDecoded, stop);
}

WalkCounts walkNativeFolders(const fs::path& start, const NativeFolderVisit& visit,
                             const std::atomic<bool>* stop) {
  WalkCounts counts;
  std::vector<fs::path> pending{start};  // folders still to enter, the next one last
  FolderListing listing;
  while (!pending.empty() && !stopRequested(stop)) {
    const fs::path folder = std::move(pending.back());
    pending.pop_back();
    if (!listFolder(folder, stop, listing)) continue;
    ++counts.folders;
    counts.matches += qint64(listing.matches.size());
    if (!visit(folder, listing.matches)) break;
    pending.insert(pending.end(), std::make_move_iterator(listing.subfolders.rbegin()),
                   std::make_move_iterator(listing.subfolders.rend()));
  }
  return counts;
}

}  // namespace quelvo::search
