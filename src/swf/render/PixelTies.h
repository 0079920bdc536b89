#pragma once

#include <QPainterPath>
#include <QTransform>

namespace quelvo::swf {

// Without antialiasing, Qt fills a pixel whose centre lies exactly on an edge
// when the edge is the pixel's bottom or right side; the reference player
// fills it when the edge is its top or left side (a five pixel line on whole
// pixels covers the two rows above its centre and the three below, not the
// reverse). Qt places outline points on a 64th of a device pixel: each point
// it would place on a pixel centre's row (column) is moved up (left) by one
// such step, which gives the reference's pixels; every other point, and so
// curves and slanted edges off the centres, stays where it is. path is in the
// units toDevice maps from; a transform that cannot be inverted leaves it as
// it is.
QPainterPath withTopLeftTies(const QPainterPath& path, const QTransform& toDevice);

}  // namespace quelvo::swf
