#pragma once

#include <QImage>
#include <QRectF>
#include <QTransform>
#include <span>

#include "swf/base/Records.h"
#include "swf/format/Shape.h"

namespace quelvo::swf {

// A shape taking part in a mask, with its transform to device pixels.
struct MaskPart {
  const Shape* shape = nullptr;
  QTransform toDevice;
};

// Where a shape is drawn: its own placement matrix (shape twips to its
// parent's space) and its parent's transform to device pixels.
struct ShapePlacement {
  QTransform matrix;
  QTransform parentToDevice;

  QTransform toDevice() const { return matrix * parentToDevice; }
};

// A drawing surface for the items of a DrawList. Colour transforms are
// already composed down the display-list tree.
class RenderBackend {
 public:
  virtual ~RenderBackend() = default;

  virtual void drawShape(const Shape& shape, const ShapePlacement& placement,
                         const ColorTransform& colorTransform) = 0;
  // A picture stretched over area (in the units placement maps from), as a
  // video frame is shown; smooth interpolates its pixels.
  virtual void drawPicture(const QImage& picture, const QRectF& area,
                           const ShapePlacement& placement, const ColorTransform& colorTransform,
                           bool smooth) = 0;
  // Limits what is drawn until the matching popMask to the area the parts'
  // fills cover, within any mask already in force. An empty list hides everything.
  virtual void pushMask(std::span<const MaskPart> parts) = 0;
  virtual void popMask() = 0;
  // A shape about to go away: whatever is kept for it must go too, as another
  // shape may come at its address.
  virtual void forget(const Shape& shape) = 0;
};

}  // namespace quelvo::swf
