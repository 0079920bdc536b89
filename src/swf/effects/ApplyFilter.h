#pragma once

#include <QImage>
#include <QMargins>
#include <QPoint>
#include <span>

#include "swf/effects/FilterParams.h"

namespace quelvo::swf::effects {

// A filtered image and where its top-left lies relative to the source's.
struct Filtered {
  QImage image;
  QPoint offset;
};

// Pixels a filter's result reaches past its source on each side.
QMargins filterReach(const FilterParams& filter);
// What a list of filters reaches, applied in order, at most kMaxListReach a
// side: beyond that a long list's faint edges are cut off.
inline constexpr int kMaxListReach = 2048;
QMargins filterReach(std::span<const FilterParams> filters);

// The filter applied to a premultiplied ARGB32 image, grown by its reach.
Filtered applyFilter(const QImage& source, const FilterParams& filter);

// The filters applied in order. Each one grows the picture by its reach,
// but the result is cut to the list's capped reach after every step, so a
// long list of wide filters cannot grow the picture without end. The work is
// bounded too: pixels times passes (or kernel taps) of all the filters stay
// within budget; the filters past it are left out.
inline constexpr double kMaxFilterWork = 256.0 * 1024 * 1024;
Filtered applyFilters(const QImage& source, std::span<const FilterParams> filters,
                      double budget = kMaxFilterWork);

// The filter with its sizes in pixels (blur, distance) multiplied by scale,
// for drawing at another resolution.
FilterParams scaledFilter(const FilterParams& filter, double scale);

}  // namespace quelvo::swf::effects
