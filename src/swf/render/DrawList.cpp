#include "swf/render/DrawList.h"

namespace quelvo::swf {

void DrawList::drawShape(const Shape& shape, const ShapePlacement& placement,
                         const ColorTransform& colorTransform) {
  DrawItem item;
  item.shape = &shape;
  item.placement = placement;
  item.colorTransform = colorTransform;
  items_.push_back(std::move(item));
}

void DrawList::drawPicture(const QImage& picture, const QRectF& area,
                           const ShapePlacement& placement, const ColorTransform& colorTransform,
                           bool smooth) {
  DrawItem item;
  item.kind = DrawItem::Kind::Picture;
  item.placement = placement;
  item.colorTransform = colorTransform;
  item.picture = picture;
  item.area = area;
  item.smooth = smooth;
  items_.push_back(std::move(item));
}

void DrawList::pushMask(std::span<const MaskPart> parts) {
  DrawItem item;
  item.kind = DrawItem::Kind::PushMask;
  item.firstPart = maskParts_.size();
  item.partCount = parts.size();
  maskParts_.insert(maskParts_.end(), parts.begin(), parts.end());
  items_.push_back(item);
}

void DrawList::popMask() {
  DrawItem item;
  item.kind = DrawItem::Kind::PopMask;
  items_.push_back(item);
}

void DrawList::retire(std::shared_ptr<const Shape> shape) { retired_.push_back(std::move(shape)); }

std::span<const MaskPart> DrawList::maskParts(const DrawItem& push) const {
  return std::span<const MaskPart>(maskParts_).subspan(push.firstPart, push.partCount);
}

void DrawList::replay(RenderBackend& backend) const {
  for (const auto& shape : retired_) backend.forget(*shape);
  for (const DrawItem& item : items_) {
    switch (item.kind) {
      case DrawItem::Kind::Shape:
        backend.drawShape(*item.shape, item.placement, item.colorTransform);
        break;
      case DrawItem::Kind::Picture:
        backend.drawPicture(item.picture, item.area, item.placement, item.colorTransform,
                            item.smooth);
        break;
      case DrawItem::Kind::PushMask:
        backend.pushMask(maskParts(item));
        break;
      case DrawItem::Kind::PopMask:
        backend.popMask();
        break;
    }
  }
}

}  // namespace quelvo::swf
