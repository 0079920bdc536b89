#pragma once

#include <QImage>

#include "swf/effects/FilterParams.h"

namespace quelvo::swf::effects {

// Each pixel the map covers taken from where the map's channels point;
// where that is outside the source, the mode says what lands there. Scales
// beyond +-65535 (or not finite) are cut to that (or 0).
QImage applyDisplacementMap(const QImage& source, const DisplacementMapParams& params);

}  // namespace quelvo::swf::effects
