#include "swf/geometry/StrokeOutline.h"

#include <QPainterPathStroker>
#include <algorithm>
#include <cmath>
#include <vector>

#include "swf/geometry/CurveFlattening.h"

namespace quelvo::swf {

namespace {

// The path with its curves replaced by straight pieces within tolerance of them.
QPainterPath flattened(const QPainterPath& path, double tolerance) {
  QPainterPath flat;
  std::vector<QPointF> points;
  for (int i = 0; i < path.elementCount(); ++i) {
    const QPainterPath::Element element = path.elementAt(i);
    if (element.isMoveTo()) {
      flat.moveTo(element);
    } else if (element.isLineTo() || i + 2 >= path.elementCount()) {
      flat.lineTo(element);
    } else {  // a cubic: this control point, the next, then the end point
      points.clear();
      flattenCubic(flat.currentPosition(), element, path.elementAt(i + 1), path.elementAt(i + 2),
                   tolerance, points);
      for (const QPointF& point : points) flat.lineTo(point);
      i += 2;
    }
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
