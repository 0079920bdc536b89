#include "swf/render/PixelTies.h"

#include <cmath>

namespace quelvo::swf {

namespace {

// Qt places outline points on a 64th of a pixel.
constexpr double kStepsPerPixel = 64;

// v moved one step back when Qt would place it on a pixel centre.
double offCentre(double v) {
  const double steps = std::round(v * kStepsPerPixel);
  const double withinPixel = steps - std::floor(steps / kStepsPerPixel) * kStepsPerPixel;
  return withinPixel == kStepsPerPixel / 2 ? (steps - 1) / kStepsPerPixel : v;
}

}  // namespace

QPainterPath withTopLeftTies(const QPainterPath& path, const QTransform& toDevice) {
  bool invertible = false;
  const QTransform toPath = toDevice.inverted(&invertible);
  if (!invertible) return path;
  QPainterPath moved = path;
  for (int i = 0; i < path.elementCount(); ++i) {
    const QPointF device = toDevice.map(QPointF(path.elementAt(i)));
    const QPointF tied(offCentre(device.x()), offCentre(device.y()));
    if (tied != device) {
      const QPointF point = toPath.map(tied);
      moved.setElementPositionAt(i, point.x(), point.y());
    }
  }
  return moved;
}

}  // namespace quelvo::swf
