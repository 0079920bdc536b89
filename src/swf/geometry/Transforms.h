#pragma once

#include <QTransform>

#include "swf/base/Records.h"

namespace quelvo::swf {

inline QTransform toQTransform(const Matrix& m) {
  return QTransform(m.scaleX, m.rotateSkew0, m.rotateSkew1, m.scaleY, m.translateX, m.translateY);
}

// Finite and within a range the rasteriser handles; deeply nested scales can
// overflow to infinity or NaN.
bool isDrawable(const QTransform& transform);

// The least and the most a transform stretches a length, over all directions.
struct StretchRange {
  double least = 0;
  double most = 0;
};
StretchRange stretchRange(const QTransform& transform);

}  // namespace quelvo::swf
