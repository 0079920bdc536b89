#include "swf/render/DrawList.h"

#include "swf/effects/ApplyFilter.h"

namespace quelvo::swf {

namespace {

// Stands for a shape whose bounds the file leaves empty: anywhere at all.
const QRectF kAnywhere(-1e9, -1e9, 2e9, 2e9);

QRectF deviceBounds(const Shape& shape, const ShapePlacement& placement) {
  const Rect& b = shape.bounds;
  if (b.xMin >= b.xMax || b.yMin >= b.yMax) return kAnywhere;
  return placement.toDevice().mapRect(QRectF(QPointF(b.xMin, b.yMin), QPointF(b.xMax, b.yMax)));
}

}  // namespace

void DrawList::drawShape(const Shape& shape, const ShapePlacement& placement,
                         const ColorTransform& colorTransform) {
  DrawItem item;
  item.shape = &shape;
  item.placement = placement;
  item.colorTransform = colorTransform;
  items_.push_back(std::move(item));
  if (!openGroups_.empty()) cover(deviceBounds(shape, placement));
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
  if (!openGroups_.empty()) cover(placement.toDevice().mapRect(area));
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

void DrawList::beginGroup(effects::BlendMode blendMode,
                          std::vector<effects::FilterParams> filters) {
  DrawItem item;
  item.kind = DrawItem::Kind::BeginGroup;
  item.group = std::make_shared<GroupEffects>(GroupEffects{blendMode, std::move(filters), {}});
  openGroups_.push_back(item.group);
  items_.push_back(std::move(item));
}

void DrawList::endGroup() {
  if (openGroups_.empty()) return;
  const std::shared_ptr<GroupEffects> group = std::move(openGroups_.back());
  openGroups_.pop_back();
  DrawItem item;
  item.kind = DrawItem::Kind::EndGroup;
  items_.push_back(item);
  if (!openGroups_.empty() && !group->bounds.isEmpty()) {
    cover(group->bounds.marginsAdded(QMarginsF(effects::filterReach(group->filters))));
  }
}

void DrawList::cover(const QRectF& area) {
  QRectF& bounds = openGroups_.back()->bounds;
  bounds = bounds.isEmpty() ? area : bounds.united(area);
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
      case DrawItem::Kind::BeginGroup:
        backend.beginGroup(*item.group);
        break;
      case DrawItem::Kind::EndGroup:
        backend.endGroup();
        break;
    }
  }
}

}  // namespace quelvo::swf
