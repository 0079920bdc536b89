#include <gtest/gtest.h>

#include <QPainter>

#include "BitmapFixtures.h"
#include "swf/bitmap/Bitmap.h"
#include "swf/format/TagCodes.h"

namespace quelvo::swf {
namespace {

using namespace bitmaptest;

constexpr std::uint16_t kId = 7;
const Bytes kStrayPair{0xFF, 0xD9, 0xFF, 0xD8};

// DefineBits and DefineBitsJPEG2: the id, then the picture.
Bytes plainBody(const Bytes& data) { return concat({{kId, 0}, data}); }

// DefineBitsJPEG3, or DefineBitsJPEG4 with a deblocking value.
Bytes alphaBody(const Bytes& data, const Bytes& alpha, bool deblock = false,
                std::optional<std::uint32_t> declaredSize = std::nullopt) {
  swftest::ByteWriter body;
  body.u16(kId).u32(declaredSize.value_or(static_cast<std::uint32_t>(data.size())));
  if (deblock) body.u16(0x0100);
  return concat({body.data(), data, alpha});
}

Expected<Bitmap> decode(std::uint16_t code, const Bytes& body, const Bytes& tables = {}) {
  return decodeBitmap(recordOf(code, body), tables);
}

// Centres of the red, green, blue and grey quadrants.
void expectQuadrants(const Expected<Bitmap>& bitmap, const char* what) {
  ASSERT_TRUE(bitmap) << what << ": " << bitmap.error().describe();
  EXPECT_EQ(bitmap->id, kId) << what;
  ASSERT_EQ(bitmap->image.size(), QSize(32, 32)) << what;
  EXPECT_EQ(bitmap->image.format(), QImage::Format_ARGB32_Premultiplied) << what;
  const QImage& image = bitmap->image;
  EXPECT_TRUE(near(image.pixel(8, 8), qRgb(255, 0, 0))) << what;
  EXPECT_TRUE(near(image.pixel(24, 8), qRgb(0, 255, 0))) << what;
  EXPECT_TRUE(near(image.pixel(8, 24), qRgb(0, 0, 255))) << what;
  EXPECT_TRUE(near(image.pixel(24, 24), qRgb(100, 100, 100))) << what;
}

// Rewrites the frame size in a baseline JPEG's SOF0 segment.
Bytes withJpegSize(Bytes jpeg, std::uint16_t width, std::uint16_t height) {
  for (std::size_t i = 2; i + 9 < jpeg.size(); ++i) {
    if (jpeg[i] != 0xFF || jpeg[i + 1] != 0xC0) continue;
    jpeg[i + 5] = height >> 8, jpeg[i + 6] = height & 0xFF;
    jpeg[i + 7] = width >> 8, jpeg[i + 8] = width & 0xFF;
    break;
  }
  return jpeg;
}

TEST(BitmapJpegTest, Jpeg2TellsJpegPngAndGifApartByContent) {
  expectQuadrants(decode(tags::DefineBitsJpeg2, plainBody(encoded(quadrants(), "jpeg"))), "jpeg");
  expectQuadrants(decode(tags::DefineBitsJpeg2, plainBody(encoded(quadrants(), "png"))), "png");

  // PNG and GIF alpha is straight; it comes out premultiplied.
  QImage translucent(2, 1, QImage::Format_ARGB32);
  translucent.setPixel(0, 0, qRgba(255, 0, 0, 128));
  translucent.setPixel(1, 0, qRgba(0, 255, 0, 0));
  const auto png = decode(tags::DefineBitsJpeg2, plainBody(encoded(translucent, "png")));
  ASSERT_TRUE(png) << png.error().describe();
  EXPECT_TRUE(near(png->image.pixel(0, 0), qRgba(128, 0, 0, 128), 1));
  EXPECT_EQ(png->image.pixel(1, 0), 0u);

  const std::vector<QRgb> colours{qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(9, 9, 9)};
  const auto gifBitmap =
      decode(tags::DefineBitsJpeg2, plainBody(gif(2, 2, colours, {0, 1, 2, 3}, 3)));
  ASSERT_TRUE(gifBitmap) << gifBitmap.error().describe();
  EXPECT_EQ(gifBitmap->image.format(), QImage::Format_ARGB32_Premultiplied);
  EXPECT_EQ(gifBitmap->image.pixel(0, 0), qRgb(255, 0, 0));
  EXPECT_EQ(gifBitmap->image.pixel(1, 0), qRgb(0, 255, 0));
  EXPECT_EQ(gifBitmap->image.pixel(0, 1), qRgb(0, 0, 255));
  EXPECT_EQ(gifBitmap->image.pixel(1, 1), 0u);
}

TEST(BitmapJpegTest, StrayEndAndStartMarkersAreDropped) {
  const Bytes jpeg = encoded(quadrants(), "jpeg");
  const auto [tables, image] = splitJpeg(jpeg);
  expectQuadrants(decode(tags::DefineBitsJpeg2, plainBody(concat({kStrayPair, jpeg}))),
                  "jpeg2 with the stray pair ahead");
  expectQuadrants(decode(tags::DefineBitsJpeg2, plainBody(concat({tables, image}))),
                  "jpeg2 as tables stream plus image stream");
  expectQuadrants(decode(tags::DefineBitsJpeg2, plainBody(concat({kStrayPair, tables, image}))),
                  "jpeg2 with both");
}

TEST(BitmapJpegTest, DefineBitsCompletesItsDataWithTheMovieTables) {
  const Bytes jpeg = encoded(quadrants(), "jpeg");
  const auto [tables, image] = splitJpeg(jpeg);
  expectQuadrants(decode(tags::DefineBits, plainBody(image), tables), "tables apart");
  expectQuadrants(decode(tags::DefineBits, plainBody(concat({kStrayPair, image})), tables),
                  "stray pair ahead of the data");
  expectQuadrants(decode(tags::DefineBits, plainBody(image), concat({kStrayPair, tables})),
                  "stray pair ahead of the tables");
  expectQuadrants(decode(tags::DefineBits, plainBody(jpeg), {}), "whole JPEG, empty tables");

  const auto withoutTables = decode(tags::DefineBits, plainBody(image), {});
  ASSERT_FALSE(withoutTables);
  EXPECT_EQ(withoutTables.error().offset, kBodyOffset + 2);
}

// Alpha for the quadrants: red half transparent, green invisible, blue
// opaque, grey mostly opaque.
Bytes quadrantAlpha() {
  Bytes alpha(32 * 32);
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x)
      alpha[y * 32 + x] = y < 16 ? (x < 16 ? 128 : 0) : (x < 16 ? 255 : 200);
  }
  return alpha;
}

