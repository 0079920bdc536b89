#pragma once

#include <QBrush>
#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QTransform>

#include "swf/render/RecentPictures.h"

namespace quelvo::swf {

// The gradient textures (see gradientTexture) of recent frames: a gradient
// drawn the same way again, as static content and paused movies draw theirs,
// is not evaluated again.
class GradientTextures {
 public:
  QImage find(const QBrush& gradient, const QTransform& toBrush, QSize size);

 private:
  RecentPictures<QByteArray> recent_{8 * 1024 * 1024};
};

}  // namespace quelvo::swf
