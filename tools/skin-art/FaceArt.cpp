// 笑脸: a round sunny face in blue glasses. One lens is the screen the movie
// plays in, the bridge holds the window buttons, and the grin holds the
// catalog and a row of tooth buttons.

#include <cmath>

#include "ButtonFace.h"
#include "Paint.h"
#include "SchemeArt.h"

namespace quelvo::skinart {

namespace {

constexpr QSize kFrameSize(580, 310);
const QColor kScreenBlue(0, 150, 214);
const QColor kOutline(160, 84, 8);
// The lens that matches the movie screen on the other side of the bridge.
constexpr QRect kLeftLens(40, 38, 182, 149);
constexpr qreal kLensRim = 10;
constexpr qreal kLensRound = 24;

// A round head over a broad jaw: the upper half is rounder than the lower.
QPainterPath faceOutline() {
  constexpr int kPoints = 360;
  constexpr qreal kCrown = 3.0;
  constexpr qreal kJaw = 4.6;
  const QPointF centre(kFrameSize.width() / 2.0, kFrameSize.height() / 2.0);
  const qreal rx = centre.x() - 1;
  const qreal ry = centre.y() - 1;
  QPolygonF outline;
  for (int i = 0; i < kPoints; ++i) {
    const qreal angle = 2 * M_PI * i / kPoints;
    const qreal c = std::cos(angle);
    const qreal s = std::sin(angle);
    const qreal power = 2 / (s < 0 ? kCrown : kJaw);
    outline << centre + QPointF(rx * std::copysign(std::pow(std::abs(c), power), c),
                                ry * std::copysign(std::pow(std::abs(s), power), s));
  }
  QPainterPath path;
  path.addPolygon(outline);
  path.closeSubpath();
  return path;
}

QPainterPath mouthOutline() {
  QPainterPath mouth;
  mouth.moveTo(16, 246);
  mouth.cubicTo(150, 238, 400, 224, 552, 208);
  mouth.cubicTo(556, 250, 540, 292, 500, 298);
  mouth.cubicTo(380, 312, 200, 306, 80, 292);
  mouth.cubicTo(40, 288, 18, 272, 16, 246);
  mouth.closeSubpath();
  return mouth;
}

// The outer edge of a lens rim round the glass.
QPainterPath lensOutline(const QRectF& glass, qreal rim, qreal round) {
  QPainterPath outline;
  outline.addRoundedRect(glass.adjusted(-rim, -rim, rim, rim), round, round);
  return outline;
}

// The glossy blue rim of a lens or screen round the inner rectangle.
void paintRim(QPainter& painter, const QRectF& inner, qreal rim, qreal round) {
  const QPainterPath outer = lensOutline(inner, rim, round);
  const QPainterPath hollow = rectanglePath(inner);
  paintShadow(painter, outer, QPointF(1.5, 3), 3, QColor(150, 70, 0, 150));
  paintBezel(painter, outer, hollow, QColor(170, 236, 255), QColor(0, 70, 140));
  painter.strokePath(outer, QPen(QColor(0, 60, 120), 1.2));
}

// A screen: dark until the player covers it with the movie or the catalog.
void paintScreen(QPainter& painter, const QRect& screen, qreal rim, qreal round) {
  const QRectF inner(screen);
  paintRim(painter, inner, rim, round);
  painter.fillRect(inner, blend(kScreenBlue, Qt::black, 0.45));
  paintInnerShadow(painter, rectanglePath(inner), QPointF(2, 3), 3, QColor(0, 0, 0, 200));
}

void paintEye(QPainter& painter, const QPointF& centre) {
  const QPainterPath eye = ellipsePath(centre, 60, 56);
  paintShadow(painter, eye, QPointF(1, 3), 3, QColor(150, 70, 0, 120));
  QRadialGradient white(centre - QPointF(18, 20), 76);
  white.setStops({{0.0, Qt::white}, {0.7, QColor(240, 246, 252)}, {1.0, QColor(196, 214, 232)}});
  painter.fillPath(eye, white);
  paintInnerShadow(painter, eye, QPointF(0, 6), 5, QColor(40, 60, 100, 110));
  const QPointF look = centre + QPointF(18, 6);
  QRadialGradient iris(look, 30);
  iris.setStops(
      {{0.0, QColor(150, 226, 255)}, {0.55, QColor(0, 140, 220)}, {1.0, QColor(0, 64, 150)}});
  const QPainterPath irisPath = ellipsePath(look, 30, 30).intersected(eye);
  painter.fillPath(irisPath, iris);
  painter.strokePath(irisPath, QPen(QColor(0, 50, 110), 1.5));
  QRadialGradient pupil(look - QPointF(3, 3), 15);
  pupil.setColorAt(0, QColor(40, 40, 70));
  pupil.setColorAt(1, QColor(5, 5, 20));
  painter.fillPath(ellipsePath(look, 14, 14), pupil);
  painter.fillPath(ellipsePath(look + QPointF(-11, -12), 7.5, 6.5), QColor(255, 255, 255, 235));
  painter.fillPath(ellipsePath(look + QPointF(11, 12), 3.5, 3.5), QColor(255, 255, 255, 200));
  painter.strokePath(eye, QPen(kOutline, 2.5));
}

// The left lens of the glasses: plain glass over the eye, catching the light.
void paintGlassLens(QPainter& painter, const QRect& lens, const QImage& skin) {
  const QRectF inner(lens);
  paintRim(painter, inner, kLensRim, kLensRound);
  painter.drawImage(inner, skin, devicePixels(skin, inner));
  paintEye(painter, inner.center() + QPointF(-4, 0));
  const QPainterPath glass = rectanglePath(inner);
  painter.fillPath(glass, QColor(170, 230, 255, 40));
  for (const auto& [offset, width] : {std::pair{0.18, 26.0}, std::pair{0.42, 10.0}}) {
    QPainterPath streak;
    const qreal x = inner.left() + inner.width() * offset;
    streak.addPolygon(
        QPolygonF({QPointF(x, inner.bottom()), QPointF(x + width, inner.bottom()),
                   QPointF(x + width + 70, inner.top()), QPointF(x + 70, inner.top())}));
    painter.fillPath(streak.intersected(glass), QColor(255, 255, 255, 56));
  }
  paintInnerShadow(painter, glass, QPointF(2, 3), 3, QColor(0, 40, 80, 140));
}

// The bridge of the glasses, with a groove holding the two small buttons.
void paintBridge(QPainter& painter, const QRectF& from, const QRectF& to, const QRect& buttons) {
  QPainterPath bar;
  const QRectF groove = QRectF(buttons).adjusted(-5, -4, 4, 3);
  const QRectF band(from.right() - 6, groove.top() - 4, to.left() - from.right() + 12,
                    groove.height() + 8);
  bar.addRoundedRect(band, band.height() / 2, band.height() / 2);
  paintShadow(painter, bar, QPointF(1.5, 3), 3, QColor(150, 70, 0, 150));
  QLinearGradient metal(band.topLeft(), band.bottomLeft());
  metal.setStops(
      {{0.0, QColor(170, 236, 255)}, {0.5, QColor(0, 150, 214)}, {1.0, QColor(0, 70, 140)}});
  painter.fillPath(bar, metal);
  painter.strokePath(bar, QPen(QColor(0, 60, 120), 1.2));
  QPainterPath slot;
  slot.addRoundedRect(groove, groove.height() / 2, groove.height() / 2);
  painter.fillPath(slot, QColor(0, 80, 140));
  paintInnerShadow(painter, slot, QPointF(1, 2), 2, QColor(0, 20, 50, 220));
}

// A single curl of hair on the forehead.
void paintCurl(QPainter& painter) {
  QPainterPath curl;
  curl.moveTo(280, 2);
  curl.cubicTo(268, 16, 288, 32, 297, 20);
  curl.cubicTo(303, 11, 290, 6, 287, 15);
  painter.strokePath(curl.translated(0.8, 1.5),
                     QPen(QColor(255, 240, 160, 160), 2.6, Qt::SolidLine, Qt::RoundCap));
  painter.strokePath(curl, QPen(kOutline, 2.6, Qt::SolidLine, Qt::RoundCap));
}

void paintNose(QPainter& painter) {
  const QPainterPath nose = ellipsePath(QPointF(279, 168), 14, 11);
  paintShadow(painter, nose, QPointF(2, 4), 3, QColor(170, 80, 0, 130));
  QRadialGradient round(QPointF(274, 162), 18);
  round.setStops(
      {{0.0, QColor(255, 236, 150)}, {0.6, QColor(250, 186, 40)}, {1.0, QColor(220, 130, 10)}});
  painter.fillPath(nose, round);
  painter.fillPath(ellipsePath(QPointF(274, 163), 5, 3.5), QColor(255, 255, 240, 170));
}

void paintMouth(QPainter& painter, const QRect& catalog) {
  const QPainterPath mouth = mouthOutline();
  QLinearGradient inside(0, 210, 0, 305);
  inside.setStops({{0.0, QColor(70, 8, 18)}, {1.0, QColor(150, 30, 44)}});
  painter.fillPath(mouth, inside);
  QRadialGradient tongue(QPointF(336, 290), 40);
  tongue.setStops({{0.0, QColor(255, 140, 150)}, {1.0, QColor(210, 60, 80)}});
  painter.fillPath(ellipsePath(QPointF(336, 304), 38, 22).intersected(mouth), tongue);
  paintInnerShadow(painter, mouth, QPointF(0, 7), 5, QColor(30, 0, 6, 220));
  painter.strokePath(mouth,
                     QPen(QColor(190, 70, 30), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.strokePath(mouth.translated(0, 1.5), QPen(QColor(255, 210, 120, 90), 1));
  paintScreen(painter, catalog, 4, 8);
}

class FaceArt : public SchemeArt {
 public:
  FaceArt() : SchemeArt(Scheme::Face) {}

  QImage frame(int scale) const override {
    QImage picture = transparentPicture(kFrameSize, scale);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPainterPath face = faceOutline();
    QRadialGradient sun(QPointF(200, 70), 420);
    sun.setStops({{0.0, QColor(255, 248, 176)},
                  {0.35, QColor(255, 224, 72)},
                  {0.7, QColor(252, 192, 32)},
                  {1.0, QColor(236, 150, 16)}});
    painter.fillPath(face, sun);
    paintInnerShadow(painter, face, QPointF(0, 0), 12, QColor(214, 110, 0, 130));
    paintInnerShadow(painter, face, QPointF(-8, -10), 10, QColor(200, 96, 0, 150));
    paintInnerShadow(painter, face, QPointF(3, 4), 3, QColor(255, 255, 230, 170));
    paintGlow(painter, QRectF(40, 6, 300, 100), QColor(255, 255, 240, 110));
    paintGlow(painter, QRectF(56, 198, 92, 40), QColor(255, 96, 120, 150));
    for (const QPointF& freckle : {QPointF(84, 214), QPointF(98, 209), QPointF(112, 215)}) {
      painter.fillPath(ellipsePath(freckle, 1.8, 1.5), QColor(196, 100, 30, 150));
    }
    painter.strokePath(face, QPen(kOutline, 2));
    paintCurl(painter);
    const QImage skin = picture.copy();
    paintBridge(painter, kLeftLens, movieRect(),
                buttonRect(SkinButton::Minimize).united(buttonRect(SkinButton::Close)));
    paintGlassLens(painter, kLeftLens, skin);
    paintScreen(painter, movieRect(), kLensRim, kLensRound);
    paintNose(painter);
    paintMouth(painter, catalogRect());
    // The glasses stick out past the head; nothing else may, not even a shadow.
    const QPainterPath outside = rectanglePath(QRectF(QPointF(0, 0), kFrameSize))
                                     .subtracted(face)
                                     .subtracted(lensOutline(kLeftLens, kLensRim, kLensRound))
                                     .subtracted(lensOutline(movieRect(), kLensRim, kLensRound));
    painter.setCompositionMode(QPainter::CompositionMode_DestinationOut);
    painter.fillPath(outside, Qt::black);
    return picture;
  }

  void paintButton(QPainter& painter, const QRectF& area, SkinButton button,
                   bool pressed) const override {
    ButtonLook look;
    if (button == SkinButton::Minimize || button == SkinButton::Close) {
      // The tiny window buttons: glossy beads.
      look.body.addEllipse(QRectF(0.5, 0.5, area.width() - 1.5, area.width() - 1.5));
      look.colour = button == SkinButton::Close ? QColor(232, 56, 48) : QColor(0, 164, 236);
      look.ink = Qt::white;
      look.relief = QColor(0, 0, 0, 90);
    } else {
      // Teeth.
      look.body.addRoundedRect(area.adjusted(0.5, 0.5, -1.5, -1.5), 4, 4);
      look.colour = QColor(246, 246, 240);
      look.ink = kScreenBlue;
      look.relief = QColor(255, 255, 255, 220);
      look.gloss = 220;
    }
    const QRectF body = look.body.boundingRect();
    const qreal side = body.width() * 0.8;
    look.glyphBox = QRectF(body.center() - QPointF(side / 2, side / 2), QSizeF(side, side));
    paintButtonFace(painter, button, look, pressed);
  }
};

}  // namespace

std::unique_ptr<SchemeArt> makeFaceArt() { return std::make_unique<FaceArt>(); }

}  // namespace quelvo::skinart