TEST(BitmapJpegTest, Jpeg3And4AlphaPlaneMakesPremultipliedPixels) {
  const Bytes jpeg = encoded(quadrants(), "jpeg");
  for (const bool jpeg4 : {false, true}) {
    const auto code = jpeg4 ? tags::DefineBitsJpeg4 : tags::DefineBitsJpeg3;
    const auto bitmap = decode(code, alphaBody(jpeg, zlib(quadrantAlpha()), jpeg4));
    ASSERT_TRUE(bitmap) << bitmap.error().describe();
    // The JPEG colours count as premultiplied already: they are clamped to
    // the alpha, not multiplied by it (grey 100 stays 100).
    EXPECT_TRUE(near(bitmap->image.pixel(8, 8), qRgba(128, 0, 0, 128))) << jpeg4;
    EXPECT_EQ(bitmap->image.pixel(24, 8), 0u) << jpeg4;
    EXPECT_TRUE(near(bitmap->image.pixel(8, 24), qRgb(0, 0, 255))) << jpeg4;
    EXPECT_TRUE(near(bitmap->image.pixel(24, 24), qRgba(100, 100, 100, 200))) << jpeg4;
  }
}

TEST(BitmapJpegTest, UnusableAlphaPlaneLeavesThePictureOpaque) {
  const Bytes jpeg = encoded(quadrants(), "jpeg");
  Bytes shortPlane = zlib(Bytes(32 * 31, 0));
  Bytes corruptPlane = zlib(quadrantAlpha());
  corruptPlane[2] = 0xFF;
  Bytes cutPlane = zlib(quadrantAlpha());
  cutPlane.resize(cutPlane.size() / 2);
  const std::vector<std::pair<const char*, Bytes>> planes{
      {"missing", {}}, {"short", shortPlane}, {"corrupt", corruptPlane}, {"cut", cutPlane}};
  for (const auto& [what, plane] : planes) {
    expectQuadrants(decode(tags::DefineBitsJpeg3, alphaBody(jpeg, plane)), what);
  }
  // The plane applies to JPEG data only.
  expectQuadrants(decode(tags::DefineBitsJpeg3,
                         alphaBody(encoded(quadrants(), "png"), zlib(Bytes(32 * 32, 0)))),
                  "png");
}

