#pragma once

// Builders for bitmap tag bodies and the picture files inside them.

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QPainter>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <utility>
#include <vector>

#include "support/SwfWriter.h"
#include "swf/format/TagRecord.h"

namespace quelvo::swf::bitmaptest {

using Bytes = std::vector<std::uint8_t>;

// Where the test records pretend to sit in their movie.
constexpr std::uint64_t kTagOffset = 1000;
constexpr std::uint64_t kBodyOffset = kTagOffset + 6;

inline TagRecord recordOf(std::uint16_t code, const Bytes& body) {
  return TagRecord{code, 6, kTagOffset, body};
}

inline Bytes bytesOf(const QByteArray& data) { return Bytes(data.begin(), data.end()); }

inline Bytes concat(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

// A zlib stream (qCompress puts a 4-byte length in front of one).
inline Bytes zlib(const Bytes& data) {
  const QByteArray packed = qCompress(data.data(), static_cast<qsizetype>(data.size()), 9);
  return Bytes(packed.begin() + 4, packed.end());
}

inline Bytes encoded(const QImage& image, const char* format) {
  QByteArray data;
  QBuffer buffer(&data);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, format, format == QByteArrayLiteral("jpeg") ? 95 : -1);
  return bytesOf(data);
}

// Four solid 16x16 quadrants (red, green, blue, grey 100), so JPEG keeps the
// colours nearly exact away from the edges.
inline QImage quadrants() {
  QImage image(32, 32, QImage::Format_RGB32);
  QPainter painter(&image);
  painter.fillRect(0, 0, 16, 16, Qt::red);
  painter.fillRect(16, 0, 16, 16, Qt::green);
  painter.fillRect(0, 16, 16, 16, Qt::blue);
  painter.fillRect(16, 16, 16, 16, QColor(100, 100, 100));
  return image;
}

inline bool near(QRgb actual, QRgb expected, int tolerance = 6) {
  return std::abs(qRed(actual) - qRed(expected)) <= tolerance &&
         std::abs(qGreen(actual) - qGreen(expected)) <= tolerance &&
         std::abs(qBlue(actual) - qBlue(expected)) <= tolerance &&
         std::abs(qAlpha(actual) - qAlpha(expected)) <= tolerance;
}

// A GIF89a of at most four colours. Every code is 3 bits wide: a clear code
// after every two pixels keeps the LZW table from growing.
inline Bytes gif(int width, int height, const std::vector<QRgb>& colours,
                 const std::vector<std::uint8_t>& indices,
                 std::optional<std::uint8_t> transparent = std::nullopt) {
  swftest::ByteWriter out;
  for (char c : {'G', 'I', 'F', '8', '9', 'a'}) out.u8(static_cast<std::uint8_t>(c));
  out.u16(static_cast<std::uint16_t>(width)).u16(static_cast<std::uint16_t>(height));
  out.u8(0x81).u8(0).u8(0);  // global table of 4 colours
  for (int i = 0; i < 4; ++i) {
    const QRgb c = i < int(colours.size()) ? colours[i] : 0;
    out.u8(qRed(c)).u8(qGreen(c)).u8(qBlue(c));
  }
  if (transparent) out.u8(0x21).u8(0xF9).u8(4).u8(1).u16(0).u8(*transparent).u8(0);
  out.u8(0x2C).u16(0).u16(0).u16(static_cast<std::uint16_t>(width));
  out.u16(static_cast<std::uint16_t>(height)).u8(0);

  constexpr unsigned kClear = 4, kEnd = 5;
  std::vector<unsigned> codes{kClear};
  for (std::size_t i = 0; i < indices.size(); ++i) {
    if (i > 0 && i % 2 == 0) codes.push_back(kClear);
    codes.push_back(indices[i]);
  }
  codes.push_back(kEnd);
  Bytes packed((codes.size() * 3 + 7) / 8, 0);
  for (std::size_t i = 0; i < codes.size(); ++i) {
    for (unsigned bit = 0; bit < 3; ++bit) {
      const std::size_t at = i * 3 + bit;
      if (codes[i] >> bit & 1) packed[at / 8] |= static_cast<std::uint8_t>(1 << at % 8);
    }
  }
  out.u8(2);  // minimum code size
  for (std::size_t at = 0; at < packed.size(); at += 255) {
    const std::size_t block = std::min<std::size_t>(255, packed.size() - at);
    out.u8(static_cast<std::uint8_t>(block));
    out.bytes(std::span(packed).subspan(at, block));
  }
  out.u8(0).u8(0x3B);
  return out.data();
}

// A JPEG file cut the way DefineBits and JPEGTables carry it: the
// quantisation and Huffman tables in one stream, the rest in another, each
// bracketed by its own start and end markers.
inline std::pair<Bytes, Bytes> splitJpeg(const Bytes& jpeg) {
  Bytes tables{0xFF, 0xD8};
  Bytes image{0xFF, 0xD8};
  std::size_t at = 2;
  while (at + 4 <= jpeg.size() && jpeg[at + 1] != 0xDA) {
    const std::size_t end = at + 2 + (jpeg[at + 2] << 8 | jpeg[at + 3]);
    const bool isTable = jpeg[at + 1] == 0xDB || jpeg[at + 1] == 0xC4;
    Bytes& part = isTable ? tables : image;
    part.insert(part.end(), jpeg.begin() + at, jpeg.begin() + end);
    at = end;
  }
  image.insert(image.end(), jpeg.begin() + at, jpeg.end());  // scans and end marker
  tables.insert(tables.end(), {0xFF, 0xD9});
  return {tables, image};
}

}  // namespace quelvo::swf::bitmaptest
