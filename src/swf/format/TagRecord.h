#pragma once

#include <cstdint>
#include <span>

#include "swf/io/ByteReader.h"

namespace quelvo::swf {

// One tag record of a tag stream. The body points into the movie's own
// uncompressed bytes and is exactly as long as the record header declares.
struct TagRecord {
  std::uint16_t code = 0;
  std::uint8_t headerSize = 2;  // 2 for a short header, 6 for a long one
  std::uint64_t offset = 0;     // of the record header in the movie
  std::span<const std::uint8_t> body;

  std::uint64_t bodyOffset() const { return offset + headerSize; }
  ByteReader reader() const { return ByteReader(body, bodyOffset()); }
};

}  // namespace quelvo::swf
