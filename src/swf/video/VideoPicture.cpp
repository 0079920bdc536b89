#include "swf/video/VideoPicture.h"

#include <algorithm>

#include "swf/base/Log.h"
#include "swf/video/VideoLimits.h"

extern "C" {
#include <libavutil/frame.h>
#include <libavutil/pixfmt.h>
}

namespace quelvo::swf {

namespace {

int clampChannel(int value) { return std::clamp(value, 0, 255); }

// BT.601 video range, in 8.8 fixed point.
QRgb fromYuv(int y, int u, int v, int alpha) {
  const int luma = 298 * (y - 16) + 128;
  const int blueDifference = u - 128;
  const int redDifference = v - 128;
  const int red = clampChannel((luma + 409 * redDifference) >> 8);
  const int green = clampChannel((luma - 100 * blueDifference - 208 * redDifference) >> 8);
  const int blue = clampChannel((luma + 516 * blueDifference) >> 8);
  return qPremultiply(qRgba(red, green, blue, alpha));
}

void convertYuv420(const AVFrame& frame, QImage& image, bool withAlpha) {
  for (int row = 0; row < image.height(); ++row) {
    const std::uint8_t* luma = frame.data[0] + static_cast<std::ptrdiff_t>(row) * frame.linesize[0];
    const std::uint8_t* blue =
        frame.data[1] + static_cast<std::ptrdiff_t>(row / 2) * frame.linesize[1];
    const std::uint8_t* red =
        frame.data[2] + static_cast<std::ptrdiff_t>(row / 2) * frame.linesize[2];
    const std::uint8_t* alpha =
        withAlpha ? frame.data[3] + static_cast<std::ptrdiff_t>(row) * frame.linesize[3] : nullptr;
    auto* out = reinterpret_cast<QRgb*>(image.scanLine(row));
    for (int x = 0; x < image.width(); ++x) {
      out[x] = fromYuv(luma[x], blue[x / 2], red[x / 2], alpha ? alpha[x] : 255);
    }
  }
}

void convertBgr(const AVFrame& frame, QImage& image) {
  for (int row = 0; row < image.height(); ++row) {
    const std::uint8_t* in = frame.data[0] + static_cast<std::ptrdiff_t>(row) * frame.linesize[0];
    auto* out = reinterpret_cast<QRgb*>(image.scanLine(row));
    for (int x = 0; x < image.width(); ++x, in += 3) out[x] = qRgb(in[2], in[1], in[0]);
  }
}

}  // namespace

QImage videoPicture(const AVFrame& frame, QSize size) {
  if (!videoSizeAllowed(frame.width, frame.height)) {
    qCDebug(lcSwf) << "video picture" << frame.width << "x" << frame.height << "refused";
    return {};
  }
  const int width = size.isEmpty() ? frame.width : std::min(frame.width, size.width());
  const int height = size.isEmpty() ? frame.height : std::min(frame.height, size.height());
  const auto format = static_cast<AVPixelFormat>(frame.format);
  if (format != AV_PIX_FMT_YUV420P && format != AV_PIX_FMT_YUVA420P && format != AV_PIX_FMT_BGR24) {
    qCDebug(lcSwf) << "video picture in unexpected pixel format" << frame.format;
    return {};
  }
  QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
  if (image.isNull()) return {};
  if (format == AV_PIX_FMT_BGR24) {
    convertBgr(frame, image);
  } else {
    convertYuv420(frame, image, format == AV_PIX_FMT_YUVA420P);
  }
  return image;
}

}  // namespace quelvo::swf
