#pragma once

#include <QImage>
#include <cstdint>
#include <span>

#include "swf/base/Expected.h"
#include "swf/format/TagRecord.h"

namespace quelvo::swf {

// A decoded bitmap character.
struct Bitmap {
  std::uint16_t id = 0;
  QImage image;  // Format_ARGB32_Premultiplied, never null
};

// The most pixels a bitmap may have (64 MiB decoded). Larger declarations are
// refused before anything is allocated for them.
inline constexpr std::uint64_t kMaxBitmapPixels = std::uint64_t{4096} * 4096;

// DefineBits, DefineBitsJPEG2/3/4 and DefineBitsLossless/2.
bool isBitmapTag(std::uint16_t code);

// Decodes a bitmap definition. jpegTables is the body of the movie's
// JPEGTables record (used by DefineBits only; may be empty). Fails with the
// offset of the field or data at fault; never reads outside tag.body.
Expected<Bitmap> decodeBitmap(const TagRecord& tag, std::span<const std::uint8_t> jpegTables);

}  // namespace quelvo::swf
