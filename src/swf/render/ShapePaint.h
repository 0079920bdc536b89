#pragma once

#include <QBrush>
#include <QPen>
#include <QTransform>

#include "swf/format/Records.h"
#include "swf/format/ShapeStyles.h"
#include "swf/render/RenderBackend.h"

namespace quelvo::swf {

// How styles become brushes and pens in one drawing pass.
struct PaintSettings {
  double stageScale = 1.0 / 20;   // device pixels per stage twip, for strokes that do not scale
  double minimumStrokeWidth = 1;  // device pixels
  int gradientLead = 0;           // see gradientRamp
};

// The brush of a fill style in shape space: gradients span the gradient
// square (-16384..16384 twips) mapped by the style's matrix. Bitmap fills
// give Qt::NoBrush until bitmaps are decoded.
QBrush fillBrush(const FillStyle& style, const ColorTransform& colorTransform,
                 const PaintSettings& settings);

// How to stroke the lines of one style.
//
// A stroke is outlined in shape space and the outline goes through the
// shape's transform, so a stretched shape has stretched strokes. A style
// that keeps its width along an axis is outlined where the shape is placed
// instead, with a round pen scaled only by the shape's own scale along the
// other axis (not at all when it keeps both); the parents' transforms still
// apply. A stroke nowhere wider than the minimum width on the device is a
// hairline of that width, drawn along the path mapped to device pixels.
struct Stroke {
  enum class Space { Shape, Parent, Device };
  Space space = Space::Shape;
  QPen pen;  // width in twips of its space, or device pixels
};
Stroke strokeFor(const LineStyle& style, const ColorTransform& colorTransform,
                 const ShapePlacement& placement, const PaintSettings& settings);

}  // namespace quelvo::swf
