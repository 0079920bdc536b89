#include "swf/effects/ColorMatrix.h"

#include <cmath>

#include "swf/effects/Pixels.h"

namespace quelvo::swf::effects {

QImage applyColorMatrix(const QImage& source, const ColorMatrixParams& params) {
  std::array<double, 20> m{};
  for (std::size_t i = 0; i < m.size(); ++i) {
    m[i] = std::isfinite(params.matrix[i]) ? params.matrix[i] : 0.0;
  }
  QImage result = source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  for (int y = 0; y < result.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
    for (int x = 0; x < result.width(); ++x) {
      const std::array<double, 4> in = unpremultiplied(line[x]);
      std::array<double, 4> out{};
      for (std::size_t row = 0; row < 4; ++row) {
        const double* r = &m[row * 5];
        out[row] = r[0] * in[0] + r[1] * in[1] + r[2] * in[2] + r[3] * in[3] + r[4];
      }
      line[x] = premultiplied(out);
    }
  }
  return result;
}

}  // namespace quelvo::swf::effects
