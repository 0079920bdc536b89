// 爱心: a glossy red heart edged with paper lace, gold jewels for buttons and
// a gold-framed window for the movie or the catalog.

#include <cmath>
#include <vector>

#include "ButtonFace.h"
#include "Paint.h"
#include "SchemeArt.h"

namespace quelvo::skinart {

namespace {

constexpr QSize kFrameSize(360, 340);
constexpr qreal kLaceWidth = 10;
constexpr qreal kScallop = 5;
const QColor kGold(237, 186, 114);
const QColor kLace(255, 247, 240);

QPainterPath heartOutline() {
  QPainterPath heart;
  heart.moveTo(188, 50);
  heart.cubicTo(206, 16, 250, 12, 290, 15);
  heart.cubicTo(336, 16, 347, 32, 347, 82);
  heart.cubicTo(346, 160, 286, 232, 210, 320);
  heart.cubicTo(132, 238, 18, 170, 18, 94);
  heart.cubicTo(18, 44, 54, 18, 96, 18);
  heart.cubicTo(140, 18, 172, 28, 188, 50);
  heart.closeSubpath();
  return heart;
}

// Points every so far along the heart's edge, moved out from it by the distance.
std::vector<QPointF> aroundHeart(const QPainterPath& heart, qreal spacing, qreal distance) {
  const qreal length = heart.length();
  const int count = static_cast<int>(length / spacing);
  std::vector<QPointF> points;
  for (int i = 0; i < count; ++i) {
    const qreal at = heart.percentAtLength(length * i / count);
    const QPointF ahead = heart.pointAtPercent(std::min(at + 0.002, 1.0));
    const QPointF behind = heart.pointAtPercent(std::max(at - 0.002, 0.0));
    const QPointF point = heart.pointAtPercent(at);
    QPointF normal = unitVector(QPointF(behind.y() - ahead.y(), ahead.x() - behind.x()));
    if (heart.contains(point + normal)) normal = -normal;
    points.push_back(point + normal * distance);
  }
  return points;
}

QPainterPath circles(const std::vector<QPointF>& centres, qreal radius) {
  QPainterPath all;
  all.setFillRule(Qt::WindingFill);
  for (const QPointF& centre : centres) all.addEllipse(centre, radius, radius);
  return all;
}

// The lace round the heart: a band with a scalloped outer edge.
QPainterPath laceOutline(const QPainterPath& heart) {
  QPainterPathStroker stroker;
  stroker.setWidth(2 * kLaceWidth);
  stroker.setJoinStyle(Qt::RoundJoin);
  const QPainterPath scallops = circles(aroundHeart(heart, 1.9 * kScallop, kLaceWidth), kScallop);
  return stroker.createStroke(heart)
      .united(heart)
      .united(scallops.simplified())
      .intersected(rectanglePath(QRectF(QPointF(0, 0), kFrameSize)));
}

void paintLace(QPainter& painter, const QPainterPath& lace, const QPainterPath& heart) {
  QLinearGradient paper(0, 0, 0, kFrameSize.height());
  paper.setColorAt(0, kLace);
  paper.setColorAt(1, QColor(248, 226, 224));
  painter.fillPath(lace, paper);
  paintInnerShadow(painter, lace, QPointF(-1, -1.5), 1, QColor(180, 100, 110, 150));
  // Punched holes: eyelets along the band and a pinhole in every scallop.
  const QColor hole(222, 150, 162);
  painter.fillPath(circles(aroundHeart(heart, 6, kLaceWidth * 0.45), 1.6), hole);
  painter.fillPath(circles(aroundHeart(heart, 1.9 * kScallop, kLaceWidth + 1), 0.9), hole);
  painter.strokePath(lace, QPen(QColor(214, 150, 156), 0.8));
}

// A four-pointed glint of light on the glossy heart, its sides curving in.
void paintSparkle(QPainter& painter, const QPointF& centre, qreal radius) {
  paintGlow(painter, QRectF(centre - QPointF(radius, radius), QSizeF(2 * radius, 2 * radius)),
            QColor(255, 255, 255, 120));
  QPainterPath star;
  star.moveTo(centre + QPointF(0, -radius));
  for (const QPointF& tip :
       {QPointF(radius, 0), QPointF(0, radius), QPointF(-radius, 0), QPointF(0, -radius)}) {
    star.quadTo(centre, centre + tip);
  }
  painter.fillPath(star, QColor(255, 255, 255, 235));
}

void paintHeart(QPainter& painter, const QPainterPath& heart) {
  paintShadow(painter, heart, QPointF(0, 2), 2, QColor(120, 20, 40, 120));
  QRadialGradient ruby(QPointF(120, 90), 300);
  ruby.setStops({{0.0, QColor(252, 96, 120)},
                 {0.28, QColor(222, 26, 66)},
                 {0.7, QColor(160, 6, 44)},
                 {1.0, QColor(100, 0, 28)}});
  painter.fillPath(heart, ruby);
  paintInnerShadow(painter, heart, QPointF(-6, -8), 8, QColor(80, 0, 20, 170));
  paintInnerShadow(painter, heart, QPointF(2, 3), 2, QColor(255, 200, 210, 150));
  paintGlow(painter, QRectF(40, 26, 120, 70), QColor(255, 255, 255, 90));
  paintGlow(painter, QRectF(206, 24, 110, 56), QColor(255, 255, 255, 70));
  painter.strokePath(heart, QPen(kGold, 1.6));
  paintSparkle(painter, QPointF(70, 104), 9);
  paintSparkle(painter, QPointF(312, 104), 6);
  paintSparkle(painter, QPointF(236, 284), 5);
}

// A gold frame round the window the movie and the catalog share.
void paintWindow(QPainter& painter, const QRect& window) {
  const QRectF inner = QRectF(window).adjusted(-0.5, -0.5, 0.5, 0.5);
  QPainterPath outer;
  outer.addRoundedRect(inner.adjusted(-7, -7, 7, 7), 10, 10);
  const QPainterPath hollow = rectanglePath(inner);
  paintShadow(painter, outer, QPointF(1, 3), 3, QColor(70, 0, 20, 160));
  paintBezel(painter, outer, hollow, QColor(255, 236, 180), QColor(150, 96, 30));
  painter.strokePath(outer, QPen(QColor(120, 70, 20), 1));
  painter.fillRect(inner, QColor(20, 4, 10));
  paintInnerShadow(painter, hollow, QPointF(2, 3), 3, QColor(0, 0, 0, 220));
}

class LoveArt : public SchemeArt {
 public:
  LoveArt() : SchemeArt(Scheme::Love) {}

