#include "swf/bitmapdata/BitmapColor.h"

#include "swf/bitmapdata/Argb.h"
#include "swf/bitmapdata/BlockLoop.h"

namespace quelvo::swf {

namespace {

constexpr int kShifts[4] = {16, 8, 0, 24};  // red, green, blue, alpha

bool passes(ThresholdTest test, std::uint32_t value, std::uint32_t threshold) {
  switch (test) {
    case ThresholdTest::Less:
      return value < threshold;
    case ThresholdTest::LessEqual:
      return value <= threshold;
    case ThresholdTest::Greater:
      return value > threshold;
    case ThresholdTest::GreaterEqual:
      return value >= threshold;
    case ThresholdTest::Equal:
      return value == threshold;
    case ThresholdTest::NotEqual:
      return value != threshold;
  }
  return false;
}

}  // namespace

void colorTransform(BitmapSurface& surface, const PixelRect& area,
                    const ColorTransform& transform) {
  if (!surface.disposed()) transformPixels(surface.image(), area, transform, surface.transparent());
}

void transformPixels(QImage& picture, const PixelRect& area, const ColorTransform& transform,
                     bool transparent) {
  const PixelRect inside = intersect(area, {0, 0, picture.width(), picture.height()});
  for (int y = inside.y; y < inside.bottom(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
    for (int x = inside.x; x < inside.right(); ++x) {
      const std::uint32_t c = argb::unpremultiply(line[x]);
      const Rgba out =
          transform.apply(Rgba{std::uint8_t(argb::red(c)), std::uint8_t(argb::green(c)),
                               std::uint8_t(argb::blue(c)), std::uint8_t(argb::alpha(c))});
      line[x] = argb::premultiply(
          argb::pack(transparent ? out.alpha : 255, out.red, out.green, out.blue));
    }
  }
}

void paletteMap(BitmapSurface& dest, const BitmapSurface& source, const BlockCopy& block,
                const Palette& palette) {
  forEachBlockPixel(dest, source, block, [&](QRgb s, QRgb, int, int) {
    const std::uint32_t c = argb::unpremultiply(s);
    std::uint32_t sum = 0;
    for (int i = 0; i < 4; ++i) {
      const std::uint32_t value = argb::channel(c, kShifts[i]);
      sum += palette.tables[i] ? (*palette.tables[i])[value] : value << kShifts[i];
    }
    return dest.storable(sum);
  });
}

std::optional<ThresholdTest> thresholdTest(std::string_view operation) {
  static constexpr std::pair<std::string_view, ThresholdTest> kTests[] = {
      {"<", ThresholdTest::Less},    {"<=", ThresholdTest::LessEqual},
      {">", ThresholdTest::Greater}, {">=", ThresholdTest::GreaterEqual},
      {"==", ThresholdTest::Equal},  {"!=", ThresholdTest::NotEqual},
  };
  for (const auto& [name, test] : kTests) {
    if (name == operation) return test;
  }
  return std::nullopt;
}

int threshold(BitmapSurface& dest, const BitmapSurface& source, const BlockCopy& block,
              const Threshold& rule) {
  int count = 0;
  const std::uint32_t limit = rule.threshold & rule.mask;
  forEachBlockPixel(dest, source, block, [&](QRgb s, QRgb d, int, int) {
    if (passes(rule.test, argb::unpremultiply(s) & rule.mask, limit)) {
      ++count;
      return dest.storable(rule.colour);
    }
    return rule.copySource ? dest.storable(argb::unpremultiply(s)) : d;
  });
  return count;
}

}  // namespace quelvo::swf
