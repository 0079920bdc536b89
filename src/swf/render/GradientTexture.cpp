#include "swf/render/GradientTexture.h"

#include <QGradient>
#include <QLineF>
#include <algorithm>
#include <cmath>
#include <vector>

namespace quelvo::swf {

namespace {

// Where along the gradient (0 at its start, 1 at its end) points in
// gradient space lie, spread into 0..1, a row of evenly spaced points at a
// time: the loops stay free of branches so that the compiler can keep them
// tight.
class GradientPositions {
 public:
  explicit GradientPositions(const QGradient& gradient)
      : linear_(gradient.type() == QGradient::LinearGradient), mode_(gradient.spread()) {
    if (linear_) {
      const auto& linear = static_cast<const QLinearGradient&>(gradient);
      start_ = linear.start();
      const QPointF along = linear.finalStop() - start_;
      const double length = QPointF::dotProduct(along, along);
      step_ = length > 0 ? along / length : QPointF();
    } else {
      const auto& radial = static_cast<const QRadialGradient&>(gradient);
      centre_ = radial.center();
      radius_ = radial.radius();
      focal_ = radial.focalPoint() - centre_;
    }
  }

  // The positions of first, first + step, ... into row.
  void row(QPointF first, QPointF step, std::vector<double>& row) const {
    const std::size_t count = row.size();
    if (linear_) {
      const double base = QPointF::dotProduct(first - start_, step_);
      const double increment = QPointF::dotProduct(step, step_);
      for (std::size_t x = 0; x < count; ++x) row[x] = base + increment * double(x);
    } else {
      // Each point lies at t on the way from the focal point to the circle
      // through it: solve |focal + s (point - focal)| = radius for s > 0.
      const QPointF from = first - centre_ - focal_;
      const double c = QPointF::dotProduct(focal_, focal_) - radius_ * radius_;
      for (std::size_t x = 0; x < count; ++x) {
        const double dx = from.x() + step.x() * double(x), dy = from.y() + step.y() * double(x);
        const double a = dx * dx + dy * dy;
        const double b = 2 * (focal_.x() * dx + focal_.y() * dy);
        const double denominator = -b + std::sqrt(std::max(0.0, b * b - 4 * a * c));
        row[x] = a == 0 ? 0 : denominator > 0 ? 2 * a / denominator : kBeyond;
      }
    }
    spread(row);
  }

 private:
  static constexpr double kBeyond = 1e9;

  void spread(std::vector<double>& row) const {
    switch (mode_) {
      case QGradient::RepeatSpread:
        for (double& t : row) t = std::clamp(t - std::floor(t), 0.0, 1.0);
        return;
      case QGradient::ReflectSpread:
        for (double& t : row) {
          const double folded = t - 2 * std::floor(t / 2);
          t = std::clamp(folded > 1 ? 2 - folded : folded, 0.0, 1.0);
        }
        return;
      case QGradient::PadSpread:
        break;
    }
    for (double& t : row) t = std::clamp(t, 0.0, 1.0);
  }

  bool linear_;
  QGradient::Spread mode_;
  QPointF start_, step_;
  QPointF centre_, focal_;
  double radius_ = 0;
};

QRgb blend(QRgb from, QRgb to, double f) {
  const auto channel = [&](int shift) {
    const int a = int(from >> shift) & 0xFF, b = int(to >> shift) & 0xFF;
    return static_cast<QRgb>(a + (b - a) * f + 0.5) << shift;
  };
  return channel(24) | channel(16) | channel(8) | channel(0);
}

// The stops' colours along the gradient, premultiplied, sampled finely
// enough that a pixel's colour comes out as the exact evaluation would give
// it: samples lie a small fraction of a pixel apart along the gradient.
class ColourRamp {
 public:
  ColourRamp(const QGradientStops& stops, double spanInPixels) {
    constexpr double kSamplesPerPixel = 64;
    constexpr double kFewest = 256, kMost = 16384;
    // A span that is not a number (a degenerate transform) takes the fewest.
    const double wanted = std::ceil(spanInPixels * kSamplesPerPixel);
    const auto count =
        static_cast<std::size_t>(wanted > kFewest ? std::min(wanted, kMost) : kFewest);
    samples_.resize(count);
    std::size_t next = 0;  // the first stop past the sample's position
    for (std::size_t i = 0; i < count; ++i) {
      const double t = (static_cast<double>(i) + 0.5) / static_cast<double>(count);
      while (next < static_cast<std::size_t>(stops.size()) && stops[qsizetype(next)].first <= t) {
        ++next;
      }
      QRgb colour;
      if (next == 0) {
        colour = stops.front().second.rgba();
      } else if (next == static_cast<std::size_t>(stops.size())) {
        colour = stops.back().second.rgba();
      } else {
        const QGradientStop& from = stops[qsizetype(next - 1)];
        const QGradientStop& to = stops[qsizetype(next)];
        colour =
            blend(from.second.rgba(), to.second.rgba(), (t - from.first) / (to.first - from.first));
      }
      samples_[i] = qPremultiply(colour);
    }
  }

  // The colour at t (0..1; anything else, not a number too, the first).
  QRgb at(double t) const {
    if (!(t > 0 && t <= 1)) return t > 1 ? samples_.back() : samples_.front();
    const auto last = samples_.size() - 1;
    return samples_[std::min(last, static_cast<std::size_t>(t * static_cast<double>(last + 1)))];
  }

 private:
  std::vector<QRgb> samples_;
};

// How many pixels of the image the gradient's run from 0 to 1 spans at
// most, with toGradient mapping image pixels into gradient space.
double spanInPixels(const QGradient& gradient, const QTransform& toGradient) {
  double length = 0;
  if (gradient.type() == QGradient::LinearGradient) {
    const auto& linear = static_cast<const QLinearGradient&>(gradient);
    length = QLineF(linear.start(), linear.finalStop()).length();
  } else {
    length = 2 * static_cast<const QRadialGradient&>(gradient).radius();
  }
  const QTransform toImage = toGradient.inverted();
  const double stretch =
      std::max(std::hypot(toImage.m11(), toImage.m12()), std::hypot(toImage.m21(), toImage.m22()));
  return length * stretch;
}

}  // namespace

QImage gradientTexture(const QBrush& brush, const QTransform& toBrush, QSize size) {
  QImage image(size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  const QGradient* gradient = brush.gradient();
  bool invertible = false;
  const QTransform toGradient = toBrush * brush.transform().inverted(&invertible);
  if (!gradient || gradient->stops().isEmpty() || !invertible || !toGradient.isInvertible() ||
      (gradient->type() != QGradient::LinearGradient &&
       gradient->type() != QGradient::RadialGradient)) {
    return image;
  }
  const ColourRamp ramp(gradient->stops(), spanInPixels(*gradient, toGradient));
  const GradientPositions positions(*gradient);
  // Pixel centres step through gradient space by one column's offset.
  const QPointF column = toGradient.map(QPointF(1, 0)) - toGradient.map(QPointF(0, 0));
  std::vector<double> row(static_cast<std::size_t>(size.width()));
  for (int y = 0; y < size.height(); ++y) {
    positions.row(toGradient.map(QPointF(0.5, y + 0.5)), column, row);
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (std::size_t x = 0; x < row.size(); ++x) line[x] = ramp.at(row[x]);
  }
  return image;
}

}  // namespace quelvo::swf
