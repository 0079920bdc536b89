#include "swf/geometry/StrokeOutline.h"

#include <QPainterPathStroker>
#include <algorithm>
#include <cmath>

namespace quelvo::swf {

namespace {

// The path with its curves replaced by straight pieces within tolerance of them.
QPainterPath flattened(const QPainterPath& path, double tolerance) {
  QPainterPath flat;
  QPointF at;
  for (int i = 0; i < path.elementCount(); ++i) {
    const QPainterPath::Element element = path.elementAt(i);
    const QPointF point(element.x, element.y);
    if (element.isMoveTo()) {
      flat.moveTo(point);
    } else if (element.isLineTo() || i + 2 >= path.elementCount()) {
      flat.lineTo(point);
    } else {  // a cubic: this control point, the next, then the end point
      const QPointF control2(path.elementAt(i + 1).x, path.elementAt(i + 1).y);
      const QPointF end(path.elementAt(i + 2).x, path.elementAt(i + 2).y);
      // A cubic strays from its chords by at most 3/4 of its largest second
      // difference over the square of the number of pieces.
      const QPointF bend1 = at - 2 * point + control2, bend2 = point - 2 * control2 + end;
      const double bend =
          std::max(std::hypot(bend1.x(), bend1.y()), std::hypot(bend2.x(), bend2.y()));
      constexpr double kMostPieces = 1024;
      const int pieces = static_cast<int>(
          std::clamp(std::ceil(std::sqrt(0.75 * bend / tolerance)), 1.0, kMostPieces));
      for (int piece = 1; piece <= pieces; ++piece) {
        const double t = static_cast<double>(piece) / pieces, u = 1 - t;
        flat.lineTo(u * u * u * at + 3 * u * u * t * point + 3 * u * t * t * control2 +
                    t * t * t * end);
      }
      i += 2;
      at = end;
      continue;
    }
    at = point;
  }
  return flat;
}

}  // namespace

QPainterPath outline(const QPainterPath& path, const QPen& pen, double tolerance) {
  return QPainterPathStroker(pen).createStroke(flattened(path, tolerance));
}

QPainterPath bandOutline(const QPainterPath& path, double width, double pixel, bool roundEnds) {
  QPainterPath area;
  area.setFillRule(Qt::WindingFill);
  const double half = width / 2;
  // Where the reference player puts its device lines relative to the path:
  // on a sample grid a little off it, on output pixels (pixel 1) on it.
  const double shift = pixel > 1 ? 1.0 / 16 : 0;
  const QPointF levelShift(0, shift * width), steepShift(-shift * pixel, 0);
  for (const QPolygonF& polygon : path.toSubpathPolygons()) {
    for (qsizetype i = 1; i < polygon.size(); ++i) {
      const QPointF delta = polygon[i] - polygon[i - 1];
      if (delta.isNull()) continue;
      const bool level = std::abs(delta.x()) >= std::abs(delta.y());
      const QPointF from = polygon[i - 1] + (level ? levelShift : steepShift);
      const QPointF to = from + delta;
      QPointF across = level ? QPointF(0, half) : QPointF(half, 0);
      // Every piece turns the same way, so overlapping pieces add up.
      if (delta.x() * across.y() - delta.y() * across.x() < 0) across = -across;
      area.addPolygon(QPolygonF({from - across, to - across, to + across, from + across}));
      area.closeSubpath();
      if (roundEnds) {
        area.addEllipse(from, half, half);
        area.addEllipse(to, half, half);
      }
    }
  }
  return area;
}

}  // namespace quelvo::swf
