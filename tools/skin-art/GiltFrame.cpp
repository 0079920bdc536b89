#include "GiltFrame.h"

#include <QPainterPath>

#include "Paint.h"

namespace quelvo::skinart {

namespace {

// The gilt molding's section from its outer edge (0) to the picture (1).
QGradientStops giltProfile() {
  return {
      {0.0, QColor(70, 40, 10)},    {0.06, QColor(200, 150, 60)},  {0.16, QColor(255, 240, 170)},
      {0.26, QColor(214, 168, 70)}, {0.38, QColor(120, 78, 20)},   {0.46, QColor(90, 56, 14)},
      {0.56, QColor(190, 140, 50)}, {0.66, QColor(255, 232, 150)}, {0.78, QColor(200, 150, 56)},
      {0.9, QColor(110, 70, 18)},   {1.0, QColor(50, 30, 8)}};
}

void paintBeads(QPainter& painter, const QRectF& track) {
  constexpr qreal kPitch = 5;
  painter.save();
  painter.setPen(Qt::NoPen);
  const auto bead = [&painter](const QPointF& at) {
    QRadialGradient shine(at - QPointF(0.6, 0.6), 2);
    shine.setColorAt(0, QColor(255, 246, 200));
    shine.setColorAt(0.6, QColor(212, 164, 64));
    shine.setColorAt(1, QColor(110, 70, 20));
    painter.setBrush(shine);
    painter.drawEllipse(at, 1.7, 1.7);
  };
  for (qreal x = track.left() + 6; x < track.right() - 4; x += kPitch) {
    bead(QPointF(x, track.top()));
    bead(QPointF(x, track.bottom()));
  }
  for (qreal y = track.top() + 6; y < track.bottom() - 4; y += kPitch) {
    bead(QPointF(track.left(), y));
    bead(QPointF(track.right(), y));
  }
  painter.restore();
}

// Carved gilt leaves fanning out from the centre over the span of degrees
// (0 pointing right, counter-clockwise), with a round boss in the middle: a
// rosette over the whole circle, a shell over half of it.
void paintGiltFan(QPainter& painter, const QPointF& centre, qreal radius, qreal from, qreal span,
                  int leaves) {
  painter.save();
  painter.translate(centre);
  painter.setPen(QPen(QColor(90, 56, 14, 170), 0.5));
  const qreal step = span / (span >= 360 ? leaves : leaves - 1);
  for (int leaf = 0; leaf < leaves; ++leaf) {
    painter.save();
    painter.rotate(-(from + leaf * step));
    QRadialGradient shine(QPointF(radius * 0.45, -radius * 0.12), radius * 0.6);
    shine.setColorAt(0, QColor(255, 244, 184));
    shine.setColorAt(0.6, QColor(214, 164, 60));
    shine.setColorAt(1, QColor(130, 84, 20));
    painter.setBrush(shine);
    painter.drawEllipse(QPointF(radius * 0.55, 0), radius * 0.45, radius * 0.2);
    painter.restore();
  }
  QRadialGradient boss(QPointF(-radius * 0.08, -radius * 0.08), radius * 0.3);
  boss.setColorAt(0, QColor(255, 250, 220));
  boss.setColorAt(1, QColor(170, 116, 32));
  painter.setBrush(boss);
  painter.drawEllipse(QPointF(0, 0), radius * 0.28, radius * 0.28);
  painter.restore();
}

}  // namespace

void paintGiltFrame(QPainter& painter, const QRectF& picture, qreal width) {
  const QRectF outer = picture.adjusted(-width, -width, width, width);
  paintShadow(painter, rectanglePath(outer), QPointF(2.5, 3.5), 3, QColor(40, 18, 4, 150));
  // Mitred sides, each lit by where it faces; unantialiased so the mitres meet without seams.
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  const QPointF o[4] = {outer.topLeft(), outer.topRight(), outer.bottomRight(), outer.bottomLeft()};
  const QPointF in[4] = {picture.topLeft(), picture.topRight(), picture.bottomRight(),
                         picture.bottomLeft()};
  const QColor light[4] = {QColor(255, 250, 220, 70), QColor(40, 20, 0, 70), QColor(40, 20, 0, 110),
                           QColor(255, 250, 220, 35)};
  for (int side = 0; side < 4; ++side) {
    const int next = (side + 1) % 4;
    const QPolygonF trapezoid({o[side], o[next], in[next], in[side]});
    const QPointF edge = (o[side] + o[next]) / 2;
    const QPointF toward = (in[side] + in[next]) / 2;
    QLinearGradient section(edge, edge + unitVector(toward - edge) * width);
    section.setStops(giltProfile());
    painter.setPen(Qt::NoPen);
    painter.setBrush(section);
    painter.drawPolygon(trapezoid);
    painter.setBrush(light[side]);
    painter.drawPolygon(trapezoid);
  }
  painter.restore();
  paintBeads(painter, outer.adjusted(5.8, 5.8, -5.8, -5.8));
  for (const QPointF& corner : o) {
    paintGiltFan(painter, corner + unitVector(outer.center() - corner) * 8, 9, 0, 360, 8);
  }
  paintGiltFan(painter, QPointF(outer.center().x(), outer.top() + 3), 17, 0, 180, 9);
  painter.fillRect(picture, QColor(20, 17, 14));
  paintInnerShadow(painter, rectanglePath(picture), QPointF(2, 2), 2, QColor(0, 0, 0, 200));
}

}  // namespace quelvo::skinart
