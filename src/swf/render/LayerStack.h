#pragma once

#include <QImage>
#include <QPainter>
#include <QRect>
#include <memory>
#include <vector>

#include "swf/render/RenderBackend.h"

namespace quelvo::swf {

// The surfaces a backend draws on: the target painter at the bottom and an
// offscreen layer on top of it for each open group. A layer covers the
// group's bounds within what its parent shows (grown by the filters'
// reach), in device pixels, so painting on it needs no other transform.
class LayerStack {
 public:
  // A group whose layer would hold more pixels than this is drawn straight
  // onto its parent, without its effects, so memory stays bounded.
  static constexpr qint64 kMaxLayerPixels = qint64{1} << 24;

  LayerStack(QPainter& target, bool antialias);
  ~LayerStack();
  LayerStack(const LayerStack&) = delete;
  LayerStack& operator=(const LayerStack&) = delete;

  QPainter& painter();
  // The device pixels the top surface holds.
  QRect visibleArea() const;

  void begin(const GroupEffects& group);
  // Filters the top layer and blends it onto the one below.
  void end();

 private:
  struct Layer {
    std::unique_ptr<QImage> image;  // on the heap: the painter keeps its address
    std::unique_ptr<QPainter> painter;
    QRect area;  // device pixels the image holds
    const GroupEffects* effects = nullptr;
    bool straight = false;  // drawn straight onto the parent
    bool empty = false;     // shows nothing: what is drawn on it is dropped
  };

  // The image the surface at index draws on, when there is one.
  QImage* imageAt(std::size_t index);
  void composite(Layer& layer);

  QPainter& target_;
  bool antialias_;
  std::vector<Layer> layers_;
};

}  // namespace quelvo::swf
