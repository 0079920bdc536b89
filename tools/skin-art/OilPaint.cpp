#include "OilPaint.h"

#include <cmath>

#include "Paint.h"

namespace quelvo::skinart {

QPainterPath daub(const QRectF& box, int seed) {
  constexpr int kPoints = 72;
  QPolygonF outline;
  for (int i = 0; i < kPoints; ++i) {
    const qreal angle = 2 * M_PI * i / kPoints;
    const qreal reach = 1 - 0.04 * (1 - std::sin(3 * angle + seed * 1.7)) -
                        0.025 * (1 - std::sin(5 * angle + seed * 2.3));
    outline << box.center() + QPointF(box.width() / 2 * reach * std::cos(angle),
                                      box.height() / 2 * reach * std::sin(angle));
  }
  QPainterPath path;
  path.addPolygon(outline);
  path.closeSubpath();
  return path;
}

void paintKnifeStreaks(QPainter& painter, const QPainterPath& body) {
  const QRectF bounds = body.boundingRect();
  const qreal reach = (bounds.width() + bounds.height()) / 2;
  QPainterPathStroker stroker;
  stroker.setWidth(0.9);
  const QTransform slant =
      QTransform().translate(bounds.center().x(), bounds.center().y()).rotate(-16);
  const QPainterPath inside = body.translated(0, -1);
  for (qreal y = -bounds.height() * 0.32; y <= bounds.height() * 0.36; y += 3.2) {
    QPainterPath line;
    line.moveTo(-reach, y);
    line.quadTo(0, y + 2.5, reach, y);
    const QPainterPath ridge = stroker.createStroke(slant.map(line));
    painter.fillPath(ridge.translated(0, 1).intersected(inside), QColor(0, 0, 0, 34));
    painter.fillPath(ridge.intersected(inside), QColor(255, 255, 255, 46));
  }
}

void paintSmear(QPainter& painter, const QPointF& centre, const QSizeF& size, qreal angle,
                const QColor& colour, int seed) {
  painter.save();
  painter.translate(centre);
  painter.rotate(angle);
  const QPainterPath smear =
      daub(QRectF(-size.width() / 2, -size.height() / 2, size.width(), size.height()), seed);
  painter.fillPath(smear, withAlpha(colour, 140));
  paintKnifeStreaks(painter, smear);
  painter.restore();
}

void paintBrush(QPainter& painter, const QPointF& end, const QPointF& tip, const QColor& lacquer,
                const QColor& paint) {
  const QPointF along = tip - end;
  const qreal length = std::hypot(along.x(), along.y());
  painter.save();
  painter.translate(end);
  painter.rotate(std::atan2(along.y(), along.x()) * 180 / M_PI);
  QPainterPath handle;
  handle.moveTo(0, -1.6);
  handle.cubicTo(length * 0.3, -2.2, length * 0.55, -3.4, length * 0.68, -3);
  handle.lineTo(length * 0.68, 3);
  handle.cubicTo(length * 0.55, 3.4, length * 0.3, 2.2, 0, 1.6);
  handle.arcTo(QRectF(-1.6, -1.6, 3.2, 3.2), 270, -180);
  handle.closeSubpath();
  const QPainterPath ferrule = rectanglePath(QRectF(length * 0.68, -3.2, length * 0.12, 6.4));
  QPainterPath bristles;
  bristles.moveTo(length * 0.8, -3);
  bristles.cubicTo(length * 0.88, -3.6, length * 0.96, -1.5, length, 0);
  bristles.cubicTo(length * 0.96, 1.5, length * 0.88, 3.6, length * 0.8, 3);
  bristles.closeSubpath();
  const QPainterPath brush = handle.united(ferrule).united(bristles);
  paintShadow(painter, brush, QPointF(1.5, 2.5), 2, QColor(50, 24, 6, 140));
  const auto across = [](const QColor& colour) {
    QLinearGradient shade(0, -3.4, 0, 3.4);
    shade.setStops({{0.0, blend(colour, Qt::black, 0.3)},
                    {0.3, blend(colour, Qt::white, 0.45)},
                    {0.6, colour},
                    {1.0, blend(colour, Qt::black, 0.5)}});
    return shade;
  };
  painter.fillPath(handle, across(lacquer));
  painter.fillPath(ferrule, across(QColor(176, 178, 184)));
  QLinearGradient dipped(length * 0.8, 0, length, 0);
  dipped.setColorAt(0, QColor(96, 66, 40));
  dipped.setColorAt(0.45, paint);
  dipped.setColorAt(1, blend(paint, Qt::black, 0.2));
  painter.fillPath(bristles, dipped);
  paintGloss(painter, bristles, 90);
  painter.restore();
}

}  // namespace quelvo::skinart
