#pragma once

#include <QPainterPath>
#include <QPen>

namespace quelvo::swf {

// The area a pen covers along a path.
QPainterPath outline(const QPainterPath& path, const QPen& pen);

// A hairline along a path in device pixels, drawn the way the reference
// player draws its thinnest lines: each straight piece covers width pixels
// across its major axis (a mostly horizontal piece width pixels up and
// down), so a slanted hairline is as heavy as a level one.
QPainterPath hairlineOutline(const QPainterPath& path, double width);

}  // namespace quelvo::swf
