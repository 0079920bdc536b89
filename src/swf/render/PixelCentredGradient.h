#pragma once

#include <QBrush>
#include <QRect>
#include <QTransform>

#include "swf/render/GradientTextures.h"

namespace quelvo::swf {

// Every output pixel takes its gradient colour once, from its centre, as
// the reference player evaluates gradients per pixel (see gradientTexture)
// and antialiases only the edges, also on a sample grid. Returns a texture
// brush (in the same space as gradient, which toDevice maps onto the grid)
// holding one colour per output pixel of area (in output pixels, found in
// textures when drawn the same way before), drawn
// without interpolation; or gradient itself when it is not a gradient or
// area is empty.
QBrush pixelCentredGradient(const QBrush& gradient, const QTransform& toDevice, int samplesPerPixel,
                            const QRect& area, GradientTextures& textures);

}  // namespace quelvo::swf
