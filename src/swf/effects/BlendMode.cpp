#include "swf/effects/BlendMode.h"

#include <algorithm>
#include <cstdlib>

namespace quelvo::swf::effects {

namespace {

// Channels in 0-255; alphas as0/ab0 likewise. Premultiplied throughout.
struct Pixel {
  int r, g, b, a;
};

Pixel unpack(QRgb p) { return {qRed(p), qGreen(p), qBlue(p), qAlpha(p)}; }

QRgb pack(int r, int g, int b, int a) {
  a = std::clamp(a, 0, 255);
  const auto c = [a](int v) { return std::clamp(v, 0, a); };
  return qRgba(c(r), c(g), c(b), a);
}

int mul(int x, int y) { return (x * y + 127) / 255; }

// A separable mode on premultiplied values:
//   result = S (1 - ab) + B (1 - as) + as ab f(S/as, B/ab)
// where f works on unpremultiplied colours; written without the divisions,
// f's premultiplied form F(S, B, as, ab) = as ab f(S/as, B/ab) / 255.
template <class Mix>
int separable(int s, int b, int as, int ab, Mix mix) {
  return mul(s, 255 - ab) + mul(b, 255 - as) + mix(s, b, as, ab);
}

int multiplyMix(int s, int b, int, int) { return mul(s, b); }
int screenMix(int s, int b, int as, int ab) { return mul(s, ab) + mul(b, as) - mul(s, b); }
int lightenMix(int s, int b, int as, int ab) { return std::max(mul(s, ab), mul(b, as)); }
int darkenMix(int s, int b, int as, int ab) { return std::min(mul(s, ab), mul(b, as)); }
int differenceMix(int s, int b, int as, int ab) { return std::abs(mul(s, ab) - mul(b, as)); }
// Hard light with the layer as the light: multiply where the layer is dark,
// screen where it is light.
int hardLightMix(int s, int b, int as, int ab) {
  if (2 * s <= as) return 2 * mul(s, b);
  return mul(as, ab) - 2 * mul(ab - b, as - s);
}
int overlayMix(int s, int b, int as, int ab) { return hardLightMix(b, s, ab, as); }

QRgb blendPixel(QRgb layerPixel, QRgb destinationPixel, BlendMode mode) {
  const Pixel s = unpack(layerPixel), d = unpack(destinationPixel);
  const int over = s.a + d.a - mul(s.a, d.a);
  const auto each = [&](auto mix) {
    return pack(separable(s.r, d.r, s.a, d.a, mix), separable(s.g, d.g, s.a, d.a, mix),
                separable(s.b, d.b, s.a, d.a, mix), over);
  };
  switch (mode) {
    case BlendMode::Normal:
    case BlendMode::Layer:
      return pack(s.r + mul(d.r, 255 - s.a), s.g + mul(d.g, 255 - s.a), s.b + mul(d.b, 255 - s.a),
                  over);
    case BlendMode::Multiply:
      return each(multiplyMix);
    case BlendMode::Screen:
      return each(screenMix);
    case BlendMode::Lighten:
      return each(lightenMix);
    case BlendMode::Darken:
      return each(darkenMix);
    case BlendMode::Difference:
      return each(differenceMix);
    case BlendMode::Overlay:
      return each(overlayMix);
    case BlendMode::HardLight:
      return each(hardLightMix);
    case BlendMode::Add:
      return pack(d.r + s.r, d.g + s.g, d.b + s.b, over);
    case BlendMode::Subtract:
      return pack(d.r - s.r, d.g - s.g, d.b - s.b, over);
    case BlendMode::Invert: {
      // The destination's colours turned over as far as the layer covers it.
      const auto turned = [&](int b) { return mul(d.a - b, s.a) + mul(b, 255 - s.a); };
      return pack(turned(d.r), turned(d.g), turned(d.b), d.a);
    }
    case BlendMode::Alpha:
      return pack(mul(d.r, s.a), mul(d.g, s.a), mul(d.b, s.a), mul(d.a, s.a));
    case BlendMode::Erase: {
      const int keep = 255 - s.a;
      return pack(mul(d.r, keep), mul(d.g, keep), mul(d.b, keep), mul(d.a, keep));
    }
  }
  return destinationPixel;
}

}  // namespace

BlendMode blendModeFromCode(int code) {
  if (code < static_cast<int>(BlendMode::Normal) || code > static_cast<int>(BlendMode::HardLight)) {
    return BlendMode::Normal;
  }
  return static_cast<BlendMode>(code);
}

void blend(QImage& destination, const QImage& layer, QPoint at, BlendMode mode) {
  if (destination.format() != QImage::Format_ARGB32_Premultiplied) {
    destination.convertTo(QImage::Format_ARGB32_Premultiplied);
  }
  const QImage source = layer.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  const QRect covered = QRect(at, source.size()) & destination.rect();
  // Alpha mode reaches the whole destination; the others only what the layer covers.
  const QRect reached = mode == BlendMode::Alpha ? destination.rect() : covered;
  for (int y = reached.top(); y <= reached.bottom(); ++y) {
    auto* out = reinterpret_cast<QRgb*>(destination.scanLine(y));
    const bool rowCovered = y >= covered.top() && y <= covered.bottom();
    const auto* in =
        rowCovered ? reinterpret_cast<const QRgb*>(source.constScanLine(y - at.y())) : nullptr;
    for (int x = reached.left(); x <= reached.right(); ++x) {
      const bool inside = rowCovered && x >= covered.left() && x <= covered.right();
      out[x] = inside ? blendPixel(in[x - at.x()], out[x], mode) : 0;
    }
  }
}

}  // namespace quelvo::swf::effects
