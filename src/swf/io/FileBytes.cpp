#include "swf/io/FileBytes.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <system_error>

namespace quelvo::swf {

namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

std::string shownName(const std::filesystem::path& path) {
  const std::u8string name = path.u8string();
  return std::string(name.begin(), name.end());
}

std::FILE* openForReading(const std::filesystem::path& path) {
#ifdef _WIN32
  return _wfopen(path.c_str(), L"rb");
#else
  return std::fopen(path.c_str(), "rb");
#endif
}

}  // namespace

Expected<std::vector<std::uint8_t>> readFileBytes(const std::filesystem::path& path,
                                                  std::size_t limit) {
  const std::string name = shownName(path);
  std::error_code ignored;
  if (std::filesystem::is_directory(path, ignored)) {
    return Error{"cannot open " + name + ": it is a folder", 0};
  }
  const std::unique_ptr<std::FILE, FileCloser> file(openForReading(path));
  if (!file) return Error{"cannot open " + name + ": " + std::strerror(errno), 0};
  constexpr std::size_t kPiece = 1024 * 1024;
  std::vector<std::uint8_t> bytes;
  for (;;) {
    const std::size_t used = bytes.size();
    bytes.resize(used + kPiece);
    const std::size_t got = std::fread(bytes.data() + used, 1, kPiece, file.get());
    bytes.resize(used + got);
    if (bytes.size() > limit) {
      return Error{
          "cannot read " + name + ": larger than the limit of " + std::to_string(limit) + " bytes",
          0};
    }
    if (got < kPiece) {
      if (std::ferror(file.get())) return Error{"cannot read " + name + ": read error", 0};
      return bytes;
    }
  }
}

}  // namespace quelvo::swf
