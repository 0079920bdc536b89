#pragma once

#include <cstdint>

#include "swf/format/MorphShape.h"
#include "swf/format/Shape.h"

namespace quelvo::swf {

// The shape a morph shows at ratio (0 its start, 65535 its end): every
// coordinate, colour, width, matrix and gradient stop is interpolated
// linearly between its start and end value. A straight edge paired with a
// curve becomes a curve with its control point halfway along it. The
// result has one layer and is drawn like any DefineShape.
Shape morphFrame(const MorphShape& morph, std::uint16_t ratio);

}  // namespace quelvo::swf