TEST(BitmapJpegTest, BrokenOrForeignDataIsAnErrorAtTheData) {
  const Bytes jpeg = encoded(quadrants(), "jpeg");
  const auto foreign = decode(tags::DefineBitsJpeg2, plainBody(encoded(quadrants(), "bmp")));
  ASSERT_FALSE(foreign);
  EXPECT_EQ(foreign.error().offset, kBodyOffset + 2);

  const auto onlyStart = decode(tags::DefineBitsJpeg2, plainBody({0xFF, 0xD8}));
  ASSERT_FALSE(onlyStart);
  EXPECT_EQ(onlyStart.error().offset, kBodyOffset + 2);

  // Image data said to run past the tag.
  const auto overlong =
      decode(tags::DefineBitsJpeg3, alphaBody(jpeg, {}, false, std::uint32_t(jpeg.size() + 1)));
  ASSERT_FALSE(overlong);
  EXPECT_EQ(overlong.error().offset, kBodyOffset + 6);
}

TEST(BitmapJpegTest, CutShortPicturesFailOrKeepTheirSize) {
  for (const char* format : {"jpeg", "png"}) {
    Bytes data = encoded(quadrants(), format);
    data.resize(data.size() * 2 / 3);
    const auto bitmap = decode(tags::DefineBitsJpeg2, plainBody(data));
    if (bitmap) {
      EXPECT_EQ(bitmap->image.size(), QSize(32, 32)) << format;
    } else {
      EXPECT_EQ(bitmap.error().offset, kBodyOffset + 2) << format;
    }
  }
}

TEST(BitmapJpegTest, PicturesTooCostlyForTheirDataFailBeforeDecoding) {
  QImage grey(8, 8, QImage::Format_RGB32);
  grey.fill(Qt::gray);
  const Bytes small = encoded(grey, "jpeg");
  ASSERT_LT(small.size(), 1000u);
  for (const auto& [width, height] : {std::pair(60000, 60000), std::pair(4000, 4000)}) {
    const auto bitmap =
        decode(tags::DefineBitsJpeg2, plainBody(withJpegSize(small, width, height)));
    ASSERT_FALSE(bitmap) << width;
    EXPECT_EQ(bitmap.error().offset, kBodyOffset + 2);
    EXPECT_NE(bitmap.error().message.find(std::to_string(width) + "x"), std::string::npos)
        << bitmap.error().message;
  }

  // A hundred more (empty) scans, each a decoder pass over the picture.
  Bytes manyScans = encoded(quadrants(), "jpeg");
  manyScans.resize(manyScans.size() - 2);  // drop the end marker
  const Bytes emptyScan{0xFF, 0xDA, 0, 8, 1, 1, 0, 0, 0x3F, 0};
  for (int i = 0; i < 100; ++i) manyScans = concat({manyScans, emptyScan});
  const auto scans = decode(tags::DefineBitsJpeg2, plainBody(manyScans));
  ASSERT_FALSE(scans);
  EXPECT_EQ(scans.error().message, "JPEG data has 101 scans");

  Bytes hugeGif = gif(2, 2, {qRgb(1, 2, 3)}, {0, 0, 0, 0});
  hugeGif[6] = hugeGif[7] = hugeGif[8] = hugeGif[9] = 0xFF;  // screen 65535 x 65535
  EXPECT_FALSE(decode(tags::DefineBitsJpeg2, plainBody(hugeGif)));
}

}  // namespace
}  // namespace quelvo::swf
