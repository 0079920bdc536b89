// Fuzz entry point: the input is the body of every kind of bitmap tag in
// turn, and for DefineBits also its JPEGTables, so the JPEG joining, the
// picture readers, the lossless decoders and the alpha plane all see it.

#include <cstddef>
#include <cstdint>
#include <span>

#include "swf/bitmap/Bitmap.h"
#include "swf/format/TagCodes.h"

namespace {

using namespace quelvo::swf;

unsigned touch(const Expected<Bitmap>& bitmap) {
  if (!bitmap) return static_cast<unsigned>(bitmap.error().describe().size());
  const QImage& image = bitmap->image;
  return image.pixel(0, 0) + image.pixel(image.width() - 1, image.height() - 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  volatile unsigned sink = 0;
  for (const std::uint16_t code :
       {tags::DefineBits, tags::DefineBitsJpeg2, tags::DefineBitsJpeg3, tags::DefineBitsJpeg4,
        tags::DefineBitsLossless, tags::DefineBitsLossless2}) {
    sink = sink + touch(decodeBitmap(TagRecord{code, 6, 0, bytes}, {}));
  }
  sink = sink + touch(decodeBitmap(TagRecord{tags::DefineBits, 6, 0, bytes}, bytes));
  return 0;
}
