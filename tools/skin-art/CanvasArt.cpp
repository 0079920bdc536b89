// 油画: a painting in a carved gilt frame on an artist's palette, with paint
// daubs for buttons and a drawer on the right that the catalog slides out in.

#include "ButtonFace.h"
#include "GiltFrame.h"
#include "OilPaint.h"
#include "Paint.h"
#include "SchemeArt.h"
#include "Wood.h"

namespace quelvo::skinart {

namespace {

constexpr QSize kFrameSize(600, 360);
constexpr int kStripWidth = 12;
constexpr int kStripHeight = 250;
constexpr int kGiltWidth = 13;

// The oil colour each button is daubed in.
QColor oilColour(SkinButton button) {
  switch (button) {
    case SkinButton::Minimize:
      return QColor(214, 158, 44);  // yellow ochre
    case SkinButton::Close:
      return QColor(168, 30, 44);  // alizarin crimson
    case SkinButton::Catalog:
      return QColor(44, 70, 164);  // ultramarine
    case SkinButton::FullMode:
      return QColor(24, 118, 98);  // viridian
    case SkinButton::Play:
      return QColor(222, 84, 36);  // vermilion
    case SkinButton::Pause:
      return QColor(36, 122, 178);  // cerulean
    case SkinButton::PreviousMovie:
    case SkinButton::NextMovie:
      return QColor(164, 84, 42);  // burnt sienna
    case SkinButton::PreviousFrame:
    case SkinButton::NextFrame:
      return QColor(96, 128, 46);  // sap green
    case SkinButton::PlayOptions:
    case SkinButton::Open:
      return QColor(112, 68, 146);  // violet
  }
  return Qt::gray;
}

class CanvasArt : public SchemeArt {
 public:
  CanvasArt() : SchemeArt(Scheme::Canvas) {}

  QImage frame(int scale) const override {
    QImage picture = transparentPicture(kFrameSize, scale);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    paintDrawer(painter);
    paintBoard(painter);
    const QImage edge = strip(scale);
    painter.drawImage(startWidth() - kStripWidth, stripTop(), edge);
    painter.drawImage(kFrameSize.width() - kStripWidth, stripTop(), edge);
    paintSmear(painter, QPointF(276, 326), QSizeF(44, 13), -8, QColor(250, 248, 240), 3);
    paintSmear(painter, QPointF(290, 316), QSizeF(20, 8), 12, QColor(236, 196, 60), 5);
    paintSmear(painter, QPointF(226, 33), QSizeF(40, 11), 6, QColor(44, 70, 164), 7);
    paintSmear(painter, QPointF(30, 196), QSizeF(26, 10), -70, QColor(200, 50, 40), 9);
    paintGiltFrame(painter, QRectF(movieRect()).adjusted(-1, -1, 1, 1), kGiltWidth);
    paintBrush(painter, QPointF(278, 214), QPointF(318, 74), QColor(32, 28, 26),
               QColor(40, 70, 160));
    paintBrush(painter, QPointF(284, 222), QPointF(386, 160), QColor(150, 38, 30),
               QColor(236, 196, 60));
    return picture;
  }

  void paintButton(QPainter& painter, const QRectF& area, SkinButton button,
                   bool pressed) const override {
    ButtonLook look;
    look.body = daub(area.adjusted(1.5, 1.5, -2.5, -2.5), static_cast<int>(button));
    look.colour = oilColour(button);
    look.ink = QColor(253, 247, 230);
    look.relief = withAlpha(blend(look.colour, Qt::black, 0.6), 170);
    const QRectF body = look.body.boundingRect();
    const qreal side = std::min(body.width() * 0.5, body.height() * 0.74);
    look.glyphBox = QRectF(body.center() - QPointF(side / 2, side / 2 + 0.5), QSizeF(side, side));
    look.texture = paintKnifeStreaks;
    paintButtonFace(painter, button, look, pressed);
  }

  QSize fileButtonSize(SkinButton button) const override {
    return button == SkinButton::Catalog ? QSize(42, 32) : QSize(30, 26);
  }

  std::vector<Picture> extraPictures(int scale) const override {
    return {{layout().sheets.at(3), strip(scale)}};
  }

 private:
  int startWidth() const { return skins::skinPixels(layout().startWidth); }
  int stripTop() const { return skins::skinPixels(layout().rightStrip.y()); }

