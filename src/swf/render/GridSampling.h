#pragma once

#include <QImage>
#include <QPainter>
#include <functional>

namespace quelvo::swf {

// Antialiasing by a regular grid of samples: draw (without antialiasing)
// paints the picture factor times larger, then every factor x factor block of
// samples is averaged into one pixel of target, rounding down, as the
// reference player does. The samples start from target's own pixels scaled
// up, so what is drawn composites over what target holds.
//
// draw gets a painter on the large picture and the scale to prepend to its
// transforms.
void drawOnSampleGrid(QImage& target, int factor,
                      const std::function<void(QPainter&, const QTransform&)>& draw);

}  // namespace quelvo::swf
