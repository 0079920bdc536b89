#include "swf/render/PixelCentredGradient.h"

#include <QImage>
#include <QPainter>

namespace quelvo::swf {

QBrush pixelCentredGradient(const QBrush& gradient, const QTransform& toDevice, int samplesPerPixel,
                            const QRect& area) {
  if (samplesPerPixel <= 1 || gradient.gradient() == nullptr || area.isEmpty()) return gradient;
  const QTransform textureToDevice = QTransform::fromTranslate(area.left(), area.top()) *
                                     QTransform::fromScale(samplesPerPixel, samplesPerPixel);
  bool invertible = false;
  const QTransform deviceToShape = toDevice.inverted(&invertible);
  if (!invertible) return gradient;

  QImage texture(area.size(), QImage::Format_ARGB32_Premultiplied);
  texture.fill(Qt::transparent);
  QBrush onTexture = gradient;
  onTexture.setTransform(gradient.transform() * toDevice * textureToDevice.inverted());
  QPainter painter(&texture);
  painter.fillRect(texture.rect(), onTexture);
  painter.end();

  QBrush brush(texture);
  brush.setTransform(textureToDevice * deviceToShape);
  return brush;
}

}  // namespace quelvo::swf
