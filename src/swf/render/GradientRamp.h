#pragma once

#include <QGradientStops>

#include "swf/base/Records.h"
#include "swf/format/ShapeStyles.h"

namespace quelvo::swf {

// The colours of a gradient as the player's colour table of 256 entries,
// one per ratio, each a stop at the middle of its 1/256 of the square:
// between entries colours blend. Records are taken in stored order, even
// when their ratios are not sorted: from each record to the next one ahead
// of it colours are interpolated per channel (in linear light for
// linear-RGB gradients, never premultiplied); a record whose follower does
// not lie ahead (the same ratio or a smaller one) takes one entry of its
// own, with hard steps on both sides. Ratios before the first record take
// its colour, ratios past every record the last one's. The colour transform
// applies to the recorded colours; a gradient without records is black.
QGradientStops gradientRamp(const Gradient& gradient, const ColorTransform& colorTransform);

}  // namespace quelvo::swf
