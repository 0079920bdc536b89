#include <gtest/gtest.h>

#include "BitmapFixtures.h"
#include "MovieTestSupport.h"
#include "swf/bitmap/BitmapLibrary.h"
#include "swf/format/TagCodes.h"

namespace quelvo::swf {
namespace {

using namespace bitmaptest;

Bytes withId(std::uint16_t id, const Bytes& rest) {
  return concat({{static_cast<std::uint8_t>(id), static_cast<std::uint8_t>(id >> 8)}, rest});
}

// A 1x1 DefineBitsLossless body of one colour.
Bytes onePixel(std::uint16_t id, QRgb colour) {
  const Bytes pixel{0, std::uint8_t(qRed(colour)), std::uint8_t(qGreen(colour)),
                    std::uint8_t(qBlue(colour))};
  return withId(id, concat({{5, 1, 0, 1, 0}, zlib(pixel)}));
}

TEST(BitmapLibraryTest, FindsBitmapsOfAMovieAndDecodesEachOnce) {
  const auto [tables, image] = splitJpeg(encoded(quadrants(), "jpeg"));
  swftest::TagStream stream;
  stream.tag(tags::DefineBits, withId(1, image), true);
  stream.tag(tags::JpegTables, tables, true);  // used even when it comes later
  stream.tag(tags::DefineBitsLossless, onePixel(2, qRgb(10, 20, 30)), true);
  stream.tag(tags::DefineBitsLossless, onePixel(2, qRgb(99, 99, 99)), true);
  stream.tag(tags::DefineBitsJpeg2, withId(3, Bytes{1, 2, 3}), true);
  stream.defineRectangle(4, {0, 20, 0, 20}, {});
  stream.showFrame().end();
  const auto movie = parseOk({}, stream);
  ASSERT_TRUE(movie);

  BitmapLibrary library(movie->definitions());
  EXPECT_EQ(library.size(), 3u);
  EXPECT_TRUE(library.contains(3));
  EXPECT_FALSE(library.contains(4));  // a shape

  const QImage* jpeg = library.find(1);
  ASSERT_TRUE(jpeg);
  EXPECT_EQ(jpeg->size(), QSize(32, 32));
  EXPECT_TRUE(near(jpeg->pixel(8, 8), qRgb(255, 0, 0)));
  EXPECT_EQ(library.find(1), jpeg);

  const QImage* first = library.find(2);
  ASSERT_TRUE(first);
  EXPECT_EQ(first->pixel(0, 0), qRgb(10, 20, 30));

  EXPECT_EQ(library.find(3), nullptr);
  EXPECT_EQ(library.find(3), nullptr);
  EXPECT_EQ(library.find(4), nullptr);
  EXPECT_EQ(library.find(5), nullptr);
}

}  // namespace
}  // namespace quelvo::swf
