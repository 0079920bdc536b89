#include "swf/effects/Convolution.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "swf/effects/Pixels.h"

namespace quelvo::swf::effects {

namespace {

bool usableKernel(const ConvolutionParams& params) {
  return params.columns > 0 && params.rows > 0 && params.columns <= kMaxKernelSide &&
         params.rows <= kMaxKernelSide &&
         params.matrix.size() >= static_cast<std::size_t>(params.columns * params.rows);
}

double finiteOr(double value, double otherwise) { return std::isfinite(value) ? value : otherwise; }

}  // namespace

QImage applyConvolution(const QImage& source, const ConvolutionParams& params) {
  QImage input = source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  if (!usableKernel(params) || input.isNull()) return input;
  const int width = input.width(), height = input.height();
  std::vector<std::array<double, 4>> pixels;
  pixels.reserve(static_cast<std::size_t>(width) * height);
  for (int y = 0; y < height; ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(input.constScanLine(y));
    for (int x = 0; x < width; ++x) pixels.push_back(unpremultiplied(line[x]));
  }
  const QRgb d = params.defaultColour;
  const std::array<double, 4> fallback{double(qRed(d)), double(qGreen(d)), double(qBlue(d)),
                                       double(qAlpha(d))};
  const auto at = [&](int x, int y) -> const std::array<double, 4>& {
    if (params.clamp) {
      x = std::clamp(x, 0, width - 1);
      y = std::clamp(y, 0, height - 1);
    } else if (x < 0 || y < 0 || x >= width || y >= height) {
      return fallback;
    }
    return pixels[static_cast<std::size_t>(y) * width + x];
  };
  double divisor = finiteOr(params.divisor, 0);
  if (divisor == 0) divisor = 1;
  const double bias = finiteOr(params.bias, 0);
  const int centreX = params.columns / 2, centreY = params.rows / 2;
  QImage result(input.size(), QImage::Format_ARGB32_Premultiplied);
  for (int y = 0; y < height; ++y) {
    auto* out = reinterpret_cast<QRgb*>(result.scanLine(y));
    for (int x = 0; x < width; ++x) {
      std::array<double, 4> sum{};
      for (int j = 0; j < params.rows; ++j) {
        for (int i = 0; i < params.columns; ++i) {
          const double weight =
              finiteOr(params.matrix[static_cast<std::size_t>(j * params.columns + i)], 0);
          const auto& sample = at(x + i - centreX, y + j - centreY);
          for (std::size_t c = 0; c < 4; ++c) sum[c] += weight * sample[c];
        }
      }
      for (double& channel : sum) channel = channel / divisor + bias;
      if (params.preserveAlpha) sum[3] = pixels[static_cast<std::size_t>(y) * width + x][3];
      out[x] = premultiplied(sum);
    }
  }
  return result;
}

}  // namespace quelvo::swf::effects
