// The filter path's fuzz work: the input is a FILTERLIST. Its filters are
// decoded and run in order over a small picture, at the record's size and
// scaled as the renderer scales them, and the result is blended onto a
// backdrop in every blend mode.

#include <QImage>
#include <cstddef>
#include <cstdint>
#include <span>

#include "FuzzEntries.h"
#include "swf/effects/ApplyFilter.h"
#include "swf/effects/BlendMode.h"
#include "swf/effects/FilterDecode.h"
#include "swf/format/Filters.h"

namespace {

using namespace quelvo::swf;

// A 12 x 10 picture with clear, translucent and opaque pixels.
QImage picture() {
  QImage image(12, 10, QImage::Format_ARGB32_Premultiplied);
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const int alpha = (x * 40 + y * 25) % 256;
      image.setPixel(x, y, qPremultiply(qRgba(x * 20, y * 25, 200, alpha)));
    }
  }
  return image;
}

// The filters at another resolution, as a layer is filtered before it is composited.
effects::Filtered filtered(const QImage& image, std::span<const effects::FilterParams> filters,
                           double scale) {
  std::vector<effects::FilterParams> scaled;
  for (const effects::FilterParams& filter : filters) {
    scaled.push_back(effects::scaledFilter(filter, scale));
  }
  // A smaller work budget than the renderer's keeps each run quick.
  constexpr double kFuzzWork = 8.0 * 1024 * 1024;
  return effects::applyFilters(image, scaled, kFuzzWork);
}

}  // namespace

namespace quelvo::fuzz {

void fuzzFilters(std::span<const std::uint8_t> input) {
  ByteReader reader(input);
  const std::vector<Filter> list = readFilters(reader);
  const std::vector<effects::FilterParams> filters = effects::decodeFilters(list);
  volatile unsigned sink = static_cast<unsigned>(effects::filterReach(filters).left());
  const QImage source = picture();
  for (const double scale : {1.0, 2.5}) {
    const effects::Filtered result = filtered(source, filters, scale);
    for (int code = 1; code <= 14; ++code) {
      QImage backdrop(16, 16, QImage::Format_ARGB32_Premultiplied);
      backdrop.fill(qRgba(40, 80, 120, 200));
      effects::blend(backdrop, result.image, result.offset + QPoint(2, 3),
                     effects::blendModeFromCode(code));
      sink = sink + backdrop.pixel(5, 5);
    }
  }
}

}  // namespace quelvo::fuzz
