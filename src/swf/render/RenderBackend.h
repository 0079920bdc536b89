#pragma once

#include <QImage>
#include <QRectF>
#include <QTransform>
#include <cstddef>
#include <span>
#include <vector>

#include "swf/base/Records.h"
#include "swf/effects/BlendMode.h"
#include "swf/effects/FilterParams.h"
#include "swf/format/Shape.h"

namespace quelvo::swf {

// A shape taking part in a mask, with its transform to device pixels. Its
// layers below firstLayer do not mask (a text field's border and background).
struct MaskPart {
  const Shape* shape = nullptr;
  QTransform toDevice;
  std::size_t firstLayer = 0;
};

// Where a shape is drawn: its own placement matrix (shape twips to its
// parent's space) and its parent's transform to device pixels.
struct ShapePlacement {
  QTransform matrix;
  QTransform parentToDevice;

  QTransform toDevice() const { return matrix * parentToDevice; }
};

// How a group of items is composited: drawn apart on a layer of their own,
// filtered in order, then blended with what is under them.
struct GroupEffects {
  effects::BlendMode blendMode = effects::BlendMode::Normal;
  std::vector<effects::FilterParams> filters;  // sizes in device pixels
  QRectF bounds;                               // device area its items may cover
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
  // Items up to the matching endGroup are drawn as one group. Masks pushed
  // inside a group are popped inside it.
  virtual void beginGroup(const GroupEffects& group) = 0;
  virtual void endGroup() = 0;
  // A shape about to go away: whatever is kept for it must go too, as another
  // shape may come at its address.
  virtual void forget(const Shape& shape) = 0;
};

}  // namespace quelvo::swf
