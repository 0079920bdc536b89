#include "skins/RegionFile.h"

#include <QtEndian>

namespace quelvo::skins {

namespace {

constexpr qsizetype kRecordSize = 8;

qint16 field(QByteArrayView record, int index) {
  return qFromLittleEndian<qint16>(record.data() + 2 * index);
}

// Unions regions pairwise, like a binary counter, so n rectangles cost about
// n log n small unions instead of n unions with an ever larger region.
class RegionUnion {
 public:
  void add(const QRect& rect) {
    QRegion region(rect);
    int size = 1;
    while (!stack_.empty() && stack_.back().size == size) {
      region = stack_.back().region.united(region);
      stack_.pop_back();
      size *= 2;
    }
    stack_.push_back({region, size});
  }
  QRegion result() const {
    QRegion all;
    for (const Part& part : stack_) all = all.united(part.region);
    return all;
  }
  bool empty() const { return stack_.empty(); }

 private:
  struct Part {
    QRegion region;
    int size;
  };
  std::vector<Part> stack_;
};

}  // namespace

RegionFile readRegionFile(QByteArrayView bytes, const QSize& picture) {
  RegionFile file;
  const qsizetype whole = bytes.size() / kRecordSize;
  file.trailingBytes = bytes.size() % kRecordSize != 0;
  file.capped = whole > RegionFile::kMaxRecords;
  file.records = std::min(whole, RegionFile::kMaxRecords);
  const QRect bounds(QPoint(0, 0), picture);
  RegionUnion shape;
  for (qsizetype i = 0; i < file.records; ++i) {
    const QByteArrayView record = bytes.sliced(i * kRecordSize, kRecordSize);
    const int left = field(record, 0);
    const int right = field(record, 1);
    const int top = field(record, 2);
    const int bottom = field(record, 3);
    const QRect rect = QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)).intersected(bounds);
    if (right <= left || bottom <= top || rect.isEmpty()) {
      ++file.skipped;
      continue;
    }
    shape.add(rect);
  }
  if (!shape.empty()) file.shape = shape.result();
  return file;
}

QByteArray encodeRegionFile(const std::vector<QRect>& rectangles) {
  QByteArray bytes;
  bytes.reserve(static_cast<qsizetype>(rectangles.size()) * kRecordSize);
  for (const QRect& rect : rectangles) {
    const qint16 fields[4] = {
        static_cast<qint16>(rect.left()), static_cast<qint16>(rect.left() + rect.width()),
        static_cast<qint16>(rect.top()), static_cast<qint16>(rect.top() + rect.height())};
    for (qint16 value : fields) {
      char le[2];
      qToLittleEndian(value, le);
      bytes.append(le, 2);
    }
  }
  return bytes;
}

}  // namespace quelvo::skins
