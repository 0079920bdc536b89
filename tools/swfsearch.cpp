// swfsearch DIR: lists every movie under DIR as the player's search finds it, one path per line
// (DIR joined with the path below it), in the order of the walk: names ending in ".swf" in any
// case, folders too; folders whose name starts with '.' and links to folders are not entered. The
// paths are written exactly as the file system stores them, whatever their encoding. A missing
// or unreadable DIR gives one "error: ..." line on stderr and exit status 1.

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "search/FolderWalker.h"

namespace {

bool printMatches(const std::filesystem::path&, const std::vector<std::filesystem::path>& matches) {
  for (const auto& match : matches) {
    const std::string line = match.string();
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: swfsearch DIR\n", stderr);
    return 2;
  }
  const std::filesystem::path start(argv[1]);
  std::error_code error;
  std::filesystem::directory_iterator probe(start, error);
  if (error) {
    std::fprintf(stderr, "error: cannot read folder %s: %s\n", argv[1], error.message().c_str());
    return 1;
  }
  quelvo::search::walkNativeFolders(start, printMatches);
  return std::fflush(stdout) == 0 ? 0 : 1;
}
