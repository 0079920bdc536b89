#pragma once

#include <QBrush>
#include <QPen>
#include <QTransform>

#include "swf/format/Records.h"
#include "swf/format/ShapeStyles.h"

namespace quelvo::swf {

// The brush of a fill style in shape space: gradients span the gradient
// square (-16384..16384 twips) mapped by the style's matrix. Bitmap fills
// give Qt::NoBrush until bitmaps are decoded.
QBrush fillBrush(const FillStyle& style, const ColorTransform& colorTransform);

// The pen for stroking a path already mapped to device pixels. The width
// scales with the shape (toDevice) except along the axes the style keeps
// unscaled, where only the stage scale applies; strokes are never thinner
// than minimumWidth device pixels. Fills of the stroke map through toDevice too.
QPen strokePen(const LineStyle& style, const ColorTransform& colorTransform,
               const QTransform& toDevice, double stageScale, double minimumWidth);

}  // namespace quelvo::swf
