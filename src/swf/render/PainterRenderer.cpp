#include "swf/render/PainterRenderer.h"

#include "swf/render/GridSampling.h"

namespace quelvo::swf {

PainterRenderer::PainterRenderer(Scene& scene) : scene_(scene) {}

void PainterRenderer::render(QPainter& painter, const QTransform& stageToDevice, Quality quality) {
  draw(painter, stageToDevice, quality != Quality::Low, 1);
}

void PainterRenderer::renderSampled(QImage& image, const QTransform& stageToDevice,
                                    Quality quality) {
  const int factor = quality == Quality::Low ? 1 : quality == Quality::Medium ? 2 : 4;
  drawOnSampleGrid(image, factor, [&](QPainter& painter, const QTransform& scale) {
    draw(painter, stageToDevice * scale, false, factor);
  });
}

void PainterRenderer::draw(QPainter& painter, const QTransform& stageToDevice, bool antialias,
                           double pixelSize) {
  painter.save();
  PaintSettings settings;
  settings.minimumStrokeWidth = pixelSize;
  settings.samplesPerPixel = pixelSize;
  const DrawList frame = scene_.drawList(stageToDevice);
  QPainterBackend backend(painter, caches_, scene_.bitmaps(), antialias, settings);
  frame.replay(backend);
  painter.restore();
}

}  // namespace quelvo::swf
