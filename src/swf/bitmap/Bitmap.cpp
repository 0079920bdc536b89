#include "swf/bitmap/Bitmap.h"

#include "swf/bitmap/JpegBitmap.h"
#include "swf/bitmap/LosslessBitmap.h"
#include "swf/format/TagCodes.h"

namespace quelvo::swf {

bool isBitmapTag(std::uint16_t code) {
  switch (code) {
    case tags::DefineBits:
    case tags::DefineBitsJpeg2:
    case tags::DefineBitsJpeg3:
    case tags::DefineBitsJpeg4:
    case tags::DefineBitsLossless:
    case tags::DefineBitsLossless2:
      return true;
    default:
      return false;
  }
}

Expected<Bitmap> decodeBitmap(const TagRecord& tag, std::span<const std::uint8_t> jpegTables) {
  switch (tag.code) {
    case tags::DefineBitsLossless:
    case tags::DefineBitsLossless2:
      return decodeLosslessBitmap(tag);
    case tags::DefineBits:
    case tags::DefineBitsJpeg2:
    case tags::DefineBitsJpeg3:
    case tags::DefineBitsJpeg4:
      return decodeJpegBitmap(tag, jpegTables);
    default:
      return Error{"tag " + std::to_string(tag.code) + " is not a bitmap", tag.offset};
  }
}

}  // namespace quelvo::swf
