#include <gtest/gtest.h>

#include "swf/render/GradientTexture.h"
#include "swf/render/GradientTextures.h"

namespace quelvo::swf {
namespace {

const QColor kRed(255, 0, 0), kBlue(0, 0, 255);

// A brush over x 0..10 of a linear gradient from red to blue.
QBrush linear(QGradient::Spread spread = QGradient::PadSpread,
              QGradientStops stops = {{0, kRed}, {1, kBlue}}) {
  QLinearGradient gradient(0, 0, 10, 0);
  gradient.setStops(stops);
  gradient.setSpread(spread);
  return QBrush(gradient);
}

QColor pixel(const QImage& image, int x, int y = 0) {
  return QColor::fromRgba(qUnpremultiply(image.pixel(x, y)));
}

TEST(GradientTextureTest, EachPixelTakesTheColourAtItsCentre) {
  const QImage image = gradientTexture(linear(), QTransform(), QSize(10, 1));
  // Pixel 4's centre is 0.45 of the way: no table steps, no rounding to them.
  EXPECT_EQ(pixel(image, 4), QColor(140, 0, 115));
  EXPECT_EQ(pixel(image, 9), QColor(13, 0, 242));
  // The brush's transform maps gradient space into the brush's space.
  QBrush doubled = linear();
  doubled.setTransform(QTransform::fromScale(2, 1));
  EXPECT_EQ(pixel(gradientTexture(doubled, QTransform(), QSize(20, 1)), 9), QColor(134, 0, 121));
}

TEST(GradientTextureTest, SpreadsPastTheEnds) {
  const QTransform fromMinusOne = QTransform::fromTranslate(-1, 0);
  const QImage padded = gradientTexture(linear(), fromMinusOne, QSize(12, 1));
  EXPECT_EQ(pixel(padded, 0), kRed);
  EXPECT_EQ(pixel(padded, 11), kBlue);
  // t = 1.05 folds back to 0.95, or starts again at 0.05.
  const QImage reflected = gradientTexture(linear(QGradient::ReflectSpread), {}, QSize(11, 1));
  EXPECT_EQ(pixel(reflected, 10), pixel(reflected, 9));
  const QImage repeated = gradientTexture(linear(QGradient::RepeatSpread), {}, QSize(11, 1));
  EXPECT_EQ(pixel(repeated, 10), pixel(repeated, 0));
}

TEST(GradientTextureTest, BlendsUnpremultipliedAndKeepsHardSteps) {
  const QImage fading = gradientTexture(
      linear(QGradient::PadSpread, {{0, QColor(255, 0, 0, 0)}, {1, kBlue}}), {}, QSize(10, 1));
  const QColor middle = pixel(fading, 5);  // t = 0.55
  EXPECT_EQ(middle.alpha(), 140);
  EXPECT_NEAR(middle.red(), 115, 1);  // red does not fade with its alpha
  // Two stops a hair apart step from one colour to the next.
  const QImage stepped = gradientTexture(
      linear(QGradient::PadSpread, {{0, kRed}, {0.5 - 1e-6, kRed}, {0.5, kBlue}, {1, kBlue}}), {},
      QSize(10, 1));
  EXPECT_EQ(pixel(stepped, 4), kRed);
  EXPECT_EQ(pixel(stepped, 5), kBlue);
}

TEST(GradientTextureTest, FocalGradientsRunFromTheFocalPointToTheCircle) {
  QRadialGradient gradient(QPointF(0, 0), 10, QPointF(5, 0));
  gradient.setStops({{0, kRed}, {1, kBlue}});
  // Texture pixel (x, 0) has its centre at (x - 10, 0).
  const QImage image =
      gradientTexture(QBrush(gradient), QTransform::fromTranslate(-10.5, -0.5), QSize(21, 1));
  EXPECT_EQ(pixel(image, 15), kRed);  // on the focal point
  // (-9, 0) lies 14 of the 15 from the focal point to the circle.
  EXPECT_NEAR(pixel(image, 1).blue(), 238, 1);
  // Between focal point and circle on the near side: 2 of 5.
  EXPECT_NEAR(pixel(image, 17).blue(), 102, 1);
  const QImage outside =
      gradientTexture(QBrush(gradient), QTransform::fromTranslate(20, 20), QSize(1, 1));
  EXPECT_EQ(pixel(outside, 0), kBlue);
  // Transforms past what doubles hold give some colour, never a bad index.
  const QImage huge =
      gradientTexture(QBrush(gradient), QTransform(1e300, 0, 0, 1e300, 1e308, 0), QSize(2, 2));
  EXPECT_EQ(huge.size(), QSize(2, 2));
  // A collapsed brush draws nothing rather than dividing by zero.
  QBrush collapsed(gradient);
  collapsed.setTransform(QTransform::fromScale(0, 1));
  EXPECT_EQ(gradientTexture(collapsed, {}, QSize(2, 2)).pixel(1, 1), 0u);
}

TEST(GradientTextureTest, TexturesDrawnTheSameWayAgainAreKept) {
  GradientTextures textures;
  const QImage first = textures.find(linear(), {}, QSize(10, 1));
  EXPECT_EQ(textures.find(linear(), {}, QSize(10, 1)).cacheKey(), first.cacheKey());
  // Moved, resized or recoloured, the gradient is evaluated again.
  const QImage moved = textures.find(linear(), QTransform::fromTranslate(1, 0), QSize(10, 1));
  EXPECT_NE(moved.cacheKey(), first.cacheKey());
  EXPECT_EQ(pixel(moved, 3), pixel(first, 4));
  EXPECT_NE(textures.find(linear(), {}, QSize(11, 1)).cacheKey(), first.cacheKey());
  const QImage green =
      textures.find(linear(QGradient::PadSpread, {{0, Qt::green}, {1, kBlue}}), {}, QSize(10, 1));
  EXPECT_NE(pixel(green, 0), pixel(first, 0));
}

}  // namespace
}  // namespace quelvo::swf
