#pragma once

#include <QTransform>

#include "swf/bitmap/BitmapLibrary.h"
#include "swf/render/DrawList.h"

namespace quelvo::swf {

// What a renderer draws: the items of the current frame and the bitmaps
// their fills use.
class Scene {
 public:
  virtual ~Scene() = default;

  // The current frame for a device: stageToDevice maps stage twips (the
  // header's stage rectangle) to device pixels. The background is not drawn.
  virtual DrawList drawList(const QTransform& stageToDevice) = 0;
  virtual BitmapLibrary& bitmaps() = 0;
};

}  // namespace quelvo::swf
