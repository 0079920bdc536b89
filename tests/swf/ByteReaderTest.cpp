#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

#include "swf/io/ByteReader.h"

namespace quelvo::swf {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(ByteReaderTest, ReadsLittleEndianValuesAndFixedPoint) {
  const Bytes data{0x34, 0x12, 0x78, 0x56, 0x34, 0x12, 0xFE,
                   0xFF, 0x80, 0x01, 0x00, 0x80, 0xFF, 0xFF};
  ByteReader reader(data, 100);
  EXPECT_EQ(reader.u16(), 0x1234);
  EXPECT_EQ(reader.u32(), 0x12345678u);
  EXPECT_EQ(reader.s16(), -2);
  EXPECT_DOUBLE_EQ(reader.fixed8(), 1.5);
  EXPECT_DOUBLE_EQ(reader.fixed16(), -0.5);
  EXPECT_TRUE(reader.ok());
  EXPECT_TRUE(reader.atEnd());
  EXPECT_EQ(reader.offset(), 114u);
}

TEST(ByteReaderTest, FailedReadDoesNotMoveAndFirstErrorSticks) {
  const Bytes data{1, 2, 3};
  ByteReader reader(data, 40);
  EXPECT_EQ(reader.u8(), 1);
  EXPECT_EQ(reader.u32(), 0u);  // 4 bytes wanted, 2 left
  EXPECT_TRUE(reader.failed());
  EXPECT_EQ(reader.offset(), 41u);
  EXPECT_EQ(reader.remaining(), 2u);
  ASSERT_TRUE(reader.error());
  EXPECT_EQ(reader.error()->offset, 41u);
  const std::string firstMessage = reader.error()->message;

  // Later reads fail too, even ones that would fit, and keep the first error.
  EXPECT_EQ(reader.u8(), 0);
  EXPECT_FALSE(reader.skip(1));
  EXPECT_EQ(reader.error()->message, firstMessage);
  EXPECT_EQ(reader.offset(), 41u);
}

TEST(ByteReaderTest, HugeCountsCannotWrapAround) {
  const Bytes data(16, 0xAA);
  for (const std::size_t count : {std::numeric_limits<std::size_t>::max(),
                                  std::numeric_limits<std::size_t>::max() - 3, std::size_t{17}}) {
    ByteReader reader(data);
    reader.skip(4);
    EXPECT_FALSE(reader.skip(count)) << count;
    EXPECT_TRUE(reader.bytes(count).empty()) << count;
    EXPECT_EQ(reader.offset(), 4u);
  }
  ByteReader reader(data);
  EXPECT_TRUE(reader.subReader(std::numeric_limits<std::size_t>::max()).failed());
  EXPECT_EQ(reader.offset(), 0u);
}

TEST(ByteReaderTest, SubReaderIsLimitedAndKeepsAbsoluteOffsets) {
  const Bytes data{1, 2, 3, 4, 5, 6};
  ByteReader outer(data, 1000);
  outer.u8();
  ByteReader inner = outer.subReader(3);
  EXPECT_EQ(outer.offset(), 1004u);
  EXPECT_EQ(inner.offset(), 1001u);
  EXPECT_EQ(inner.u16(), 0x0302);
  EXPECT_EQ(inner.u16(), 0);  // would run into the outer reader's bytes
  ASSERT_TRUE(inner.failed());
  EXPECT_EQ(inner.error()->offset, 1003u);
  EXPECT_TRUE(outer.ok());
  EXPECT_EQ(outer.u8(), 5);
}

TEST(ByteReaderTest, ReadsBitFieldsMostSignificantFirst) {
  // 101 | 11110 | 0111 1111 | 1000 0000 0000 0000 ...
  const Bytes data{0b10111110, 0b01111111, 0b10000000, 0x00, 0x00, 0x00, 0x40};
  ByteReader reader(data);
  EXPECT_EQ(reader.ub(3), 5u);
  EXPECT_EQ(reader.sb(5), -2);
  EXPECT_EQ(reader.sb(8), 127);
  EXPECT_EQ(reader.sb(1), -1);
  EXPECT_EQ(reader.ub(0), 0u);
  EXPECT_DOUBLE_EQ(reader.fb(31), 0.0);
  // A byte read skips the rest of the partly read byte.
  EXPECT_EQ(reader.u8(), 0x40);
  EXPECT_TRUE(reader.ok());
}

TEST(ByteReaderTest, RejectsBitFieldsWiderThan32OrPastTheEnd) {
  const Bytes data(8, 0xFF);
  ByteReader wide(data);
  EXPECT_EQ(wide.ub(33), 0u);
  EXPECT_TRUE(wide.failed());

  ByteReader shortData(data);
  shortData.ub(60);  // 60 of 64 bits: refused, 32 is the widest field
  EXPECT_TRUE(shortData.failed());
  ByteReader exact(data);
  exact.ub(32);
  exact.ub(30);
  EXPECT_EQ(exact.ub(3), 0u);  // 2 bits left
  EXPECT_TRUE(exact.failed());
  EXPECT_EQ(exact.offset(), 7u);
}

TEST(ByteReaderTest, ReadsRectAndRewindsWhenItIsCutShort) {
  // nbits = 15: 0, 11000, 0, 8000 twips; 65 bits in 9 bytes.
  const Bytes rect{0x78, 0x00, 0x05, 0x5F, 0x00, 0x00, 0x0F, 0xA0, 0x00};
  ByteReader reader(rect, 8);
  EXPECT_EQ(reader.rect(), (Rect{0, 11000, 0, 8000}));
  EXPECT_EQ(reader.offset(), 17u);

  ByteReader cut(std::span<const std::uint8_t>(rect).first(6), 8);
  EXPECT_EQ(cut.rect(), Rect{});
  EXPECT_TRUE(cut.failed());
  EXPECT_EQ(cut.offset(), 8u);
}

TEST(ByteReaderTest, ReadsColoursAndStrings) {
  const Bytes data{10, 20, 30, 1, 2, 3, 4, 'a', 'b', 0, 'c'};
  ByteReader reader(data);
  EXPECT_EQ(reader.rgb(), (Rgb{10, 20, 30}));
  EXPECT_EQ(reader.rgba(), (Rgba{1, 2, 3, 4}));
  EXPECT_EQ(reader.string(), "ab");
  EXPECT_EQ(reader.string(), "");  // "c" has no terminator
  EXPECT_TRUE(reader.failed());
  EXPECT_EQ(reader.offset(), 10u);
}

}  // namespace
}  // namespace quelvo::swf
