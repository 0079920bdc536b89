#pragma once

#include <QPainter>

#include "swf/render/RenderBackend.h"
#include "swf/render/ShapePaths.h"

namespace quelvo::swf {

// Draws with a QPainter: each layer's fills, then its strokes; masks become
// clip paths. Leaves the painter's state as it found it once every mask is
// popped.
class QPainterBackend : public RenderBackend {
 public:
  struct Options {
    bool antialias = true;
    double stageScale = 1.0 / 20;  // device pixels per stage twip, for strokes that do not scale
    double pixelSize = 1;          // device pixels per output pixel: the thinnest stroke
  };

  QPainterBackend(QPainter& painter, ShapePathCache& cache, const Options& options);

  void drawShape(const Shape& shape, const QTransform& toDevice,
                 const ColorTransform& colorTransform) override;
  void pushMask(std::span<const MaskPart> parts) override;
  void popMask() override;

 private:
  void drawFills(const ShapeLayer& layer, const LayerPaths& paths, const QTransform& toDevice,
                 const ColorTransform& colorTransform);
  void drawStrokes(const ShapeLayer& layer, const LayerPaths& paths, const QTransform& toDevice,
                   const ColorTransform& colorTransform);

  QPainter& painter_;
  ShapePathCache& cache_;
  Options options_;
};

}  // namespace quelvo::swf
