#pragma once

#include <QRgb>
#include <algorithm>
#include <cstdint>

namespace quelvo::swf {

// A pixel whose colour is stored already multiplied by its alpha. Colour
// above the alpha (data that was not premultiplied after all) is clamped to
// it, so the image stays valid for premultiplied blending.
inline QRgb premultipliedPixel(std::uint8_t red, std::uint8_t green, std::uint8_t blue,
                               std::uint8_t alpha) {
  return qRgba(std::min(red, alpha), std::min(green, alpha), std::min(blue, alpha), alpha);
}

}  // namespace quelvo::swf
