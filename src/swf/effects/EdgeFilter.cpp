#include "swf/effects/EdgeFilter.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

#include "swf/effects/BoxBlur.h"
#include "swf/effects/Pixels.h"

namespace quelvo::swf::effects {

namespace {

constexpr double kMaxDistance = 255;
constexpr double kMaxStrength = 255;

using Ramp = std::array<QRgb, 256>;

// Premultiplied colours for each index from 0 to 255, interpolated between
// the stops (in order of ratio) and flat beyond the first and last.
Ramp rampOf(std::vector<GradientStop> stops) {
  std::stable_sort(stops.begin(), stops.end(),
                   [](const GradientStop& a, const GradientStop& b) { return a.ratio < b.ratio; });
  Ramp ramp{};
  if (stops.empty()) return ramp;
  const auto premultipliedStop = [](const GradientStop& stop) {
    const QRgb c = stop.colour;
    return premultiplied({double(qRed(c)), double(qGreen(c)), double(qBlue(c)), double(qAlpha(c))});
  };
  std::size_t next = 0;
  for (int i = 0; i < 256; ++i) {
    while (next < stops.size() && stops[next].ratio < i) ++next;
    if (next == 0 || next == stops.size()) {
      ramp[static_cast<std::size_t>(i)] = premultipliedStop(stops[next == 0 ? 0 : next - 1]);
      continue;
    }
    const GradientStop& low = stops[next - 1];
    const GradientStop& high = stops[next];
    const double t = double(i - low.ratio) / (high.ratio - low.ratio);
    const QRgb a = premultipliedStop(low), b = premultipliedStop(high);
    const auto mix = [&](int x, int y) { return clampChannel(x + (y - x) * t); };
    ramp[static_cast<std::size_t>(i)] = qRgba(mix(qRed(a), qRed(b)), mix(qGreen(a), qGreen(b)),
                                              mix(qBlue(a), qBlue(b)), mix(qAlpha(a), qAlpha(b)));
  }
  return ramp;
}

double usable(double value, double most) {
  return std::isfinite(value) ? std::clamp(value, 0.0, most) : 0.0;
}

// The whole-pixel offset of the shadow side; a negative distance casts it the other way.
QPoint offsetOf(const EdgeParams& params) {
  const double distance = std::isfinite(params.distance)
                              ? std::clamp(params.distance, -kMaxDistance, kMaxDistance)
                              : 0.0;
  const double angle = std::isfinite(params.angle) ? params.angle : 0;
  return QPoint(static_cast<int>(std::lround(distance * std::cos(angle))),
                static_cast<int>(std::lround(distance * std::sin(angle))));
}

// The source's alpha (or its complement for inner shadows and glows), blurred.
QImage blurredAlpha(const QImage& source, const EdgeParams& params) {
  QImage alpha = source.convertToFormat(QImage::Format_Alpha8);
  if (params.inner && !params.isBevel()) alpha.invertPixels(QImage::InvertRgba);
  boxBlur(alpha, params.blur);
  return alpha;
}

// The ramp index of each pixel.
class Indexer {
 public:
  Indexer(const QImage& alpha, const EdgeParams& params)
      : alpha_(alpha),
        offset_(offsetOf(params)),
        strength_(usable(params.strength, kMaxStrength)),
        bevel_(params.isBevel()),
        outside_(params.inner && !params.isBevel() ? 255 : 0) {}

  int index(int x, int y) const {
    if (!bevel_) return clampChannel(strength_ * at(x - offset_.x(), y - offset_.y()));
    const int shadow = at(x - offset_.x(), y - offset_.y()) - at(x + offset_.x(), y + offset_.y());
    return clampChannel(127.5 + strength_ * shadow / 2);
  }

 private:
  int at(int x, int y) const {
    if (x < 0 || y < 0 || x >= alpha_.width() || y >= alpha_.height()) return outside_;
    return alpha_.constScanLine(y)[x];
  }

  const QImage& alpha_;
  QPoint offset_;
  double strength_;
  bool bevel_;
  int outside_;
};

QRgb scaled(QRgb pixel, int by) {
  const auto f = [by](int c) { return (c * by + 127) / 255; };
  return qRgba(f(qRed(pixel)), f(qGreen(pixel)), f(qBlue(pixel)), f(qAlpha(pixel)));
}

// top over bottom, both premultiplied.
QRgb over(QRgb top, QRgb bottom) {
  const int keep = 255 - qAlpha(top);
  const QRgb under = scaled(bottom, keep);
  return qRgba(qRed(top) + qRed(under), qGreen(top) + qGreen(under), qBlue(top) + qBlue(under),
               qAlpha(top) + qAlpha(under));
}

// The effect pixel and the object pixel as the flags combine them.
QRgb composite(QRgb effect, QRgb object, const EdgeParams& params) {
  const int objectAlpha = qAlpha(object);
  if (params.onTop) return params.knockout || params.hideObject ? effect : over(effect, object);
  if (params.inner) {
    const QRgb inside = scaled(effect, objectAlpha);
    return params.knockout || params.hideObject ? inside : over(inside, object);
  }
  if (params.knockout) return scaled(effect, 255 - objectAlpha);
  return params.hideObject ? effect : over(object, effect);
}

}  // namespace

QMargins edgeReach(const EdgeParams& params) {
  const QPoint blur = blurReach(params.blur);
  const QPoint offset = offsetOf(params);
  // A bevel's two sides go both ways.
  const int dx = std::abs(offset.x()), dy = std::abs(offset.y());
  if (params.isBevel()) return QMargins(blur.x() + dx, blur.y() + dy, blur.x() + dx, blur.y() + dy);
  return QMargins(blur.x() + std::max(0, -offset.x()), blur.y() + std::max(0, -offset.y()),
                  blur.x() + std::max(0, offset.x()), blur.y() + std::max(0, offset.y()));
}

QImage applyEdge(const QImage& source, const EdgeParams& params) {
  const QImage object = source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  const QImage alpha = blurredAlpha(object, params);
  const Ramp ramp = rampOf(params.stops);
  const Indexer indexer(alpha, params);
  QImage result(object.size(), QImage::Format_ARGB32_Premultiplied);
  for (int y = 0; y < object.height(); ++y) {
    const auto* in = reinterpret_cast<const QRgb*>(object.constScanLine(y));
    auto* out = reinterpret_cast<QRgb*>(result.scanLine(y));
    for (int x = 0; x < object.width(); ++x) {
      const QRgb effect = ramp[static_cast<std::size_t>(indexer.index(x, y))];
      out[x] = composite(effect, in[x], params);
    }
  }
  return result;
}

}  // namespace quelvo::swf::effects
