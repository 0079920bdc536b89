#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <vector>

#include "swf/base/Expected.h"

namespace quelvo::swf {

// Reads a whole file, refusing one larger than limit bytes. Reads in pieces,
// so a device that never ends stops at the limit too. Errors have offset 0.
Expected<std::vector<std::uint8_t>> readFileBytes(const std::filesystem::path& path,
                                                  std::size_t limit);

}  // namespace quelvo::swf
