#pragma once

#include <QImage>
#include <QMargins>

#include "swf/effects/FilterParams.h"

namespace quelvo::swf::effects {

// Pixels a shadow, glow or bevel reaches past the object on each side.
QMargins edgeReach(const EdgeParams& params);

// The shadow, glow or bevel of a premultiplied image with the object
// composited as the flags say, the same size as source: the caller leaves
// room for edgeReach around the object.
QImage applyEdge(const QImage& source, const EdgeParams& params);

}  // namespace quelvo::swf::effects
