#include "swf/render/GradientTextures.h"

#include <QDataStream>
#include <QGradient>
#include <QIODevice>

#include "swf/render/GradientTexture.h"

namespace quelvo::swf {

namespace {

// Everything a gradient texture depends on, as bytes.
QByteArray keyOf(const QBrush& brush, const QTransform& toBrush, QSize size) {
  QByteArray key;
  QDataStream out(&key, QIODevice::WriteOnly);
  const QGradient* gradient = brush.gradient();
  if (!gradient) return key;
  out << int(gradient->type()) << int(gradient->spread()) << brush.transform() << toBrush << size;
  if (gradient->type() == QGradient::LinearGradient) {
    const auto& linear = static_cast<const QLinearGradient&>(*gradient);
    out << linear.start() << linear.finalStop();
  } else if (gradient->type() == QGradient::RadialGradient) {
    const auto& radial = static_cast<const QRadialGradient&>(*gradient);
    out << radial.center() << radial.radius() << radial.focalPoint();
  }
  for (const QGradientStop& stop : gradient->stops()) out << stop.first << stop.second.rgba();
  return key;
}

}  // namespace

QImage GradientTextures::find(const QBrush& gradient, const QTransform& toBrush, QSize size) {
  QByteArray key = keyOf(gradient, toBrush, size);
  if (const QImage* kept = recent_.find(key)) return *kept;
  QImage image = gradientTexture(gradient, toBrush, size);
  recent_.keep(std::move(key), image);
  return image;
}

}  // namespace quelvo::swf
