#include "swf/render/StrokeOutline.h"

#include <QPainterPathStroker>
#include <cmath>

namespace quelvo::swf {

namespace {

// Curves are flattened to within this many twips (or pixels) of the path.
constexpr double kCurveTolerance = 0.25;

}  // namespace

QPainterPath outline(const QPainterPath& path, const QPen& pen) {
  QPainterPathStroker stroker(pen);
  stroker.setCurveThreshold(kCurveTolerance);
  return stroker.createStroke(path);
}

QPainterPath bandOutline(const QPainterPath& path, double width, double pixel, bool roundEnds) {
  QPainterPath area;
  area.setFillRule(Qt::WindingFill);
  const double half = width / 2;
  // Where the reference player puts its device lines relative to the path.
  const QPointF levelShift(0, width / 16), steepShift(-pixel / 16, 0);
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
