#pragma once

#include <QPainter>
#include <QTransform>
#include <functional>
#include <optional>

#include "swf/base/Records.h"
#include "swf/bitmapdata/BitmapSurface.h"
#include "swf/effects/BlendMode.h"

namespace quelvo::swf {

// How BitmapData.draw puts something into a bitmap: matrix maps the
// source's pixels to the bitmap's, the colour transform tints it, clip (in
// the bitmap's pixels) limits where it lands, smoothing interpolates
// bitmaps that are scaled or turned, and the blend mode combines what is
// drawn with the bitmap's pixels.
struct BitmapDraw {
  QTransform matrix;
  ColorTransform colorTransform;
  std::optional<PixelRect> clip;
  bool smoothing = false;
  effects::BlendMode blendMode = effects::BlendMode::Normal;
};

// Runs paint with a painter on target's pixels, clipped as settings say
// (its transform is left to paint), blended as they say. An opaque target
// stays opaque.
void paintInto(BitmapSurface& target, const BitmapDraw& settings,
               const std::function<void(QPainter&)>& paint);

// draw(bitmap): source's pixels over target's.
void drawBitmap(BitmapSurface& target, const BitmapSurface& source, const BitmapDraw& settings);

}  // namespace quelvo::swf
