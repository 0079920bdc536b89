#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "support/SwfWriter.h"
#include "swf/effects/ApplyFilter.h"
#include "swf/effects/BoxBlur.h"
#include "swf/effects/FilterDecode.h"
#include "swf/io/ByteReader.h"

namespace quelvo::swf::effects {
namespace {

const QRgb kWhite = qRgba(255, 255, 255, 255);
const QRgb kClear = qRgba(0, 0, 0, 0);

// An image of premultiplied pixels, row by row.
QImage imageOf(int width, int height, std::initializer_list<QRgb> pixels) {
  QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
  auto it = pixels.begin();
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      reinterpret_cast<QRgb*>(image.scanLine(y))[x] = it == pixels.end() ? kClear : *it++;
    }
  }
  return image;
}

QRgb at(const QImage& image, int x, int y) {
  return reinterpret_cast<const QRgb*>(image.constScanLine(y))[x];
}

BlurParams noBlur() { return BlurParams{1, 1, 1}; }

EdgeParams glow(QRgb colour, BlurParams blur) {
  EdgeParams params;
  params.kind = EdgeParams::Kind::Glow;
  params.stops = {{qRgba(qRed(colour), qGreen(colour), qBlue(colour), 0), 0}, {colour, 255}};
  params.blur = blur;
  return params;
}

TEST(EffectsFilterTest, BoxBlurSpreadsOnePixelEvenlyAndGrowsTheImage) {
  const Filtered three = applyFilter(imageOf(1, 1, {kWhite}), BlurParams{3, 1, 1});
  ASSERT_EQ(three.image.size(), QSize(3, 1));
  EXPECT_EQ(three.offset, QPoint(-1, 0));
  for (int x = 0; x < 3; ++x) EXPECT_EQ(at(three.image, x, 0), qRgba(85, 85, 85, 85)) << x;

  // A width of 2: the centre in full, half a tap on each side.
  const Filtered two = applyFilter(imageOf(1, 1, {kWhite}), BlurParams{1, 2, 1});
  ASSERT_EQ(two.image.size(), QSize(1, 3));
  EXPECT_EQ(qAlpha(at(two.image, 0, 0)), 64);
  EXPECT_EQ(qAlpha(at(two.image, 0, 1)), 128);
  EXPECT_EQ(qAlpha(at(two.image, 0, 2)), 64);

  // Two passes reach twice as far; no passes change nothing.
  EXPECT_EQ(blurReach(BlurParams{3, 5, 2}), QPoint(2, 4));
  const Filtered none = applyFilter(imageOf(1, 1, {kWhite}), BlurParams{9, 9, 0});
  EXPECT_EQ(none.image.size(), QSize(1, 1));
  EXPECT_EQ(at(none.image, 0, 0), kWhite);
}

TEST(EffectsFilterTest, HostileBlurSizesStayBounded) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(blurReach(BlurParams{nan, -5, 3}), QPoint(0, 0));
  const QPoint huge = blurReach(BlurParams{1e30, std::numeric_limits<double>::infinity(), 99});
  EXPECT_EQ(huge, QPoint(127 * kMaxPasses, 0));
  EdgeParams shadow = glow(qRgba(0, 0, 0, 255), BlurParams{1e9, nan, 1000});
  shadow.distance = 1e12;
  shadow.strength = nan;
  const QMargins reach = filterReach(FilterParams{shadow});
  EXPECT_LE(reach.right(), 127 * kMaxPasses + 255);
  const std::vector<FilterParams> many(50, FilterParams{BlurParams{255, 255, 15}});
  EXPECT_EQ(filterReach(many).left(), kMaxListReach);

  // Applied in turn, wide filters grow the picture no further than the list's reach.
  const std::vector<FilterParams> wide(3, FilterParams{BlurParams{255, 1, 15}});
  const Filtered chained = applyFilters(imageOf(1, 1, {kWhite}), wide);
  EXPECT_EQ(chained.image.size(), QSize(1 + 2 * kMaxListReach, 1));
  EXPECT_EQ(chained.offset, QPoint(-kMaxListReach, 0));

  // A blur too wide in both directions to run within the work budget is left out.
  const std::vector<FilterParams> costly{FilterParams{BlurParams{255, 255, 15}}};
  EXPECT_EQ(applyFilters(imageOf(1, 1, {kWhite}), costly).image.size(), QSize(1, 1));
}

