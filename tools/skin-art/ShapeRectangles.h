#pragma once

#include <QImage>
#include <QRect>
#include <vector>

namespace quelvo::skinart {

// The window shape of a frame picture as rectangles: pixels with alpha of at
// least 128 are inside. Each row's runs become rectangles, and a run repeated
// on the rows below grows its rectangle instead of starting a new one.
std::vector<QRect> shapeRectangles(const QImage& picture);

}  // namespace quelvo::skinart
