#include "core/Artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include "core/Fonts.h"

namespace quelvo::core {

namespace {

// A play triangle inside a ring, the player's mark.
void drawMark(QPainter& painter, const QRectF& box) {
  painter.setRenderHint(QPainter::Antialiasing);
  QRadialGradient disc(box.center(), box.width() / 2);
  disc.setColorAt(0, QColor(255, 196, 64));
  disc.setColorAt(1, QColor(230, 92, 20));
  painter.setPen(Qt::NoPen);
  painter.setBrush(disc);
  painter.drawEllipse(box);
  QPainterPath triangle;
  const double r = box.width() / 2;
  const QPointF c = box.center();
  triangle.moveTo(c.x() - r * 0.32, c.y() - r * 0.45);
  triangle.lineTo(c.x() + r * 0.5, c.y());
  triangle.lineTo(c.x() - r * 0.32, c.y() + r * 0.45);
  triangle.closeSubpath();
  painter.setBrush(Qt::white);
  painter.drawPath(triangle);
}

}  // namespace

QPixmap splashPicture(const QSize& size) {
  QPixmap picture(size);
  QPainter painter(&picture);
  QLinearGradient sky(0, 0, size.width(), size.height());
  sky.setColorAt(0, QColor(24, 40, 92));
  sky.setColorAt(1, QColor(96, 30, 110));
  painter.fillRect(picture.rect(), sky);
  const double markSize = size.height() * 0.55;
  drawMark(painter,
           QRectF(size.height() * 0.22, (size.height() - markSize) / 2, markSize, markSize));
  painter.setPen(Qt::white);
  QFont title = heitiFont(28, true);
  painter.setFont(title);
  const QRect textArea(static_cast<int>(size.height() * 0.22 + markSize + 20), 0, size.width(),
                       size.height());
  painter.drawText(textArea.adjusted(0, 0, 0, -size.height() / 5), Qt::AlignVCenter,
                   QStringLiteral("Quelvo"));
  painter.setFont(heitiFont(11));
  painter.drawText(textArea.adjusted(0, size.height() / 4, 0, 0), Qt::AlignVCenter,
                   QStringLiteral("Flash 动画播放器"));
  return picture;
}

QIcon programIcon() {
  QIcon icon;
  for (int side : {16, 32, 48, 64, 128}) {
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    drawMark(painter, QRectF(0.5, 0.5, side - 1, side - 1));
    painter.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

}  // namespace quelvo::core
