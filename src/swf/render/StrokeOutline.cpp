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

QPainterPath hairlineOutline(const QPainterPath& path, double width) {
  QPainterPath area;
  area.setFillRule(Qt::WindingFill);
  const double half = width / 2;
  for (const QPolygonF& polygon : path.toSubpathPolygons()) {
    for (qsizetype i = 1; i < polygon.size(); ++i) {
      const QPointF from = polygon[i - 1], to = polygon[i];
      const QPointF delta = to - from;
      if (delta.isNull()) continue;
      const bool level = std::abs(delta.x()) >= std::abs(delta.y());
      QPointF across = level ? QPointF(0, half) : QPointF(half, 0);
      // Every piece turns the same way, so overlapping pieces add up.
      if (delta.x() * across.y() - delta.y() * across.x() < 0) across = -across;
      area.addPolygon(QPolygonF({from - across, to - across, to + across, from + across}));
      area.closeSubpath();
    }
  }
  return area;
}

}  // namespace quelvo::swf
