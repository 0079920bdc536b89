#include "swf/render/PixelCentredGradient.h"

#include <algorithm>

namespace quelvo::swf {

QBrush pixelCentredGradient(const QBrush& gradient, const QTransform& toDevice, int samplesPerPixel,
                            const QRect& area, GradientTextures& textures) {
  if (gradient.gradient() == nullptr || area.isEmpty()) return gradient;
  const int samples = std::max(1, samplesPerPixel);
  const QTransform textureToDevice =
      QTransform::fromTranslate(area.left(), area.top()) * QTransform::fromScale(samples, samples);
  bool invertible = false;
  const QTransform deviceToShape = toDevice.inverted(&invertible);
  if (!invertible) return gradient;
  QBrush brush(textures.find(gradient, textureToDevice * deviceToShape, area.size()));
  brush.setTransform(textureToDevice * deviceToShape);
  return brush;
}

}  // namespace quelvo::swf
