#include <gtest/gtest.h>

#include <QtEndian>

#include "skins/RegionFile.h"

namespace quelvo::test {
namespace {

using skins::readRegionFile;
using skins::RegionFile;

// A record as the file holds it: left, right, top, bottom.
QByteArray record(qint16 left, qint16 right, qint16 top, qint16 bottom) {
  QByteArray bytes(8, '\0');
  const qint16 fields[4] = {left, right, top, bottom};
  for (int i = 0; i < 4; ++i) qToLittleEndian(fields[i], bytes.data() + 2 * i);
  return bytes;
}

const QSize kPicture(400, 300);

TEST(RegionFile, NoRecordsGiveNoShapeAndOneRecordGivesThatRectangle) {
  EXPECT_FALSE(readRegionFile(QByteArray(), kPicture).shape.has_value());
  // Both x values come first: this is 100 wide and 50 high at the origin.
  const RegionFile one = readRegionFile(record(0, 100, 0, 50), kPicture);
  ASSERT_TRUE(one.shape.has_value());
  EXPECT_EQ(*one.shape, QRegion(0, 0, 100, 50));
  EXPECT_EQ(one.records, 1);
}

TEST(RegionFile, ShapeIsTheUnionAndEncodingRoundTrips) {
  const std::vector<QRect> rects{{10, 0, 380, 20}, {0, 20, 400, 260}, {10, 280, 380, 20}};
  const RegionFile file = readRegionFile(skins::encodeRegionFile(rects), kPicture);
  QRegion expected;
  for (const QRect& rect : rects) expected += rect;
  ASSERT_TRUE(file.shape.has_value());
  EXPECT_EQ(*file.shape, expected);
  EXPECT_FALSE(file.shape->contains(QPoint(2, 2)));  // a cut-away corner
}

TEST(RegionFile, DamagedRecordsAreSkippedClippedOrIgnored) {
  QByteArray bytes = record(50, 10, 0, 20)      // right before left
                     + record(0, 20, 30, 30)    // no height
                     + record(500, 600, 0, 10)  // wholly outside
                     + record(-20, 20, -5, 10)  // reaches outside: clipped
                     + record(390, 1000, 290, 32767);
  bytes.append("\x01\x02\x03", 3);  // a partial record
  const RegionFile file = readRegionFile(bytes, kPicture);
  EXPECT_EQ(file.records, 5);
  EXPECT_EQ(file.skipped, 3);
  EXPECT_TRUE(file.trailingBytes);
  ASSERT_TRUE(file.shape.has_value());
  EXPECT_EQ(*file.shape, QRegion(0, 0, 20, 10) + QRegion(390, 290, 10, 10));
}

TEST(RegionFile, HugeFileIsCappedAtItsRecordLimit) {
  const QByteArray one = record(0, 1, 0, 1);
  const QByteArray bytes = one.repeated(RegionFile::kMaxRecords + 3);
  const RegionFile file = readRegionFile(bytes, kPicture);
  EXPECT_TRUE(file.capped);
  EXPECT_EQ(file.records, RegionFile::kMaxRecords);
  ASSERT_TRUE(file.shape.has_value());
  EXPECT_EQ(*file.shape, QRegion(0, 0, 1, 1));
}

}  // namespace
}  // namespace quelvo::test
