#include "Wood.h"

#include <QRandomGenerator>
#include <cmath>

#include "Paint.h"

namespace quelvo::skinart {

void paintBoardEdge(QPainter& painter, const QPainterPath& board) {
  paintInnerShadow(painter, board, QPointF(1.5, 1.5), 1, QColor(255, 240, 210, 150));
  paintInnerShadow(painter, board, QPointF(-2, -2.5), 2, QColor(60, 30, 10, 170));
  painter.strokePath(board, QPen(QColor(70, 38, 16, 220), 1));
}

void paintWoodGrain(QPainter& painter, const QPainterPath& board, const QColor& fibre,
                    quint32 seed) {
  QRandomGenerator random(seed);
  const QRectF bounds = board.boundingRect();
  const auto fibrePath = [&random, &bounds](qreal y, qreal wave) {
    const qreal length = 60 + random.bounded(120.0);
    const qreal phase = random.bounded(2 * M_PI);
    QPainterPath line;
    line.moveTo(bounds.left() - 8, y + wave * std::sin((bounds.left() - 8) / length + phase));
    for (qreal x = bounds.left() - 4; x <= bounds.right() + 8; x += 4) {
      line.lineTo(x, y + wave * std::sin(x / length + phase) + 0.8 * std::sin(x / 13 + phase * 3));
    }
    return line;
  };
  painter.save();
  painter.setClipPath(board, Qt::IntersectClip);
  painter.setBrush(Qt::NoBrush);
  for (qreal y = bounds.top() - 10; y < bounds.bottom() + 10; y += 10 + random.bounded(16.0)) {
    const QColor band = random.bounded(2) == 0 ? QColor(255, 230, 180) : fibre;
    painter.setPen(QPen(withAlpha(band, 14 + random.bounded(16)), 4 + random.bounded(8.0)));
    painter.drawPath(fibrePath(y, 2 + random.bounded(5.0)));
  }
  for (qreal y = bounds.top() - 10; y < bounds.bottom() + 10; y += 1.5 + random.bounded(3.5)) {
    painter.setPen(QPen(withAlpha(fibre, 18 + random.bounded(44)), 0.5 + random.bounded(1.2)));
    painter.drawPath(fibrePath(y, 1 + random.bounded(4.0)));
  }
  painter.restore();
}

}  // namespace quelvo::skinart
