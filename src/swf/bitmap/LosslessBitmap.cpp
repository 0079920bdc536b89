#include "swf/bitmap/LosslessBitmap.h"

#include <array>
#include <cstddef>
#include <vector>

#include "swf/bitmap/BitmapInflate.h"
#include "swf/bitmap/PremultipliedPixel.h"
#include "swf/format/TagCodes.h"

namespace quelvo::swf {

namespace {

enum Format : std::uint8_t { ColourMapped = 3, Rgb15 = 4, Rgb32 = 5 };

constexpr std::size_t paddedRow(std::size_t bytes) { return (bytes + 3) & ~std::size_t{3}; }

// 5 bits to 8, spreading the top bits into the low ones so 31 becomes 255.
constexpr std::uint8_t expand5(unsigned value) {
  return static_cast<std::uint8_t>(value << 3 | value >> 2);
}

using Palette = std::array<QRgb, 256>;

Palette readPalette(std::span<const std::uint8_t> data, std::size_t colours, bool withAlpha) {
  Palette palette{};  // entries past the table stay transparent
  const std::size_t stride = withAlpha ? 4 : 3;
  for (std::size_t i = 0; i < colours; ++i) {
    const std::uint8_t* c = data.data() + i * stride;
    palette[i] = withAlpha ? premultipliedPixel(c[0], c[1], c[2], c[3]) : qRgb(c[0], c[1], c[2]);
  }
  return palette;
}

QRgb pixelAt(const std::uint8_t* p, Format format, bool withAlpha, const Palette& palette) {
  switch (format) {
    case ColourMapped:
      return palette[p[0]];
    case Rgb15: {
      const unsigned value = p[0] << 8 | p[1];
      return qRgb(expand5(value >> 10 & 31), expand5(value >> 5 & 31), expand5(value & 31));
    }
    case Rgb32:
      break;
  }
  return withAlpha ? premultipliedPixel(p[1], p[2], p[3], p[0]) : qRgb(p[1], p[2], p[3]);
}

}  // namespace

Expected<Bitmap> decodeLosslessBitmap(const TagRecord& tag) {
  const bool withAlpha = tag.code == tags::DefineBitsLossless2;
  ByteReader reader = tag.reader();
  Bitmap bitmap;
  bitmap.id = reader.u16();
  const std::uint64_t formatOffset = reader.offset();
  const auto format = static_cast<Format>(reader.u8());
  const std::uint64_t sizeOffset = reader.offset();
  const std::uint16_t width = reader.u16();
  const std::uint16_t height = reader.u16();
  const std::size_t colours = format == ColourMapped ? reader.u8() + std::size_t{1} : 0;
  if (reader.failed()) return *reader.error();

  if (format != ColourMapped && format != Rgb32 && (format != Rgb15 || withAlpha)) {
    return Error{"unsupported bitmap format " + std::to_string(static_cast<unsigned>(format)),
                 formatOffset};
  }
  const std::uint64_t pixels = std::uint64_t{width} * height;
  if (pixels == 0 || pixels > kMaxBitmapPixels) {
    return Error{"unusable bitmap size " + std::to_string(width) + "x" + std::to_string(height),
                 sizeOffset};
  }

  const std::size_t pixelBytes = format == ColourMapped ? 1 : format == Rgb15 ? 2 : 4;
  const std::size_t paletteBytes = colours * (withAlpha ? 4 : 3);
  const std::size_t rowBytes = paddedRow(width * pixelBytes);
  // The padding after the last row is never read, so it need not be there.
  const std::size_t needed = paletteBytes + rowBytes * (height - 1) + width * pixelBytes;
  const std::uint64_t dataOffset = reader.offset();
  const auto data = inflateBitmapData(reader.bytes(reader.remaining()), needed, dataOffset);
  if (!data) return data.error();

  const Palette palette = readPalette(*data, colours, withAlpha);
  bitmap.image = QImage(width, height, QImage::Format_ARGB32_Premultiplied);
  if (bitmap.image.isNull()) return Error{"no memory for the bitmap", sizeOffset};
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* row = data->data() + paletteBytes + y * rowBytes;
    auto* line = reinterpret_cast<QRgb*>(bitmap.image.scanLine(y));
    for (int x = 0; x < width; ++x)
      line[x] = pixelAt(row + x * pixelBytes, format, withAlpha, palette);
  }
  return bitmap;
}

}  // namespace quelvo::swf
