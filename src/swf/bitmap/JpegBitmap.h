#pragma once

#include <cstdint>
#include <span>

#include "swf/base/Expected.h"
#include "swf/bitmap/Bitmap.h"
#include "swf/format/TagRecord.h"

namespace quelvo::swf {

// DefineBits (JPEG data completed by the movie's JPEGTables), DefineBitsJPEG2
// (a JPEG, PNG or GIF file) and DefineBitsJPEG3/4 (the same plus a
// zlib-compressed alpha plane, one byte per pixel, used with JPEG data only;
// DefineBitsJPEG4's deblocking value is not used). The JPEG colours are
// taken as premultiplied by that alpha. A missing, short or corrupt alpha
// plane leaves the picture opaque.
Expected<Bitmap> decodeJpegBitmap(const TagRecord& tag, std::span<const std::uint8_t> jpegTables);

}  // namespace quelvo::swf
