#pragma once

#include <QPainter>

namespace quelvo::skinart {

// A carved gilt picture frame of this width round the picture: a mitred
// molding lit from the top left, a row of beads, rosettes on the corners and
// a shell on top. The picture itself is left a dark hollow.
void paintGiltFrame(QPainter& painter, const QRectF& picture, qreal width);

}  // namespace quelvo::skinart