TEST(EffectsFilterTest, DropShadowFallsAtItsDistanceBehindTheObject) {
  EdgeParams shadow = glow(qRgba(0, 0, 0, 255), noBlur());
  shadow.kind = EdgeParams::Kind::DropShadow;
  shadow.distance = 2;
  const QRgb red = qRgba(255, 0, 0, 255);
  Filtered result = applyFilter(imageOf(1, 1, {red}), shadow);
  ASSERT_EQ(result.image.size(), QSize(3, 1));
  EXPECT_EQ(result.offset, QPoint(0, 0));
  EXPECT_EQ(at(result.image, 0, 0), red);
  EXPECT_EQ(at(result.image, 1, 0), kClear);
  EXPECT_EQ(at(result.image, 2, 0), qRgba(0, 0, 0, 255));

  // Straight down, hiding the object: the shadow alone.
  shadow.angle = M_PI / 2;
  shadow.hideObject = true;
  result = applyFilter(imageOf(1, 1, {red}), shadow);
  ASSERT_EQ(result.image.size(), QSize(1, 3));
  EXPECT_EQ(at(result.image, 0, 0), kClear);
  EXPECT_EQ(at(result.image, 0, 2), qRgba(0, 0, 0, 255));

  // A negative distance casts the shadow the other way.
  shadow.angle = 0;
  shadow.distance = -2;
  result = applyFilter(imageOf(1, 1, {red}), shadow);
  ASSERT_EQ(result.image.size(), QSize(3, 1));
  EXPECT_EQ(result.offset, QPoint(-2, 0));
  EXPECT_EQ(at(result.image, 0, 0), qRgba(0, 0, 0, 255));
}

TEST(EffectsFilterTest, GlowsOutsideInsideAndKnockedOut) {
  const QRgb blue = qRgba(0, 0, 255, 255);
  // Blurred 3 x 3 once, a lone pixel's alpha is 255 / 9 = 28 all around.
  Filtered outer = applyFilter(imageOf(1, 1, {kWhite}), glow(blue, BlurParams{3, 3, 1}));
  ASSERT_EQ(outer.image.size(), QSize(3, 3));
  EXPECT_EQ(at(outer.image, 1, 1), kWhite);
  EXPECT_EQ(at(outer.image, 0, 0), qRgba(0, 0, 28, 28));
  EXPECT_EQ(at(outer.image, 2, 1), qRgba(0, 0, 28, 28));

  EdgeParams knockout = glow(blue, BlurParams{3, 3, 1});
  knockout.knockout = true;
  Filtered knocked = applyFilter(imageOf(1, 1, {kWhite}), knockout);
  EXPECT_EQ(at(knocked.image, 1, 1), kClear);
  EXPECT_EQ(at(knocked.image, 0, 1), qRgba(0, 0, 28, 28));

  // Inside a white 3 x 3 block an inner red glow tints the edge by a third
  // and leaves the centre and the outside alone.
  EdgeParams inner = glow(qRgba(255, 0, 0, 255), BlurParams{3, 1, 1});
  inner.inner = true;
  const QImage block =
      imageOf(3, 3, {kWhite, kWhite, kWhite, kWhite, kWhite, kWhite, kWhite, kWhite, kWhite});
  Filtered tinted = applyFilter(block, inner);
  ASSERT_EQ(tinted.image.size(), QSize(5, 3));
  EXPECT_EQ(at(tinted.image, 1, 1), qRgba(255, 170, 170, 255));
  EXPECT_EQ(at(tinted.image, 2, 1), kWhite);
  EXPECT_EQ(at(tinted.image, 0, 1), kClear);
}

