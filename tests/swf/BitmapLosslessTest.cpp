#include <gtest/gtest.h>

#include <optional>

#include "BitmapFixtures.h"
#include "swf/bitmap/Bitmap.h"
#include "swf/format/TagCodes.h"

namespace quelvo::swf {
namespace {

using namespace bitmaptest;

constexpr std::uint16_t kId = 42;
constexpr std::uint8_t kColourMapped = 3;
constexpr std::uint8_t kRgb15 = 4;
constexpr std::uint8_t kRgb32 = 5;

Bytes losslessBody(std::uint8_t format, std::uint16_t width, std::uint16_t height,
                   const Bytes& zlibData, std::optional<std::uint8_t> lastColour = std::nullopt) {
  swftest::ByteWriter body;
  body.u16(kId).u8(format).u16(width).u16(height);
  if (lastColour) body.u8(*lastColour);
  body.bytes(zlibData);
  return body.data();
}

Expected<Bitmap> decode(std::uint16_t code, const Bytes& body) {
  return decodeBitmap(recordOf(code, body), {});
}

std::vector<QRgb> pixels(const QImage& image) {
  std::vector<QRgb> all;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) all.push_back(image.pixel(x, y));
  return all;
}

TEST(BitmapLosslessTest, ColourMappedRowsSkipTheirPaddingAndUnknownIndicesAreTransparent) {
  // Three pixels a row, padded to four with an index that must not show up.
  const Bytes rows{0, 1, 2, 1, /* row 2 */ 2, 9, 0, 1};
  const Bytes rgbTable{255, 0, 0, 0, 255, 0, 0, 0, 255};
  const auto opaque = decode(tags::DefineBitsLossless,
                             losslessBody(kColourMapped, 3, 2, zlib(concat({rgbTable, rows})), 2));
  ASSERT_TRUE(opaque) << opaque.error().describe();
  EXPECT_EQ(opaque->id, kId);
  EXPECT_EQ(opaque->image.format(), QImage::Format_ARGB32_Premultiplied);
  EXPECT_EQ(opaque->image.size(), QSize(3, 2));
  EXPECT_EQ(pixels(opaque->image),
            (std::vector<QRgb>{qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(0, 0, 255),
                               0, qRgb(255, 0, 0)}));

  // DefineBitsLossless2 tables are RGBA, premultiplied; colour above its
  // alpha is clamped to keep the image valid.
  const Bytes rgbaTable{128, 0, 0, 128, 255, 255, 255, 128, 0, 0, 0, 0};
  const auto translucent =
      decode(tags::DefineBitsLossless2,
             losslessBody(kColourMapped, 3, 2, zlib(concat({rgbaTable, rows})), 2));
  ASSERT_TRUE(translucent) << translucent.error().describe();
  EXPECT_EQ(pixels(translucent->image),
            (std::vector<QRgb>{qRgba(128, 0, 0, 128), qRgba(128, 128, 128, 128), 0, 0, 0,
                               qRgba(128, 0, 0, 128)}));
}

TEST(BitmapLosslessTest, FifteenBitPixelsAreBigEndianAndExpandToFullRange) {
  // Three 2-byte pixels a row, padded to 8 bytes.
  const Bytes rows{0x7C, 0x00, 0x03, 0xE0, 0x00, 0x1F, 0xEE, 0xEE,
                   0xFF, 0xFF, 0x42, 0x10, 0x00, 0x00, 0xEE, 0xEE};
  const auto bitmap = decode(tags::DefineBitsLossless, losslessBody(kRgb15, 3, 2, zlib(rows)));
  ASSERT_TRUE(bitmap) << bitmap.error().describe();
  // The top bit is unused; 16 of 31 becomes 132.
  EXPECT_EQ(pixels(bitmap->image),
            (std::vector<QRgb>{qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255),
                               qRgb(255, 255, 255), qRgb(132, 132, 132), qRgb(0, 0, 0)}));

  const auto withAlpha = decode(tags::DefineBitsLossless2, losslessBody(kRgb15, 3, 2, zlib(rows)));
  ASSERT_FALSE(withAlpha);
  EXPECT_EQ(withAlpha.error().offset, kBodyOffset + 2);
}

