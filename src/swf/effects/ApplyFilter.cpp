#include "swf/effects/ApplyFilter.h"

#include <QPainter>
#include <algorithm>

#include "swf/effects/BoxBlur.h"
#include "swf/effects/ColorMatrix.h"
#include "swf/effects/Convolution.h"
#include "swf/effects/DisplacementMap.h"
#include "swf/effects/EdgeFilter.h"

namespace quelvo::swf::effects {

namespace {

template <class... Handlers>
struct Overloaded : Handlers... {
  using Handlers::operator()...;
};
// Spelled out for compilers without aggregate deduction.
template <class... Handlers>
Overloaded(Handlers...) -> Overloaded<Handlers...>;

QImage grown(const QImage& source, const QMargins& reach) {
  QImage image(source.size().grownBy(reach), QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  painter.drawImage(QPoint(reach.left(), reach.top()), source);
  return image;
}

void scaleBlur(BlurParams& blur, double scale) {
  blur.blurX *= scale;
  blur.blurY *= scale;
}

// How many times a filter goes over each pixel: blur passes in both
// directions, kernel taps, or once.
double passesOf(const FilterParams& filter) {
  const auto blurPasses = [](const BlurParams& blur) { return 2.0 * std::max(blur.passes, 1); };
  return std::visit(Overloaded{[&](const BlurParams& blur) { return blurPasses(blur); },
                               [&](const EdgeParams& edge) { return blurPasses(edge.blur) + 1; },
                               [](const ConvolutionParams& kernel) {
                                 return std::max(1.0, double(kernel.columns) * kernel.rows);
                               },
                               [](const auto&) { return 1.0; }},
                    filter);
}

}  // namespace

QMargins filterReach(const FilterParams& filter) {
  return std::visit(Overloaded{[](const BlurParams& blur) {
                                 const QPoint reach = blurReach(blur);
                                 return QMargins(reach.x(), reach.y(), reach.x(), reach.y());
                               },
                               [](const EdgeParams& edge) { return edgeReach(edge); },
                               [](const auto&) { return QMargins(); }},
                    filter);
}

QMargins filterReach(std::span<const FilterParams> filters) {
  QMargins total;
  for (const FilterParams& filter : filters) total += filterReach(filter);
  const auto capped = [](int side) { return std::min(side, kMaxListReach); };
  return QMargins(capped(total.left()), capped(total.top()), capped(total.right()),
                  capped(total.bottom()));
}

Filtered applyFilter(const QImage& source, const FilterParams& filter) {
  const QMargins reach = filterReach(filter);
  QImage image = reach.isNull() ? source.convertToFormat(QImage::Format_ARGB32_Premultiplied)
                                : grown(source, reach);
  const QPoint offset(-reach.left(), -reach.top());
  std::visit(
      Overloaded{[&](const BlurParams& blur) { boxBlur(image, blur); },
                 [&](const EdgeParams& edge) { image = applyEdge(image, edge); },
                 [&](const ColorMatrixParams& matrix) { image = applyColorMatrix(image, matrix); },
                 [&](const ConvolutionParams& kernel) { image = applyConvolution(image, kernel); },
                 [&](const DisplacementMapParams& displacement) {
                   image = applyDisplacementMap(image, displacement);
                 }},
      filter);
  return Filtered{std::move(image), offset};
}

Filtered applyFilters(const QImage& source, std::span<const FilterParams> filters, double budget) {
  const QRect limit = source.rect().marginsAdded(filterReach(filters));
  Filtered result{source, QPoint()};
  double work = 0;
  for (const FilterParams& filter : filters) {
    const QSize grown = result.image.rect().marginsAdded(filterReach(filter)).size();
    work += double(grown.width()) * grown.height() * passesOf(filter);
    if (work > budget) break;
    Filtered step = applyFilter(result.image, filter);
    const QPoint at = result.offset + step.offset;
    const QRect kept = QRect(at, step.image.size()) & limit;
    result.image = kept.size() == step.image.size() ? std::move(step.image)
                                                    : step.image.copy(kept.translated(-at));
    result.offset = kept.topLeft();
  }
  return result;
}

FilterParams scaledFilter(const FilterParams& filter, double scale) {
  FilterParams result = filter;
  if (auto* blur = std::get_if<BlurParams>(&result)) scaleBlur(*blur, scale);
  if (auto* edge = std::get_if<EdgeParams>(&result)) {
    scaleBlur(edge->blur, scale);
    edge->distance *= scale;
  }
  return result;
}

}  // namespace quelvo::swf::effects
