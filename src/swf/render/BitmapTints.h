#pragma once

#include <QImage>
#include <array>
#include <map>
#include <utility>

#include "swf/base/Records.h"

namespace quelvo::swf {

// A bitmap's picture with a colour transform applied to every pixel.
QImage tinted(const QImage& picture, const ColorTransform& colorTransform);

// Tinted copies of bitmaps kept across frames, so a bitmap under a steady
// colour transform is converted once. The identity transform gives the
// picture itself. A few copies are kept and all are dropped when that many are
// held: a transform that changes every frame would otherwise pile them up.
class BitmapTints {
 public:
  const QImage& find(const QImage& picture, const ColorTransform& colorTransform);

 private:
  using Key = std::pair<qint64, std::array<double, 8>>;
  std::map<Key, QImage> copies_;
};

}  // namespace quelvo::swf
