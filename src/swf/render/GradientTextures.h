#pragma once

#include <QBrush>
#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QTransform>
#include <list>

namespace quelvo::swf {

// The gradient textures (see gradientTexture) of recent frames: a gradient
// drawn the same way again, as static content and paused movies draw theirs,
// is not evaluated again. The least recently used go first once the kept
// textures pass a pixel budget.
class GradientTextures {
 public:
  QImage find(const QBrush& gradient, const QTransform& toBrush, QSize size);

 private:
  struct Entry {
    QByteArray key;
    QImage image;
  };
  static constexpr qint64 kMostPixels = 8 * 1024 * 1024;
  std::list<Entry> entries_;  // most recently used first
  qint64 pixels_ = 0;
};

}  // namespace quelvo::swf
