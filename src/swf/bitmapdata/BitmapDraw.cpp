#include "swf/bitmapdata/BitmapDraw.h"

#include "swf/bitmapdata/BitmapColor.h"

namespace quelvo::swf {

void paintInto(BitmapSurface& target, const BitmapDraw& settings,
               const std::function<void(QPainter&)>& paint) {
  if (target.disposed() || !settings.matrix.isInvertible()) return;
  PixelRect area = target.bounds();
  if (settings.clip) area = intersect(area, *settings.clip);
  if (area.empty()) return;
  const QRect rect(area.x, area.y, area.width, area.height);
  const effects::BlendMode mode = settings.blendMode;
  // Painting over keeps alphas of 255 as they are: an opaque target stays so.
  QPainter painter(&target.image());
  painter.setClipRect(rect);
  if (mode == effects::BlendMode::Normal || mode == effects::BlendMode::Layer) {
    painter.setRenderHint(QPainter::SmoothPixmapTransform, settings.smoothing);
    paint(painter);
    return;
  }
  // Other modes draw on a clear layer first, then blend the area of it
  // with the target's; an opaque target keeps what they would clear.
  QImage layer(target.image().size(), QImage::Format_ARGB32_Premultiplied);
  if (layer.isNull()) return;
  layer.fill(Qt::transparent);
  {
    QPainter layerPainter(&layer);
    layerPainter.setClipRect(rect);
    layerPainter.setRenderHint(QPainter::SmoothPixmapTransform, settings.smoothing);
    paint(layerPainter);
  }
  QImage blended = target.image().copy(rect);
  effects::blend(blended, layer.copy(rect), QPoint(0, 0), mode);
  painter.setCompositionMode(target.transparent() ? QPainter::CompositionMode_Source
                                                  : QPainter::CompositionMode_SourceOver);
  painter.drawImage(rect.topLeft(), blended);
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
