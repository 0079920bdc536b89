#include <gtest/gtest.h>

#include "BitmapFixtures.h"
#include "PlayerTestSupport.h"
#include "swf/format/TagCodes.h"

namespace quelvo::swf {
namespace {

namespace st = swftest;
using RGB = std::tuple<int, int, int>;

const RGB kRed{255, 0, 0}, kGreen{0, 255, 0}, kBlue{0, 0, 255}, kBlack{0, 0, 0};
const RGB kWhite{255, 255, 255};  // the stage background

// Bitmap 9: a 2x2 DefineBitsLossless of red, green / blue, black.
bitmaptest::Bytes twoByTwo() {
  const bitmaptest::Bytes pixels{0, 255, 0, 0, 0, 0, 255, 0, 0, 0, 0, 255, 0, 0, 0, 0};
  return bitmaptest::concat({{9, 0, 5, 2, 0, 2, 0}, bitmaptest::zlib(pixels)});
}

// A 50 x 100 pixel rectangle at x (twips) filled with bitmap 9, each bitmap
// pixel 10 device pixels wide, the picture's corner at the rectangle's.
st::ShapeBuilder bitmapRectangle(st::FillKind kind, std::int32_t x) {
  st::FillStyle fill;
  fill.kind = kind;
  fill.bitmapId = 9;
  fill.matrix = st::Matrix{200, 200, 0, 0, x, 0};
  st::ShapeBuilder shape;
  shape.styles({fill});
  shape.select(0, 1).polygon({{x, 0}, {x + 1000, 0}, {x + 1000, 2000}, {x, 2000}});
  return shape;
}

QImage renderBitmapFills(Quality quality, std::optional<st::ColorTransform> tint = {}) {
  st::TagStream stream;
  stream.tag(tags::DefineBitsLossless, twoByTwo(), true);
  stream.defineShape(1, bitmapRectangle(st::FillKind::RepeatingSharpBitmap, 0));
  stream.defineShape(2, bitmapRectangle(st::FillKind::ClippedSharpBitmap, 1000));
  st::Placement left = st::Placement::place(1, 1);
  left.colorTransform = tint;
  stream.placeObject(left).placeObject(st::Placement::place(2, 2)).showFrame().end();
  const auto player = playerFor(stream);
  return player ? renderStage(*player, quality) : QImage();
}

TEST(BitmapFillRenderTest, RepeatingFillsTileAndClippedFillsRepeatTheirEdgePixels) {
  const QImage image = renderBitmapFills(Quality::Low);
  ASSERT_FALSE(image.isNull());
  // Repeating: each bitmap pixel is 10 x 10, the 20 x 20 picture tiles.
  EXPECT_EQ(rgbAt(image, 5, 5), kRed);
  EXPECT_EQ(rgbAt(image, 15, 5), kGreen);
  EXPECT_EQ(rgbAt(image, 5, 15), kBlue);
  EXPECT_EQ(rgbAt(image, 15, 15), kBlack);
  EXPECT_EQ(rgbAt(image, 25, 25), kRed);
  EXPECT_EQ(rgbAt(image, 35, 95), kBlack);
  // Clipped: the picture at the rectangle's corner; past it its last column
  // repeats to the right, its last row downwards, its corner pixel beyond both.
  EXPECT_EQ(rgbAt(image, 55, 5), kRed);
  EXPECT_EQ(rgbAt(image, 65, 15), kBlack);
  EXPECT_EQ(rgbAt(image, 75, 5), kGreen);
  EXPECT_EQ(rgbAt(image, 99, 5), kGreen);
  EXPECT_EQ(rgbAt(image, 55, 25), kBlue);
  EXPECT_EQ(rgbAt(image, 55, 99), kBlue);
  EXPECT_EQ(rgbAt(image, 80, 60), kBlack);
}

TEST(BitmapFillRenderTest, ClippedFillsRepeatEdgesOnEverySideAtEveryQuality) {
  // The picture's corner in the middle of a 100 x 100 pixel square, so the
  // fill reaches past all four sides.
  st::FillStyle fill;
  fill.kind = st::FillKind::ClippedSharpBitmap;
  fill.bitmapId = 9;
  fill.matrix = st::Matrix{200, 200, 0, 0, 800, 800};
  st::ShapeBuilder shape;
  shape.styles({fill});
  shape.select(0, 1).polygon({{0, 0}, {2000, 0}, {2000, 2000}, {0, 2000}});
  st::TagStream stream;
  stream.tag(tags::DefineBitsLossless, twoByTwo(), true);
  stream.defineShape(1, shape).placeObject(st::Placement::place(1, 1)).showFrame().end();
  const auto player = playerFor(stream);
  ASSERT_TRUE(player);
  for (const Quality quality : {Quality::Low, Quality::High}) {
    const QImage image = renderStage(*player, quality);
    EXPECT_EQ(rgbAt(image, 2, 2), kRed);   // above and left: the top-left pixel
    EXPECT_EQ(rgbAt(image, 45, 2), kRed);  // above: the top row
    EXPECT_EQ(rgbAt(image, 55, 2), kGreen);
    EXPECT_EQ(rgbAt(image, 97, 45), kGreen);  // right: the last column
    EXPECT_EQ(rgbAt(image, 97, 55), kBlack);
    EXPECT_EQ(rgbAt(image, 2, 55), kBlue);    // left: the first column
    EXPECT_EQ(rgbAt(image, 97, 97), kBlack);  // below and right: the last pixel
  }
}

TEST(BitmapFillRenderTest, SharpFillsKeepHardPixelEdgesAtEveryQuality) {
  for (const Quality quality : {Quality::Low, Quality::High}) {
    const QImage image = renderBitmapFills(quality);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(rgbAt(image, 9, 5), kRed);
    EXPECT_EQ(rgbAt(image, 10, 5), kGreen);
    EXPECT_EQ(rgbAt(image, 59, 15), kBlue);
    EXPECT_EQ(rgbAt(image, 60, 15), kBlack);
  }
}

TEST(BitmapFillRenderTest, ColourTransformsApplyToBitmapPixels) {
  // Red channels become 100.
  const st::ColorTransform tint{{0, 256, 256, 256}, {100, 0, 0, 0}};
  const QImage image = renderBitmapFills(Quality::Low, tint);
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(rgbAt(image, 5, 5), (RGB{100, 0, 0}));
  EXPECT_EQ(rgbAt(image, 15, 5), (RGB{100, 255, 0}));
  EXPECT_EQ(rgbAt(image, 55, 5), kRed);  // the other object is untransformed
}

TEST(BitmapFillRenderTest, AddedAlphaLeavesTransparentPixelsOut) {
  // Bitmap 9: a 2x1 DefineBitsLossless2 of opaque red and fully transparent.
  const bitmaptest::Bytes pixels{255, 255, 0, 0, 0, 0, 0, 0};
  st::TagStream stream;
  stream.tag(tags::DefineBitsLossless2,
             bitmaptest::concat({{9, 0, 5, 2, 0, 1, 0}, bitmaptest::zlib(pixels)}), true);
  stream.defineShape(1, bitmapRectangle(st::FillKind::ClippedSharpBitmap, 0));
  st::Placement placement = st::Placement::place(1, 1);
  placement.colorTransform = st::ColorTransform{{256, 256, 256, 256}, {0, 0, 0, 80}};
  stream.placeObject(placement).showFrame().end();
  const auto player = playerFor(stream);
  ASSERT_TRUE(player);
  const QImage image = renderStage(*player);
  EXPECT_EQ(rgbAt(image, 5, 5), kRed);
  EXPECT_EQ(rgbAt(image, 15, 5), kWhite);
}

TEST(BitmapFillRenderTest, SmoothedFillsShownPixelForPixelAreCopiedAtEveryQuality) {
  // Bitmap 9: a 2x1 DefineBitsLossless2 of opaque red and fully transparent,
  // each bitmap pixel one stage pixel: interpolating would smear the red
  // into its transparent neighbour.
  const bitmaptest::Bytes pixels{255, 255, 0, 0, 0, 0, 0, 0};
  st::FillStyle fill;
  fill.kind = st::FillKind::ClippedBitmap;
  fill.bitmapId = 9;
  fill.matrix = st::Matrix{20, 20, 0, 0, 200, 200};
  st::ShapeBuilder shape;
  shape.styles({fill});
  shape.select(0, 1).polygon({{200, 200}, {240, 200}, {240, 220}, {200, 220}});
  st::TagStream stream;
  stream.tag(tags::DefineBitsLossless2,
             bitmaptest::concat({{9, 0, 5, 2, 0, 1, 0}, bitmaptest::zlib(pixels)}), true);
  stream.defineShape(1, shape).placeObject(st::Placement::place(1, 1)).showFrame().end();
  const auto player = playerFor(stream);
  ASSERT_TRUE(player);
  for (const Quality quality : {Quality::Low, Quality::Medium, Quality::High}) {
    const QImage image = renderStage(*player, quality);
    EXPECT_EQ(rgbAt(image, 10, 10), kRed);
    EXPECT_EQ(rgbAt(image, 11, 10), kWhite);
  }
}

}  // namespace
}  // namespace quelvo::swf
