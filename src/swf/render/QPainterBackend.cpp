#include "swf/render/QPainterBackend.h"

#include <QPainterPathStroker>

#include "swf/render/ShapePaint.h"

namespace quelvo::swf {

QPainterBackend::QPainterBackend(QPainter& painter, ShapePathCache& cache, const Options& options)
    : painter_(painter), cache_(cache), options_(options) {
  painter_.setRenderHint(QPainter::Antialiasing, options.antialias);
}

void QPainterBackend::drawShape(const Shape& shape, const QTransform& toDevice,
                                const ColorTransform& colorTransform) {
  const ShapePaths& paths = cache_.paths(shape);
  for (std::size_t i = 0; i < shape.layers.size(); ++i) {
    drawFills(shape.layers[i], paths.layers[i], toDevice, colorTransform);
    drawStrokes(shape.layers[i], paths.layers[i], toDevice, colorTransform);
  }
}

void QPainterBackend::drawFills(const ShapeLayer& layer, const LayerPaths& paths,
                                const QTransform& toDevice, const ColorTransform& colorTransform) {
  painter_.setTransform(toDevice);
  painter_.setPen(Qt::NoPen);
  for (std::size_t i = 0; i < paths.fills.size(); ++i) {
    if (paths.fills[i].isEmpty()) continue;
    const QBrush brush = fillBrush(layer.fills[i], colorTransform);
    if (brush.style() == Qt::NoBrush) continue;
    painter_.fillPath(paths.fills[i], brush);
  }
}

void QPainterBackend::drawStrokes(const ShapeLayer& layer, const LayerPaths& paths,
                                  const QTransform& toDevice,
                                  const ColorTransform& colorTransform) {
  painter_.resetTransform();
  painter_.setBrush(Qt::NoBrush);
  for (std::size_t i = 0; i < paths.lines.size(); ++i) {
    if (paths.lines[i].isEmpty()) continue;
    const QPen pen = strokePen(layer.lines[i], colorTransform, toDevice, options_.stageScale,
                               options_.pixelSize);
    QPainterPathStroker stroker(pen);
    painter_.fillPath(stroker.createStroke(toDevice.map(paths.lines[i])), pen.brush());
  }
}

void QPainterBackend::pushMask(std::span<const MaskPart> parts) {
  QPainterPath area;
  area.setFillRule(Qt::WindingFill);
  for (const MaskPart& part : parts) {
    for (const LayerPaths& layer : cache_.paths(*part.shape).layers) {
      for (const QPainterPath& fill : layer.fills) {
        if (!fill.isEmpty()) area.addPath(part.toDevice.map(fill));
      }
    }
  }
  painter_.save();
  painter_.resetTransform();
  painter_.setClipPath(area, Qt::IntersectClip);
}

void QPainterBackend::popMask() { painter_.restore(); }

}  // namespace quelvo::swf