TEST(BitmapLosslessTest, ThirtyTwoBitPixelsAreOpaqueOrPremultiplied) {
  const Bytes data{0x00, 10, 20, 30, 0x77, 40, 50, 60, 128, 100, 50, 0, 64, 200, 10, 0};
  const auto opaque = decode(tags::DefineBitsLossless, losslessBody(kRgb32, 2, 2, zlib(data)));
  ASSERT_TRUE(opaque) << opaque.error().describe();
  EXPECT_EQ(pixels(opaque->image), (std::vector<QRgb>{qRgb(10, 20, 30), qRgb(40, 50, 60),
                                                      qRgb(100, 50, 0), qRgb(200, 10, 0)}));

  const auto premultiplied =
      decode(tags::DefineBitsLossless2, losslessBody(kRgb32, 2, 2, zlib(data)));
  ASSERT_TRUE(premultiplied) << premultiplied.error().describe();
  EXPECT_EQ(pixels(premultiplied->image),
            (std::vector<QRgb>{0, qRgba(40, 50, 60, 0x77), qRgba(100, 50, 0, 128),
                               qRgba(64, 10, 0, 64)}));
}

TEST(BitmapLosslessTest, LastRowMayLackItsPaddingButNotItsPixels) {
  const Bytes table{1, 2, 3};
  const auto unpadded =
      decode(tags::DefineBitsLossless,
             losslessBody(kColourMapped, 3, 2, zlib(concat({table, Bytes(7, 0)})), 0));
  ASSERT_TRUE(unpadded) << unpadded.error().describe();
  EXPECT_EQ(unpadded->image.pixel(2, 1), qRgb(1, 2, 3));

  const auto cut = decode(tags::DefineBitsLossless,
                          losslessBody(kColourMapped, 3, 2, zlib(concat({table, Bytes(6, 0)})), 0));
  ASSERT_FALSE(cut);
  EXPECT_EQ(cut.error().offset, kBodyOffset + 8);
  EXPECT_NE(cut.error().message.find("9 of 10 bytes"), std::string::npos) << cut.error().message;
}

TEST(BitmapLosslessTest, BadHeadersAreErrorsAtTheirField) {
  const Bytes data = zlib(Bytes(16, 0));
  struct Case {
    const char* what;
    Bytes body;
    std::uint64_t offset;
  };
  const std::vector<Case> cases{
      {"unknown format", losslessBody(7, 2, 2, data), kBodyOffset + 2},
      {"no width", losslessBody(kRgb32, 0, 2, data), kBodyOffset + 3},
      {"no height", losslessBody(kRgb32, 2, 0, data), kBodyOffset + 3},
      {"beyond the pixel cap", losslessBody(kRgb32, 65535, 65535, data), kBodyOffset + 3},
      {"header cut short", Bytes{42, 0, kRgb32, 2, 0}, kBodyOffset + 5},
      {"no colour table size", Bytes{42, 0, kColourMapped, 2, 0, 2, 0}, kBodyOffset + 7},
  };
  for (const Case& c : cases) {
    const auto bitmap = decode(tags::DefineBitsLossless, c.body);
    ASSERT_FALSE(bitmap) << c.what;
    EXPECT_EQ(bitmap.error().offset, c.offset) << c.what << ": " << bitmap.error().describe();
  }
}

TEST(BitmapLosslessTest, DataThatCannotHoldTheDeclaredPixelsFailsBeforeInflating) {
  // 4000 x 4000 x 4 bytes from 12 bytes of zlib data: refused on the sizes
  // alone, before any output is allocated.
  const auto bitmap =
      decode(tags::DefineBitsLossless2, losslessBody(kRgb32, 4000, 4000, zlib(Bytes(4, 0))));
  ASSERT_FALSE(bitmap);
  EXPECT_EQ(bitmap.error().offset, kBodyOffset + 7);
  EXPECT_NE(bitmap.error().message.find("cannot hold"), std::string::npos)
      << bitmap.error().message;
}

TEST(BitmapLosslessTest, CorruptOrMissingZlibDataIsAnErrorAtTheData) {
  Bytes corrupt = zlib(Bytes(400, 7));
  corrupt[2] = 0xFF;  // a deflate block type that does not exist
  Bytes cutShort = zlib(Bytes(400, 7));
  cutShort.resize(cutShort.size() / 2);
  const std::vector<std::pair<const char*, Bytes>> cases{{"corrupt", corrupt},
                                                         {"cut short", cutShort},
                                                         {"absent", Bytes{}},
                                                         {"not zlib", Bytes(9, 1)}};
  for (const auto& [what, data] : cases) {
    const auto bitmap = decode(tags::DefineBitsLossless, losslessBody(kRgb32, 10, 10, data));
    ASSERT_FALSE(bitmap) << what;
    EXPECT_EQ(bitmap.error().offset, kBodyOffset + 7) << what << ": " << bitmap.error().describe();
  }
}

}  // namespace
}  // namespace quelvo::swf