TEST(EffectsFilterTest, BevelLightsOneSideAndShadesTheOther) {
  EdgeParams bevel;
  bevel.kind = EdgeParams::Kind::Bevel;
  bevel.stops = {{kWhite, 0}, {0, 128}, {qRgba(0, 0, 0, 255), 255}};
  bevel.blur = noBlur();
  bevel.distance = 1;
  bevel.knockout = true;
  const Filtered result = applyFilter(imageOf(1, 1, {qRgba(255, 0, 0, 255)}), bevel);
  ASSERT_EQ(result.image.size(), QSize(3, 1));
  EXPECT_EQ(result.offset, QPoint(-1, 0));
  EXPECT_EQ(at(result.image, 0, 0), kWhite);               // away from the light's direction
  EXPECT_EQ(at(result.image, 2, 0), qRgba(0, 0, 0, 255));  // towards it
  EXPECT_EQ(at(result.image, 1, 0), kClear);               // the object, knocked out
}

TEST(EffectsFilterTest, GradientGlowRampFollowsRatiosInAnyOrder) {
  EdgeParams params;
  params.kind = EdgeParams::Kind::GradientGlow;
  params.stops = {{qRgba(0, 0, 255, 255), 255}, {qRgba(255, 0, 0, 255), 0}};
  params.blur = BlurParams{3, 3, 1};
  const Filtered result = applyFilter(imageOf(1, 1, {kWhite}), params);
  // Alpha 28 indexes 28 / 255 of the way from red to blue.
  EXPECT_EQ(at(result.image, 0, 0), qRgba(227, 0, 28, 255));
}

TEST(EffectsFilterTest, ColorMatrixWorksOnUnpremultipliedChannels) {
  ColorMatrixParams params;
  // Red goes to blue, alpha halves, and the red row adds 40.
  params.matrix = {0, 0, 0, 0, 40, 0, 1, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0.5f, 0};
  const Filtered result = applyFilter(imageOf(1, 1, {qRgba(100, 0, 0, 200)}), params);
  // Red 127.5 unpremultiplied; at alpha 100: red 40 -> 16, blue 127.5 -> 50.
  EXPECT_EQ(at(result.image, 0, 0), qRgba(16, 0, 50, 100));

  params.matrix.fill(std::numeric_limits<float>::quiet_NaN());
  EXPECT_EQ(at(applyFilter(imageOf(1, 1, {kWhite}), params).image, 0, 0), kClear);
}

TEST(EffectsFilterTest, ConvolutionEdgesDivisorAndBadKernels) {
  const auto grey = [](int v) { return qRgba(v, v, v, 255); };
  const QImage row = imageOf(3, 1, {grey(10), grey(20), grey(30)});
  ConvolutionParams params;
  params.columns = 3;
  params.rows = 1;
  params.matrix = {1, 1, 1};
  params.divisor = 3;
  QImage result = applyFilter(row, params).image;
  EXPECT_EQ(at(result, 0, 0), grey(13));
  EXPECT_EQ(at(result, 1, 0), grey(20));
  EXPECT_EQ(at(result, 2, 0), grey(27));

  // Beyond the edge the default colour, here nothing, alpha convolved too.
  params.clamp = false;
  params.preserveAlpha = false;
  result = applyFilter(row, params).image;
  EXPECT_EQ(at(result, 0, 0), qRgba(7, 7, 7, 170));

  // A divisor of 0 divides by 1.
  params = ConvolutionParams{1, 1, {2}, 0, 5, true, true, 0};
  EXPECT_EQ(at(applyFilter(row, params).image, 0, 0), grey(25));

  // Too large or too short a kernel leaves the image as it was.
  params = ConvolutionParams{16, 16, std::vector<float>(256, 1), 1, 0, true, true, 0};
  EXPECT_EQ(at(applyFilter(row, params).image, 1, 0), grey(20));
  params = ConvolutionParams{3, 3, {1}, 1, 0, true, true, 0};
  EXPECT_EQ(at(applyFilter(row, params).image, 1, 0), grey(20));
}

