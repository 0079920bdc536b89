#include "swf/render/GridSampling.h"

#include <array>
#include <cstdint>

namespace quelvo::swf {

namespace {

void averageBlocks(const QImage& samples, QImage& target, int factor) {
  const int count = factor * factor;
  for (int y = 0; y < target.height(); ++y) {
    auto* out = reinterpret_cast<QRgb*>(target.scanLine(y));
    for (int x = 0; x < target.width(); ++x) {
      std::array<std::uint32_t, 4> sum{};
      for (int dy = 0; dy < factor; ++dy) {
        const auto* row = reinterpret_cast<const QRgb*>(samples.constScanLine(y * factor + dy));
        for (int dx = 0; dx < factor; ++dx) {
          const QRgb sample = row[x * factor + dx];
          sum[0] += qAlpha(sample);
          sum[1] += qRed(sample);
          sum[2] += qGreen(sample);
          sum[3] += qBlue(sample);
        }
      }
      out[x] = qRgba(static_cast<int>(sum[1] / count), static_cast<int>(sum[2] / count),
                     static_cast<int>(sum[3] / count), static_cast<int>(sum[0] / count));
    }
  }
}

}  // namespace

void drawOnSampleGrid(QImage& target, int factor,
                      const std::function<void(QPainter&, const QTransform&)>& draw) {
  if (target.format() != QImage::Format_ARGB32_Premultiplied) {
    target.convertTo(QImage::Format_ARGB32_Premultiplied);
  }
  QImage samples =
      target.scaled(target.size() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation);
  {
    QPainter painter(&samples);
    painter.setRenderHint(QPainter::Antialiasing, false);
    draw(painter, QTransform::fromScale(factor, factor));
  }
  averageBlocks(samples, target, factor);
}

}  // namespace quelvo::swf
