#pragma once

#include <QImage>

#include "swf/effects/FilterParams.h"

namespace quelvo::swf::effects {

// Each pixel's unpremultiplied channels through the matrix; results are
// rounded and clamped to 0-255. Non-finite entries count as 0.
QImage applyColorMatrix(const QImage& source, const ColorMatrixParams& params);

}  // namespace quelvo::swf::effects
