#pragma once

#include <QPainterPath>
#include <QPen>

namespace quelvo::swf {

// The area a pen covers along a path. Curves are first cut into straight
// pieces within tolerance (in the path's units) of them: the stroker's own
// offset curves stray from the true outline where a curve is magnified.
QPainterPath outline(const QPainterPath& path, const QPen& pen, double tolerance);

// A line along a path in device units, drawn the way the reference player
// draws lines on the device: each straight piece covers width across its
// major axis (a mostly horizontal piece width/2 up and down), so a slanted
// line is as heavy as a level one. Like the reference's, on a sample grid
// (pixel, the device units of an output pixel, above 1) the lines sit a
// little off the path: a mostly horizontal piece width/16 lower, a mostly
// vertical one 1/16 of a pixel to the left. With
// roundEnds every piece ends in a disc, so wide lines show no notch where
// they turn.
QPainterPath bandOutline(const QPainterPath& path, double width, double pixel, bool roundEnds);

}  // namespace quelvo::swf
