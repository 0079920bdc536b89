#pragma once

#include <vector>

#include "SchemeArt.h"

namespace quelvo::skinart {

// Every picture of a scheme's folder, the frame first: the frame, the button
// sheets with each cut button drawn at its cut rectangle, the file buttons and
// the scheme's extra pictures. Each button picture starts as a copy of the
// frame under it, so it blends in however the player lays it over the frame.
// All are drawn at scale device pixels to the pixel, scale times as large.
std::vector<Picture> schemePictures(const SchemeArt& art, int scale);

}  // namespace quelvo::skinart
