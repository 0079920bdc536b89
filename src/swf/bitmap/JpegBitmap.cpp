#include "swf/bitmap/JpegBitmap.h"

#include <QRgb>
#include <cstddef>
#include <initializer_list>
#include <string>

#include "swf/base/Log.h"
#include "swf/bitmap/BitmapInflate.h"
#include "swf/bitmap/EmbeddedImage.h"
#include "swf/bitmap/JpegJoin.h"
#include "swf/bitmap/PremultipliedPixel.h"
#include "swf/format/TagCodes.h"

namespace quelvo::swf {

namespace {

// Each scan costs the decoder a pass over the whole picture; encoders write
// a handful, so many more can only be meant to stall the player.
constexpr std::size_t kMaxJpegScans = 100;

Expected<QImage> decodeJpeg(std::initializer_list<std::span<const std::uint8_t>> pieces,
                            std::uint64_t offset) {
  const JoinedJpeg jpeg = joinJpegPieces(pieces);
  if (jpeg.scans > kMaxJpegScans) {
    return Error{"JPEG data has " + std::to_string(jpeg.scans) + " scans", offset};
  }
  return decodeEmbeddedImage(jpeg.bytes, ImageKind::Jpeg, offset);
}

void applyAlpha(QImage& image, std::span<const std::uint8_t> alpha) {
  const int width = image.width();
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    const std::uint8_t* row = alpha.data() + std::size_t(y) * std::size_t(width);
    for (int x = 0; x < width; ++x) {
      const QRgb colour = line[x];
      line[x] = premultipliedPixel(qRed(colour), qGreen(colour), qBlue(colour), row[x]);
    }
  }
}

void applyAlphaPlane(QImage& image, std::span<const std::uint8_t> zlibData, std::uint64_t offset) {
  if (zlibData.empty()) return;
  const std::size_t needed = std::size_t(image.width()) * std::size_t(image.height());
  const auto alpha = inflateBitmapData(zlibData, needed, offset);
  if (alpha) {
    applyAlpha(image, *alpha);
  } else {
    qCDebug(lcSwf) << "alpha plane unusable, bitmap left opaque:"
                   << alpha.error().describe().c_str();
  }
}

}  // namespace

Expected<Bitmap> decodeJpegBitmap(const TagRecord& tag, std::span<const std::uint8_t> jpegTables) {
  ByteReader reader = tag.reader();
  Bitmap bitmap;
  bitmap.id = reader.u16();
  const bool hasAlpha = tag.code == tags::DefineBitsJpeg3 || tag.code == tags::DefineBitsJpeg4;
  const std::uint32_t imageSize = hasAlpha ? reader.u32() : 0;
  if (tag.code == tags::DefineBitsJpeg4) reader.u16();  // deblocking strength
  const std::uint64_t dataOffset = reader.offset();
  const auto data = reader.bytes(hasAlpha ? imageSize : reader.remaining());
  if (reader.failed()) return *reader.error();

  // DefineBits holds JPEG data only; the others say by their content.
  const ImageKind kind = tag.code == tags::DefineBits ? ImageKind::Jpeg : sniffImageKind(data);
  auto decoded = tag.code == tags::DefineBits ? decodeJpeg({jpegTables, data}, dataOffset)
                 : kind == ImageKind::Jpeg    ? decodeJpeg({data}, dataOffset)
                                              : decodeEmbeddedImage(data, kind, dataOffset);
  if (!decoded) return decoded.error();
  bitmap.image = std::move(*decoded);
  if (hasAlpha && kind == ImageKind::Jpeg) {
    const std::uint64_t alphaOffset = reader.offset();
    applyAlphaPlane(bitmap.image, reader.bytes(reader.remaining()), alphaOffset);
  }
  return bitmap;
}

}  // namespace quelvo::swf
