#pragma once

#include "swf/base/Expected.h"
#include "swf/bitmap/Bitmap.h"
#include "swf/format/TagRecord.h"

namespace quelvo::swf {

// DefineBitsLossless and DefineBitsLossless2: colour-mapped (format 3),
// 15-bit (format 4, DefineBitsLossless only) and 32-bit (format 5) pixels,
// zlib-compressed, rows padded to 4 bytes. DefineBitsLossless2 colours are
// premultiplied by their alpha. A colour index past the colour table gives a
// transparent pixel.
Expected<Bitmap> decodeLosslessBitmap(const TagRecord& tag);

}  // namespace quelvo::swf
