#include "swf/effects/DisplacementMap.h"

#include <algorithm>
#include <cmath>

#include "swf/effects/Pixels.h"

namespace quelvo::swf::effects {

namespace {

constexpr double kMaxScale = 65535;

double usableScale(double scale) {
  return std::isfinite(scale) ? std::clamp(scale, -kMaxScale, kMaxScale) : 0.0;
}

// The unpremultiplied value of one component (1 red, 2 green, 4 blue, 8
// alpha) of a map pixel; 128, which moves nothing, for any other.
double component(const std::array<double, 4>& pixel, std::uint8_t which) {
  switch (which) {
    case 1:
      return pixel[0];
    case 2:
      return pixel[1];
    case 4:
      return pixel[2];
    case 8:
      return pixel[3];
    default:
      return 128;
  }
}

int wrapped(int value, int size) { return ((value % size) + size) % size; }

}  // namespace

QImage applyDisplacementMap(const QImage& source, const DisplacementMapParams& params) {
  const QImage input = source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  const QImage map = params.map.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  QImage result = input;
  constexpr int kFarthest = 1 << 24;  // keeps the map's rectangle within int
  const QPoint at = params.mapPoint;
  if (input.isNull() || map.isNull() || std::abs(at.x()) > kFarthest ||
      std::abs(at.y()) > kFarthest) {
    return result;
  }
  const double scaleX = usableScale(params.scaleX), scaleY = usableScale(params.scaleY);
  const int width = input.width(), height = input.height();
  const QRgb c = params.colour;
  const QRgb outside =
      premultiplied({double(qRed(c)), double(qGreen(c)), double(qBlue(c)), double(qAlpha(c))});
  const QRect covered = QRect(params.mapPoint, map.size()) & input.rect();
  for (int y = covered.top(); y <= covered.bottom(); ++y) {
    const auto* mapLine = reinterpret_cast<const QRgb*>(map.constScanLine(y - params.mapPoint.y()));
    auto* out = reinterpret_cast<QRgb*>(result.scanLine(y));
    for (int x = covered.left(); x <= covered.right(); ++x) {
      const auto channels = unpremultiplied(mapLine[x - params.mapPoint.x()]);
      int fromX = x + static_cast<int>(std::floor((component(channels, params.componentX) - 128) *
                                                  scaleX / 256));
      int fromY = y + static_cast<int>(std::floor((component(channels, params.componentY) - 128) *
                                                  scaleY / 256));
      if (fromX < 0 || fromY < 0 || fromX >= width || fromY >= height) {
        switch (params.mode) {
          case DisplacementMapParams::Mode::Wrap:
            fromX = wrapped(fromX, width);
            fromY = wrapped(fromY, height);
            break;
          case DisplacementMapParams::Mode::Clamp:
            fromX = std::clamp(fromX, 0, width - 1);
            fromY = std::clamp(fromY, 0, height - 1);
            break;
          case DisplacementMapParams::Mode::Ignore:
            continue;
          case DisplacementMapParams::Mode::Color:
            out[x] = outside;
            continue;
        }
      }
      out[x] = reinterpret_cast<const QRgb*>(input.constScanLine(fromY))[fromX];
    }
  }
  return result;
}

}  // namespace quelvo::swf::effects
