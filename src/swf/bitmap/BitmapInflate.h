#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "swf/base/Expected.h"

namespace quelvo::swf {

// Inflates the zlib data of a bitmap, which must yield at least `needed`
// bytes; inflation stops there, so extra data is never decoded or kept.
// A declaration the data cannot hold (more than deflate's best ratio allows)
// fails before anything is allocated; otherwise the output grows only as the
// data really produces it. Errors carry `offset`, where the zlib data starts.
Expected<std::vector<std::uint8_t>> inflateBitmapData(std::span<const std::uint8_t> zlibData,
                                                      std::size_t needed, std::uint64_t offset);

}  // namespace quelvo::swf
