#pragma once

#include <QString>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

namespace quelvo::swf {

// The local file a script names: an absolute path or file: URL as it is, a
// relative one from folder. Another scheme, a network (UNC) path, or a
// relative name without a folder, names none.
std::optional<std::filesystem::path> localPath(const QString& url,
                                               const std::filesystem::path& folder);

// The bytes of the file localPath names, when it is a regular file of at
// most maxBytes. A name that is no local file is logged as a refused load.
std::optional<std::vector<std::uint8_t>> readLocalFile(const QString& url,
                                                       const std::filesystem::path& folder,
                                                       qint64 maxBytes);

}  // namespace quelvo::swf
