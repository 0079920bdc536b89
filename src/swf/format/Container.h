#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "swf/base/Expected.h"

namespace quelvo::swf {

enum class Compression { None, Zlib, Lzma };

// Largest uncompressed body a movie may have; decompression stops there.
inline constexpr std::size_t kMaxBodyBytes = std::size_t{256} * 1024 * 1024;

// A movie file with its body decompressed: the FWS layout, where the 8-byte
// file header is bytes 0-7 and the body follows. Every offset the engine
// reports is an index into these bytes.
struct UncompressedMovie {
  Compression compression = Compression::None;
  std::uint32_t declaredLength = 0;  // the header's length field, as written
  std::uint64_t fileSize = 0;        // bytes in the file as given
  std::vector<std::uint8_t> bytes;
  // The body stopped before its proper end (cut, corrupt or over the cap);
  // what was decoded is kept and stays readable.
  bool truncated = false;
  std::string problem;  // what was wrong with the container, empty when nothing
};

// Checks the signature and decompresses the body as far as the data allows,
// whatever the length field says.
Expected<UncompressedMovie> readContainer(std::span<const std::uint8_t> file,
                                          std::size_t bodyLimit = kMaxBodyBytes);

const char* signatureName(Compression compression);

}  // namespace quelvo::swf
