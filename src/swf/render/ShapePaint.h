#pragma once

#include <QBrush>
#include <QImage>
#include <QPen>
#include <QTransform>

#include "swf/base/Records.h"
#include "swf/format/ShapeStyles.h"
#include "swf/render/RenderBackend.h"

namespace quelvo::swf {

// How styles become brushes and pens in one drawing pass.
struct PaintSettings {
  double minimumStrokeWidth = 1;  // device pixels
  bool smoothBitmaps = true;      // smoothed bitmap fills are interpolated, at low quality too
  double samplesPerPixel = 1;     // device pixels per output pixel along a side (sample grid)
};

// The brush of a fill style in shape space: gradients span the gradient
// square (-16384..16384 twips) mapped by the style's matrix. A bitmap fill
// tiles bitmap (its picture, colour transform already applied) with one
// pixel to one unit of the style's matrix; without a picture it gives
// Qt::NoBrush.
QBrush fillBrush(const FillStyle& style, const ColorTransform& colorTransform,
                 const QImage* bitmap = nullptr);

// Whether a bitmap fill's pixels are interpolated when drawn.
bool smoothsBitmap(const FillStyle& style, const PaintSettings& settings);

// How to stroke the lines of one style.
//
// A stroke is outlined in shape space and the outline goes through the
// shape's transform, so a shape in a stretched parent has stretched strokes.
// When the style keeps its width along an axis, the stroke is outlined where
// the shape is placed instead, with a round pen scaled by the shape's own
// scale along the other axis (not at all when it keeps both); the parents'
// transforms still apply. When the shape's own matrix stretches or skews it,
// the stroke is a line on the device (see bandOutline) as wide as the whole
// transform stretches a length laid at 45 degrees. A stroke nowhere wider
// than the minimum width on the device is such a line of that width.
struct Stroke {
  enum class Space { Shape, Parent, Device };
  Space space = Space::Shape;
  QPen pen;  // width in twips of its space, or device pixels
};
// bitmap is the picture of the style's bitmap fill, if it has one.
Stroke strokeFor(const LineStyle& style, const ColorTransform& colorTransform,
                 const ShapePlacement& placement, const PaintSettings& settings,
                 const QImage* bitmap = nullptr);

}  // namespace quelvo::swf
