#include "swf/format/Header.h"

#include "swf/io/ByteReader.h"

namespace quelvo::swf {

Expected<Header> readHeader(std::span<const std::uint8_t> movie, Compression compression) {
  constexpr std::uint64_t kStageOffset = 8;
  ByteReader reader(movie);
  reader.skip(3);
  Header header;
  header.compression = compression;
  header.version = reader.u8();
  header.declaredLength = reader.u32();
  if (reader.failed()) return Error{"file ends inside the 8-byte header", movie.size()};

  header.stage = reader.rect();
  if (reader.failed()) return Error{"header: stage rectangle cut short", kStageOffset};
  header.frameRateRaw = reader.u16();
  header.frameCount = reader.u16();
  if (reader.failed()) return Error{"header: frame rate and count cut short", reader.offset()};
  header.tagStreamOffset = reader.offset();
  return header;
}

}  // namespace quelvo::swf