  // The board's right edge, which also closes the drawer as it slides out.
  QImage strip(int scale) const {
    const QRect whole(0, 0, kStripWidth, kStripHeight);
    QImage picture = transparentPicture(whole.size(), scale);
    QPainter painter(&picture);
    QLinearGradient round(0, 0, kStripWidth, 0);
    round.setStops({{0.0, QColor(58, 32, 14)},
                    {0.1, QColor(150, 96, 50)},
                    {0.3, QColor(228, 184, 120)},
                    {0.48, QColor(198, 142, 80)},
                    {0.75, QColor(140, 90, 46)},
                    {1.0, QColor(50, 28, 12)}});
    painter.fillRect(whole, round);
    QLinearGradient gilt(0, 0, 0, kStripHeight);
    gilt.setStops(
        {{0.0, QColor(190, 140, 50)}, {0.5, QColor(250, 222, 130)}, {1.0, QColor(170, 120, 40)}});
    painter.fillRect(QRectF(kStripWidth * 0.5, 3, 1.5, kStripHeight - 6), gilt);
    QLinearGradient ends(0, 0, 0, kStripHeight);
    ends.setStops({{0.0, QColor(40, 20, 6, 160)},
                   {6.0 / kStripHeight, QColor(40, 20, 6, 0)},
                   {1 - 6.0 / kStripHeight, QColor(40, 20, 6, 0)},
                   {1.0, QColor(40, 20, 6, 170)}});
    painter.fillRect(whole, ends);
    return picture;
  }

  QPainterPath paletteOutline() const {
    const qreal right = startWidth();
    QPainterPath outline;
    outline.moveTo(34, 12);
    outline.cubicTo(100, 4, 180, 14, 250, 9);
    outline.cubicTo(300, 5, 352, 8, 378, 20);
    outline.cubicTo(396, 28, right, 40, right, stripTop());
    outline.lineTo(right, stripTop() + kStripHeight);
    outline.cubicTo(right, 332, 392, 348, 366, 350);
    outline.cubicTo(300, 355, 200, 346, 110, 350);
    outline.cubicTo(70, 352, 36, 352, 22, 334);
    outline.cubicTo(12, 322, 10, 310, 11, 298);
    outline.cubicTo(44, 286, 46, 240, 12, 226);
    outline.cubicTo(4, 180, 3, 100, 7, 58);
    outline.cubicTo(9, 30, 18, 16, 34, 12);
    outline.closeSubpath();
    return outline.subtracted(ellipsePath(QPointF(192, 264), 15, 13));  // the thumb hole
  }

  void paintBoard(QPainter& painter) const {
    const QPainterPath board = paletteOutline();
    QRadialGradient wood(QPointF(150, 120), 330);
    wood.setStops(
        {{0.0, QColor(236, 196, 136)}, {0.55, QColor(210, 158, 96)}, {1.0, QColor(160, 104, 56)}});
    painter.fillPath(board, wood);
    paintWoodGrain(painter, board, QColor(120, 70, 30), 11);
    paintBoardEdge(painter, board);
  }

  void paintDrawer(QPainter& painter) const {
    const QRectF drawer(startWidth(), stripTop(), kFrameSize.width() - startWidth(), kStripHeight);
    QLinearGradient walnut(drawer.topLeft(), drawer.bottomLeft());
    walnut.setStops(
        {{0.0, QColor(128, 80, 44)}, {0.5, QColor(104, 62, 32)}, {1.0, QColor(76, 44, 22)}});
    const QPainterPath body = rectanglePath(drawer);
    painter.fillPath(body, walnut);
    paintWoodGrain(painter, body, QColor(40, 20, 8), 23);
    paintBoardEdge(painter, body);
    // The slot behind the catalog, edged with a gilt line.
    const QRectF slot = QRectF(catalogRect()).adjusted(-1, -1, 1, 1);
    painter.fillRect(slot.adjusted(-1.5, -1.5, 1.5, 1.5), QColor(232, 196, 110));
    painter.fillRect(slot.adjusted(-0.5, -0.5, 0.5, 0.5), QColor(96, 64, 20));
    painter.fillRect(slot, QColor(18, 13, 10));
    paintInnerShadow(painter, rectanglePath(slot), QPointF(2, 3), 3, QColor(0, 0, 0, 230));
    // A brass label plate on the drawer's front rail.
    const QRectF plate(drawer.center().x() - 22, drawer.top() + 4, 44, 7);
    QLinearGradient brass(plate.topLeft(), plate.bottomLeft());
    brass.setStops(
        {{0.0, QColor(255, 236, 160)}, {0.5, QColor(214, 170, 72)}, {1.0, QColor(140, 96, 30)}});
    painter.setPen(QPen(QColor(90, 56, 16), 0.8));
    painter.setBrush(brass);
    painter.drawRoundedRect(plate, 2, 2);
  }
};

}  // namespace

std::unique_ptr<SchemeArt> makeCanvasArt() { return std::make_unique<CanvasArt>(); }

}  // namespace quelvo::skinart
