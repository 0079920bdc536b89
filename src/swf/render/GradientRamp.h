#pragma once

#include <QGradientStops>

#include "swf/format/Records.h"
#include "swf/format/ShapeStyles.h"

namespace quelvo::swf {

// The colours of a gradient as 256 stops, one per ratio, the way the player's
// colour ramp holds them: between two records the colour is interpolated per
// channel (in linear light for linear-RGB gradients) without premultiplying,
// and before the first or after the last record it stays that record's.
// The colour transform applies to the recorded colours. A gradient without
// records is black.
QGradientStops gradientRamp(const Gradient& gradient, const ColorTransform& colorTransform);

}  // namespace quelvo::swf
