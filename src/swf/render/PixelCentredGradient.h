#pragma once

#include <QBrush>
#include <QRect>
#include <QTransform>

namespace quelvo::swf {

// On a sample grid every output pixel takes its gradient colour once, from
// its centre, as the reference player evaluates gradients per pixel and
// antialiases only the edges. Returns a texture brush (in the same space as
// gradient, which toDevice maps onto the grid) holding one colour per output
// pixel of area (in output pixels), drawn without interpolation; or gradient
// itself when there is nothing to gain (one sample per pixel, no gradient,
// empty area).
QBrush pixelCentredGradient(const QBrush& gradient, const QTransform& toDevice, int samplesPerPixel,
                            const QRect& area);

}  // namespace quelvo::swf
