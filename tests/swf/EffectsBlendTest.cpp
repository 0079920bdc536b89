#include <gtest/gtest.h>

#include "swf/effects/BlendMode.h"

namespace quelvo::swf::effects {
namespace {

const QRgb kBackdrop = qRgba(100, 150, 200, 255);
const QRgb kLayer = qRgba(200, 100, 50, 255);

// The one pixel of a 1 x 1 backdrop after blending a 1 x 1 layer onto it.
QRgb blended(QRgb layerPixel, BlendMode mode, QRgb backdrop = kBackdrop) {
  QImage destination(1, 1, QImage::Format_ARGB32_Premultiplied);
  destination.setPixel(0, 0, backdrop);
  QImage layer(1, 1, QImage::Format_ARGB32_Premultiplied);
  layer.setPixel(0, 0, layerPixel);
  blend(destination, layer, QPoint(0, 0), mode);
  return destination.pixel(0, 0);
}

TEST(EffectsBlendTest, OpaqueLayersThroughEachMode) {
  const struct {
    BlendMode mode;
    QRgb expected;
  } cases[] = {
      {BlendMode::Normal, kLayer},
      {BlendMode::Layer, kLayer},
      {BlendMode::Multiply, qRgb(78, 59, 39)},
      {BlendMode::Screen, qRgb(222, 191, 211)},
      {BlendMode::Lighten, qRgb(200, 150, 200)},
      {BlendMode::Darken, qRgb(100, 100, 50)},
      {BlendMode::Difference, qRgb(100, 50, 150)},
      {BlendMode::Add, qRgb(255, 250, 250)},
      {BlendMode::Subtract, qRgb(0, 50, 150)},
      {BlendMode::Invert, qRgb(155, 105, 55)},
      {BlendMode::Overlay, qRgb(156, 127, 167)},
      {BlendMode::HardLight, qRgb(189, 118, 78)},
      {BlendMode::Alpha, kBackdrop},
      {BlendMode::Erase, qRgba(0, 0, 0, 0)},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(blended(kLayer, c.mode), c.expected) << static_cast<int>(c.mode);
  }
}

TEST(EffectsBlendTest, TranslucentLayersMixByTheirAlpha) {
  const QRgb halfRed = qRgba(64, 0, 0, 128);
  EXPECT_EQ(blended(halfRed, BlendMode::Normal), qRgb(114, 75, 100));
  // Where nothing is drawn, nothing changes; an opaque backdrop stays opaque.
  EXPECT_EQ(blended(0, BlendMode::Multiply), kBackdrop);
  EXPECT_EQ(blended(0, BlendMode::Difference), kBackdrop);
  EXPECT_EQ(blended(0, BlendMode::Invert), kBackdrop);
  // Alpha keeps the backdrop as far as the layer is opaque; erase the rest.
  EXPECT_EQ(blended(halfRed, BlendMode::Alpha), qRgba(50, 75, 100, 128));
  EXPECT_EQ(blended(halfRed, BlendMode::Erase), qRgba(50, 75, 100, 127));
  // Onto nothing, a multiplied layer shows as it is.
  EXPECT_EQ(blended(kLayer, BlendMode::Multiply, 0), kLayer);
}

TEST(EffectsBlendTest, OnlyAlphaReachesBeyondTheLayer) {
  QImage destination(3, 1, QImage::Format_ARGB32_Premultiplied);
  destination.fill(kBackdrop);
  QImage layer(1, 1, QImage::Format_ARGB32_Premultiplied);
  layer.fill(kLayer);
  blend(destination, layer, QPoint(1, 0), BlendMode::Difference);
  EXPECT_EQ(destination.pixel(0, 0), kBackdrop);
  EXPECT_EQ(destination.pixel(1, 0), qRgb(100, 50, 150));
  blend(destination, layer, QPoint(1, 0), BlendMode::Alpha);
  EXPECT_EQ(destination.pixel(0, 0), 0u);
  EXPECT_EQ(destination.pixel(1, 0), qRgb(100, 50, 150));
  // A layer wholly outside, or partly, is harmless.
  blend(destination, layer, QPoint(-5, 40), BlendMode::Add);
  blend(destination, layer, QPoint(2, 0), BlendMode::Add);
  EXPECT_EQ(destination.pixel(2, 0), kLayer);
}

TEST(EffectsBlendTest, CodesOutsideTheKnownModesAreNormal) {
  EXPECT_EQ(blendModeFromCode(0), BlendMode::Normal);
  EXPECT_EQ(blendModeFromCode(15), BlendMode::Normal);
  EXPECT_EQ(blendModeFromCode(-3), BlendMode::Normal);
  EXPECT_EQ(blendModeFromCode(14), BlendMode::HardLight);
  EXPECT_EQ(blendModeFromCode(11), BlendMode::Alpha);
}

}  // namespace
}  // namespace quelvo::swf::effects
