#include "core/ReplaceFile.h"

#include <QSaveFile>

namespace quelvo::core {

bool replaceFile(const QString& path, const QByteArray& bytes) {
  QSaveFile file(path);
  // commit() does not notice a failed flush of the write buffer (a short write on a full disk
  // would be renamed over the old file), so flush and check first. Without a commit the
  // temporary file is discarded.
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush() &&
         file.commit();
}

}  // namespace quelvo::core