TEST(EffectsFilterTest, DisplacementMapModesBeyondTheSource) {
  const QRgb a = qRgba(10, 0, 0, 255), b = qRgba(0, 20, 0, 255), c = qRgba(0, 0, 30, 255);
  const QRgb right = qRgba(129, 128, 128, 255), still = qRgba(128, 128, 128, 255);
  DisplacementMapParams params;
  params.map = imageOf(3, 1, {right, still, right});
  params.scaleX = 256;
  const QImage source = imageOf(3, 1, {a, b, c});
  QImage result = applyFilter(source, params).image;
  EXPECT_EQ(at(result, 0, 0), b);
  EXPECT_EQ(at(result, 1, 0), b);
  EXPECT_EQ(at(result, 2, 0), a);  // wraps round
  params.mode = DisplacementMapParams::Mode::Clamp;
  EXPECT_EQ(at(applyFilter(source, params).image, 2, 0), c);
  params.mode = DisplacementMapParams::Mode::Ignore;
  EXPECT_EQ(at(applyFilter(source, params).image, 2, 0), c);
  params.mode = DisplacementMapParams::Mode::Color;
  params.colour = qRgba(255, 255, 255, 255);
  EXPECT_EQ(at(applyFilter(source, params).image, 2, 0), kWhite);

  // A map placed one pixel in leaves the first pixel alone.
  params.mapPoint = QPoint(1, 0);
  EXPECT_EQ(at(applyFilter(source, params).image, 0, 0), a);
  params.mapPoint = QPoint(std::numeric_limits<int>::max(), 0);
  EXPECT_EQ(at(applyFilter(source, params).image, 0, 0), a);
}

std::vector<std::uint8_t> fixed(double value) {
  const auto raw =
      static_cast<std::uint32_t>(static_cast<std::int32_t>(std::lround(value * 65536)));
  return {std::uint8_t(raw), std::uint8_t(raw >> 8), std::uint8_t(raw >> 16),
          std::uint8_t(raw >> 24)};
}

TEST(EffectsFilterTest, DecodesFilterListRecords) {
  swftest::ByteWriter bytes;
  bytes.u8(2);
  // A drop shadow: colour, blurX, blurY, angle, distance, strength, flags.
  bytes.u8(0).u8(10).u8(20).u8(30).u8(128);
  for (const double v : {4.0, 6.0, 0.5, 3.0}) bytes.bytes(fixed(v));
  bytes.u16(0x0180).u8(0x80 | 0x20 | 3);  // inner, composite, 3 passes
  // A bevel: highlight, then shadow.
  bytes.u8(3).u8(255).u8(255).u8(255).u8(255).u8(0).u8(0).u8(0).u8(255);
  for (const double v : {2.0, 2.0, 0.0, 1.0}) bytes.bytes(fixed(v));
  bytes.u16(0x0100).u8(0x40 | 0x10 | 2);  // knockout, no composite, on top, 2 passes
  ByteReader reader(bytes.data());
  const std::vector<FilterParams> filters = decodeFilters(readFilters(reader));
  ASSERT_EQ(filters.size(), 2u);
  const auto& shadow = std::get<EdgeParams>(filters[0]);
  EXPECT_EQ(shadow.kind, EdgeParams::Kind::DropShadow);
  EXPECT_EQ(shadow.stops.back().colour, qRgba(10, 20, 30, 128));
  EXPECT_DOUBLE_EQ(shadow.blur.blurY, 6);
  EXPECT_NEAR(shadow.angle, 0.5, 1e-4);
  EXPECT_DOUBLE_EQ(shadow.strength, 1.5);
  EXPECT_TRUE(shadow.inner);
  EXPECT_FALSE(shadow.hideObject);
  EXPECT_EQ(shadow.blur.passes, 3);
  const auto& bevel = std::get<EdgeParams>(filters[1]);
  EXPECT_EQ(bevel.stops.front().colour, kWhite);
  EXPECT_EQ(bevel.stops.back().colour, qRgba(0, 0, 0, 255));
  EXPECT_TRUE(bevel.knockout && bevel.hideObject && bevel.onTop);
  EXPECT_EQ(bevel.blur.passes, 2);

  // Parameters cut short decode to nothing.
  const std::vector<std::uint8_t> few{1, 2, 3};
  EXPECT_FALSE(decodeFilter(Filter{FilterKind::ColorMatrix, few}));
}

}  // namespace
}  // namespace quelvo::swf::effects
