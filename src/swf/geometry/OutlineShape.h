#pragma once

#include <QPainterPath>
#include <cstdint>

#include "swf/format/Shape.h"

namespace quelvo::swf {

// Adds the outline of path (twips) to layer as edges with fill style `fill`
// on their right, each contour closed and its direction kept, so the shape
// fills it by the nonzero rule as Qt would. Cubic curves become two
// quadratic ones each; points round to whole twips.
void appendOutline(ShapeLayer& layer, const QPainterPath& path, std::uint16_t fill);

}  // namespace quelvo::swf
