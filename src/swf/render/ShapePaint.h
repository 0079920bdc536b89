#pragma once

#include <QBrush>
#include <QPen>
#include <QTransform>

#include "swf/format/Records.h"
#include "swf/format/ShapeStyles.h"

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

// The pen for stroking a path already mapped to device pixels. The width
// scales with the shape (toDevice) except along the axes the style keeps
// unscaled, where only the stage scale applies; strokes are never thinner
// than the minimum width. Fills of the stroke map through toDevice too.
QPen strokePen(const LineStyle& style, const ColorTransform& colorTransform,
               const QTransform& toDevice, const PaintSettings& settings);

}  // namespace quelvo::swf
