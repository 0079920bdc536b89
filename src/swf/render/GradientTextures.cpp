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
  const QByteArray key = keyOf(gradient, toBrush, size);
  for (auto it = entries_.begin(); it != entries_.end(); ++it) {
    if (it->key == key) {
      entries_.splice(entries_.begin(), entries_, it);
      return entries_.front().image;
    }
  }
  QImage image = gradientTexture(gradient, toBrush, size);
  const qint64 pixels = qint64(size.width()) * size.height();
  if (pixels > kMostPixels) return image;
  entries_.push_front({key, image});
  pixels_ += pixels;
  while (pixels_ > kMostPixels) {
    const QSize dropped = entries_.back().image.size();
    pixels_ -= qint64(dropped.width()) * dropped.height();
    entries_.pop_back();
  }
  return image;
}

}  // namespace quelvo::swf
