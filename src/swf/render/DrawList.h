#pragma once

#include <QImage>
#include <QRectF>
#include <QTransform>
#include <cstddef>
#include <memory>
#include <span>
#include <vector>

#include "swf/base/Records.h"
#include "swf/format/Shape.h"
#include "swf/render/RenderBackend.h"

namespace quelvo::swf {

// One step of drawing a frame: a shape, a picture, or the start or end of a
// mask or of a group.
struct DrawItem {
  enum class Kind { Shape, Picture, PushMask, PopMask, BeginGroup, EndGroup };

  Kind kind = Kind::Shape;
  const Shape* shape = nullptr;   // Shape
  ShapePlacement placement;       // Shape, Picture
  ColorTransform colorTransform;  // Shape, Picture
  std::size_t firstPart = 0;      // PushMask: its parts in DrawList::maskParts()
  std::size_t partCount = 0;
  QImage picture;  // Picture: shared with its maker, so it stays as it was
  QRectF area;     // Picture
  bool smooth = false;
  std::shared_ptr<GroupEffects> group;  // BeginGroup
};

// A frame as a backend draws it: shapes from the bottom up, with the masks
// that clip them pushed and popped around them as a stack. The shapes are
// the movie's and stay valid while its playback does not step; shapes the
// frame no longer shows and that are about to go away ride along, so that a
// backend keeping something per shape drops it before drawing.
class DrawList {
 public:
  void drawShape(const Shape& shape, const ShapePlacement& placement,
                 const ColorTransform& colorTransform);
  void drawPicture(const QImage& picture, const QRectF& area, const ShapePlacement& placement,
                   const ColorTransform& colorTransform, bool smooth);
  // An empty list of parts hides everything until the matching popMask.
  void pushMask(std::span<const MaskPart> parts);
  void popMask();
  // What is drawn until the matching endGroup forms a group with these
  // effects; its bounds are worked out from what it holds.
  void beginGroup(effects::BlendMode blendMode, std::vector<effects::FilterParams> filters);
  void endGroup();
  void retire(std::shared_ptr<const Shape> shape);

  const std::vector<DrawItem>& items() const { return items_; }
  std::span<const MaskPart> maskParts(const DrawItem& push) const;

  // Tells backend to forget the retired shapes, then hands it the items in order.
  void replay(RenderBackend& backend) const;

 private:
  std::vector<DrawItem> items_;
  std::vector<MaskPart> maskParts_;
  std::vector<std::shared_ptr<const Shape>> retired_;
  std::vector<std::shared_ptr<GroupEffects>> openGroups_;

  // Widens the innermost open group's bounds by a device area.
  void cover(const QRectF& area);
};

}  // namespace quelvo::swf
