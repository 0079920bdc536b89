#include "Glyphs.h"

#include <QPainterPath>
#include <QPolygonF>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace quelvo::skinart {

namespace {

using skins::SkinButton;

// Symbols are designed in a unit square.
QPainterPath triangle(QPointF a, QPointF b, QPointF c) {
  QPainterPath path;
  path.addPolygon(QPolygonF({a, b, c}));
  path.closeSubpath();
  return path;
}

QPainterPath bar(qreal x, qreal y, qreal width, qreal height) {
  QPainterPath path;
  const qreal round = std::min(width, height) * 0.3;
  path.addRoundedRect(QRectF(x, y, width, height), round, round);
  return path;
}

QPainterPath united(std::initializer_list<QPainterPath> parts) {
  QPainterPath all;
  for (const QPainterPath& part : parts) all = all.united(part);
  return all;
}

QPainterPath mirrored(const QPainterPath& path) { return QTransform(-1, 0, 0, 1, 1, 0).map(path); }

QPainterPath cog() {
  constexpr int kTeeth = 8;
  constexpr qreal kOuter = 0.47;
  constexpr qreal kInner = 0.34;
  QPolygonF rim;
  for (int i = 0; i < kTeeth * 4; ++i) {
    const qreal angle = (i + 0.5) * M_PI / (kTeeth * 2);
    const qreal radius = (i / 2) % 2 == 0 ? kOuter : kInner;
    rim << QPointF(0.5 + radius * std::cos(angle), 0.5 + radius * std::sin(angle));
  }
  QPainterPath wheel;
  wheel.addPolygon(rim);
  wheel.closeSubpath();
  QPainterPath hole;
  hole.addEllipse(QPointF(0.5, 0.5), 0.15, 0.15);
  return wheel.subtracted(hole);
}

QPainterPath cross() {
  QPainterPath arm = bar(0.1, 0.41, 0.8, 0.18);
  const QTransform turn = QTransform().translate(0.5, 0.5).rotate(45).translate(-0.5, -0.5);
  const QTransform back = QTransform().translate(0.5, 0.5).rotate(-45).translate(-0.5, -0.5);
  return united({turn.map(arm), back.map(arm)});
}

QPainterPath corners() {
  constexpr qreal kInset = 0.1;
  constexpr qreal kArm = 0.32;
  constexpr qreal kThick = 0.14;
  const QPainterPath corner =
      united({bar(kInset, kInset, kArm, kThick), bar(kInset, kInset, kThick, kArm)});
  QPainterPath all;
  for (const QTransform& flip : {QTransform(), QTransform(-1, 0, 0, 1, 1, 0),
                                 QTransform(1, 0, 0, -1, 0, 1), QTransform(-1, 0, 0, -1, 1, 1)}) {
    all = all.united(flip.map(corner));
  }
  return all;
}

QPainterPath list() {
  QPainterPath all;
  for (qreal y : {0.2, 0.44, 0.68}) {
    all.addEllipse(QRectF(0.1, y, 0.14, 0.14));
    all.addPath(bar(0.32, y + 0.01, 0.58, 0.12));
  }
  return all;
}

QPainterPath unitGlyph(SkinButton button) {
  switch (button) {
    case SkinButton::Minimize:
      return bar(0.16, 0.64, 0.68, 0.18);
    case SkinButton::FullMode:
      return corners();
    case SkinButton::Play:
      return triangle({0.2, 0.1}, {0.9, 0.5}, {0.2, 0.9});
    case SkinButton::Pause:
      return united({bar(0.18, 0.12, 0.23, 0.76), bar(0.59, 0.12, 0.23, 0.76)});
    case SkinButton::PreviousMovie:
      return mirrored(unitGlyph(SkinButton::NextMovie));
    case SkinButton::NextMovie:
      return united({triangle({0.04, 0.18}, {0.44, 0.5}, {0.04, 0.82}),
                     triangle({0.4, 0.18}, {0.8, 0.5}, {0.4, 0.82}), bar(0.8, 0.18, 0.14, 0.64)});
    case SkinButton::PlayOptions:
      return cog();
    case SkinButton::Open:
      return united({triangle({0.5, 0.12}, {0.9, 0.56}, {0.1, 0.56}), bar(0.1, 0.68, 0.8, 0.18)});
    case SkinButton::Close:
      return cross();
    case SkinButton::Catalog:
      return list();
    case SkinButton::PreviousFrame:
      return mirrored(unitGlyph(SkinButton::NextFrame));
    case SkinButton::NextFrame:
      return united({bar(0.14, 0.16, 0.16, 0.68), triangle({0.4, 0.14}, {0.88, 0.5}, {0.4, 0.86})});
  }
  return {};
}

QPainterPath glyphPath(SkinButton button, const QRectF& box) {
  const QTransform place =
      QTransform().translate(box.left(), box.top()).scale(box.width(), box.height());
  return place.map(unitGlyph(button));
}

}  // namespace

void paintGlyph(QPainter& painter, SkinButton button, const QRectF& box, const QColor& ink,
                const QColor& relief) {
  const QPainterPath glyph = glyphPath(button, box);
  painter.fillPath(glyph.translated(0, 1), relief);
  painter.fillPath(glyph, ink);
}

}  // namespace quelvo::skinart
