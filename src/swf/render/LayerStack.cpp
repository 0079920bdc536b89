#include "swf/render/LayerStack.h"

#include "swf/effects/ApplyFilter.h"

namespace quelvo::swf {

namespace {

using effects::BlendMode;

// Antialiased edges reach a pixel past a shape's bounds.
constexpr int kEdgeMargin = 2;

bool isPlain(BlendMode mode) { return mode == BlendMode::Normal || mode == BlendMode::Layer; }

// Alpha and erase act on the layer of the group they are in; with none, there
// is nothing for them to act on and they draw nothing.
bool needsParentLayer(BlendMode mode) {
  return mode == BlendMode::Alpha || mode == BlendMode::Erase;
}

}  // namespace

LayerStack::LayerStack(QPainter& target, bool antialias) : target_(target), antialias_(antialias) {}

LayerStack::~LayerStack() {
  while (!layers_.empty()) end();
}

QPainter& LayerStack::painter() {
  for (auto layer = layers_.rbegin(); layer != layers_.rend(); ++layer) {
    if (!layer->straight) return *layer->painter;
  }
  return target_;
}

QRect LayerStack::visibleArea() const {
  for (auto layer = layers_.rbegin(); layer != layers_.rend(); ++layer) {
    if (!layer->straight) return layer->area;
  }
  return QRect(0, 0, target_.device()->width(), target_.device()->height());
}

void LayerStack::begin(const GroupEffects& group) {
  const QMargins reach = effects::filterReach(group.filters);
  const QRect bounds =
      group.bounds.toAlignedRect().adjusted(-kEdgeMargin, -kEdgeMargin, kEdgeMargin, kEdgeMargin);
  // A group holding nothing drawable leaves its layer empty.
  const QRect area = group.bounds.isEmpty() ? QRect() : bounds & visibleArea().marginsAdded(reach);
  Layer layer;
  layer.effects = &group;
  layer.area = area.isEmpty() ? QRect(visibleArea().topLeft(), QSize(1, 1)) : area;
  layer.empty = area.isEmpty();
  layer.straight = qint64{area.width()} * area.height() > kMaxLayerPixels;
  if (!layer.straight) {
    layer.image = std::make_unique<QImage>(layer.area.size(), QImage::Format_ARGB32_Premultiplied);
    layer.image->fill(Qt::transparent);
    layer.painter = std::make_unique<QPainter>(layer.image.get());
    layer.painter->setWindow(layer.area);
    layer.painter->setViewport(QRect(QPoint(0, 0), layer.area.size()));
    layer.painter->setRenderHint(QPainter::Antialiasing, antialias_);
    if (layer.empty) layer.painter->setClipRect(QRect());
  }
  layers_.push_back(std::move(layer));
}

void LayerStack::end() {
  if (layers_.empty()) return;
  Layer layer = std::move(layers_.back());
  layers_.pop_back();
  if (layer.straight) return;
  layer.painter->end();
  if (!layer.empty) composite(layer);
}

QImage* LayerStack::imageAt(std::size_t index) {
  if (index > 0) return layers_[index - 1].straight ? nullptr : layers_[index - 1].image.get();
  QPaintDevice* device = target_.device();
  return device && device->devType() == QInternal::Image ? static_cast<QImage*>(device) : nullptr;
}

void LayerStack::composite(Layer& layer) {
  effects::Filtered filtered = effects::applyFilters(*layer.image, layer.effects->filters);
  const QImage image = std::move(filtered.image);
  const QPoint at = layer.area.topLeft() + filtered.offset;
  const BlendMode mode = layer.effects->blendMode;
  // The surface below: the nearest layer drawn apart, else the target.
  std::size_t below = layers_.size();
  while (below > 0 && layers_[below - 1].straight) --below;
  if (needsParentLayer(mode) && below == 0) return;
  QPainter& parent = painter();
  parent.save();
  parent.resetTransform();
  QImage* backdrop = isPlain(mode) ? nullptr : imageAt(below);
  if (!backdrop) {
    parent.setCompositionMode(QPainter::CompositionMode_SourceOver);
    parent.drawImage(at, image);
    parent.restore();
    return;
  }
  // Blend over a copy of what is below, then put the copy back through the
  // parent's clip.
  const QRect parentArea = visibleArea();
  const QRect reached =
      mode == BlendMode::Alpha ? parentArea : QRect(at, image.size()) & parentArea;
  if (!reached.isEmpty()) {
    QImage blended = backdrop->copy(reached.translated(-parentArea.topLeft()));
    effects::blend(blended, image, at - reached.topLeft(), mode);
    parent.setCompositionMode(QPainter::CompositionMode_Source);
    parent.drawImage(reached.topLeft(), blended);
  }
  parent.restore();
}

}  // namespace quelvo::swf
