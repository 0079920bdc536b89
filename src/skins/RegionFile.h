#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QRect>
#include <QRegion>
#include <QSize>
#include <optional>
#include <vector>

namespace quelvo::skins {

// A skin's window shape: the region file "data" of its folder. The file is a
// run of 8-byte records, each a rectangle in window pixels given as four
// signed 16-bit little-endian numbers in the order left, right, top, bottom
// (right and bottom exclusive). The shape is the union of the rectangles.
struct RegionFile {
  // Records beyond this many are ignored, which bounds the time a damaged or
  // hostile file takes (8 MB of records).
  static constexpr qsizetype kMaxRecords = 1 << 20;

  // The union, or nullopt when the file has no usable rectangle: the window
  // then keeps its full rectangle.
  std::optional<QRegion> shape;
  qsizetype records = 0;       // whole records read (at most kMaxRecords)
  qsizetype skipped = 0;       // empty rectangles, or ones wholly outside the picture
  bool capped = false;         // records beyond kMaxRecords were ignored
  bool trailingBytes = false;  // a partial record at the end was ignored
};

// Reads a region file. Rectangles are clipped to the picture (0, 0, size);
// rectangles whose right is not beyond their left, or whose bottom is not
// below their top, are skipped. Never fails.
RegionFile readRegionFile(QByteArrayView bytes, const QSize& picture);

// The file form of these rectangles, for the tools that make the pictures.
QByteArray encodeRegionFile(const std::vector<QRect>& rectangles);

}  // namespace quelvo::skins
