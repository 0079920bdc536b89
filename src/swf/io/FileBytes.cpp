#include "swf/io/FileBytes.h"

#include <QFile>
#include <QFileInfo>

namespace quelvo::swf {

Expected<std::vector<std::uint8_t>> readFileBytes(const QString& path, std::size_t limit) {
  const std::string name = path.toStdString();
  if (QFileInfo(path).isDir()) return Error{"cannot open " + name + ": it is a folder", 0};
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    return Error{"cannot open " + name + ": " + file.errorString().toStdString(), 0};
  }
  constexpr std::size_t kPiece = 1024 * 1024;
  std::vector<std::uint8_t> bytes;
  for (;;) {
    const std::size_t used = bytes.size();
    bytes.resize(used + kPiece);
    const qint64 got = file.read(reinterpret_cast<char*>(bytes.data() + used), kPiece);
    if (got < 0) return Error{"cannot read " + name + ": " + file.errorString().toStdString(), 0};
    bytes.resize(used + static_cast<std::size_t>(got));
    if (bytes.size() > limit) {
      return Error{
          "cannot read " + name + ": larger than the limit of " + std::to_string(limit) + " bytes",
          0};
    }
    if (got == 0) return bytes;
  }
}

}  // namespace quelvo::swf
