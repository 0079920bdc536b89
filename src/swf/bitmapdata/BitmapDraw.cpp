#include "swf/bitmapdata/BitmapDraw.h"

#include "swf/bitmapdata/BitmapColor.h"

namespace quelvo::swf {

void paintInto(BitmapSurface& target, const BitmapDraw& settings,
               const std::function<void(QPainter&)>& paint) {
  if (target.disposed() || !settings.matrix.isInvertible()) return;
  PixelRect area = target.bounds();
  if (settings.clip) area = intersect(area, *settings.clip);
  if (area.empty()) return;
  // Painting over keeps alphas of 255 as they are: an opaque target stays so.
  QPainter painter(&target.image());
  painter.setClipRect(area.x, area.y, area.width, area.height);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, settings.smoothing);
  paint(painter);
}

void drawBitmap(BitmapSurface& target, const BitmapSurface& source, const BitmapDraw& settings) {
  if (source.disposed()) return;
  QImage picture = source.image();
  if (!settings.colorTransform.isIdentity()) {
    picture = picture.copy();
    transformPixels(picture, source.bounds(), settings.colorTransform, source.transparent());
  }
  paintInto(target, settings, [&](QPainter& painter) {
    painter.setTransform(settings.matrix);
    painter.drawImage(QPointF(0, 0), picture);
  });
}

}  // namespace quelvo::swf
