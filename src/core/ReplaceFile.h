#pragma once

#include <QByteArray>
#include <QString>

namespace quelvo::core {

// Replaces the file at `path` with `bytes` atomically: they go to a temporary file in the same
// folder that is renamed over the old file only once all of them are written, so a failed write
// or a killed process leaves the old file as it was. False when nothing was replaced.
bool replaceFile(const QString& path, const QByteArray& bytes);

}  // namespace quelvo::core