  QImage frame(int scale) const override {
    QImage picture = transparentPicture(kFrameSize, scale);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPainterPath heart = heartOutline();
    paintLace(painter, laceOutline(heart), heart);
    paintHeart(painter, heart);
    paintWindow(painter, movieRect());
    return picture;
  }

  void paintButton(QPainter& painter, const QRectF& area, SkinButton button,
                   bool pressed) const override {
    ButtonLook look;
    const QRectF body = area.adjusted(0.5, 0.5, -1.5, -1.5);
    const qreal round = std::min(body.width(), body.height()) / 2;
    look.body.addRoundedRect(body, round, round);
    look.colour = QColor(236, 176, 84);
    look.ink = QColor(140, 10, 46);
    look.relief = QColor(255, 240, 200, 200);
    look.gloss = 200;
    // Small wide jewels get a slightly wide symbol rather than a tiny one.
    const QSizeF glyph(std::min(body.width(), body.height() * 1.3) * 0.66, body.height() * 0.66);
    look.glyphBox = QRectF(body.center() - QPointF(glyph.width(), glyph.height()) / 2, glyph);
    paintButtonFace(painter, button, look, pressed);
  }
};

}  // namespace

std::unique_ptr<SchemeArt> makeLoveArt() { return std::make_unique<LoveArt>(); }

}  // namespace quelvo::skinart
