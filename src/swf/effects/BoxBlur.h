#pragma once

#include <QImage>

#include "swf/effects/FilterParams.h"

namespace quelvo::swf::effects {

// The largest box width and number of passes a blur runs with; larger
// requests are cut down to these, so one blur's work stays bounded.
inline constexpr double kMaxBlur = 255;
inline constexpr int kMaxPasses = 15;

// How many pixels a blur spreads an image on each side, horizontally and
// vertically.
QPoint blurReach(const BlurParams& blur);

// Blurs image in place, every byte of a pixel as its own channel (so it
// serves premultiplied ARGB32 and Alpha8 alike). A box of width w covers
// the pixel and (w - 1) / 2 on either side, the outermost ones in part when
// that is not whole; pixels beyond the image count as 0.
void boxBlur(QImage& image, const BlurParams& blur);

}  // namespace quelvo::swf::effects
