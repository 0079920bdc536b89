#pragma once

#include <QRgb>
#include <cstdint>

namespace quelvo::swf::argb {

// Colours as scripts see them: 0xAARRGGBB with the colour not multiplied by
// the alpha. Bitmaps store them premultiplied, so a colour with a low alpha
// comes back with the precision the premultiplied form kept.

inline constexpr std::uint32_t alpha(std::uint32_t c) { return c >> 24; }
inline constexpr std::uint32_t red(std::uint32_t c) { return (c >> 16) & 0xFF; }
inline constexpr std::uint32_t green(std::uint32_t c) { return (c >> 8) & 0xFF; }
inline constexpr std::uint32_t blue(std::uint32_t c) { return c & 0xFF; }
inline constexpr std::uint32_t pack(std::uint32_t a, std::uint32_t r, std::uint32_t g,
                                    std::uint32_t b) {
  return (a << 24) | (r << 16) | (g << 8) | b;
}
// The channel with shift 24 (alpha), 16 (red), 8 (green) or 0 (blue).
inline constexpr std::uint32_t channel(std::uint32_t c, int shift) { return (c >> shift) & 0xFF; }

inline QRgb premultiply(std::uint32_t c) {
  const std::uint32_t a = alpha(c);
  if (a == 255) return c;
  const auto scale = [a](std::uint32_t v) { return (v * a + 127) / 255; };
  return pack(a, scale(red(c)), scale(green(c)), scale(blue(c)));
}

inline std::uint32_t unpremultiply(QRgb p) {
  const std::uint32_t a = alpha(p);
  if (a == 255) return p;
  if (a == 0) return 0;
  const auto scale = [a](std::uint32_t v) {
    const std::uint32_t s = (v * 255 + a / 2) / a;
    return s > 255 ? 255u : s;
  };
  return pack(a, scale(red(p)), scale(green(p)), scale(blue(p)));
}

// A premultiplied pixel with every channel scaled by factor/255.
inline QRgb scaled(QRgb p, std::uint32_t factor) {
  if (factor == 255) return p;
  const auto scale = [factor](std::uint32_t v) { return (v * factor + 127) / 255; };
  return pack(scale(alpha(p)), scale(red(p)), scale(green(p)), scale(blue(p)));
}

// Premultiplied source over premultiplied destination.
inline QRgb over(QRgb source, QRgb dest) {
  const std::uint32_t keep = 255 - alpha(source);
  if (keep == 0) return source;
  const auto mix = [&](int shift) {
    const std::uint32_t v = channel(source, shift) + (channel(dest, shift) * keep + 127) / 255;
    return v > 255 ? 255u : v;
  };
  return pack(mix(24), mix(16), mix(8), mix(0));
}

}  // namespace quelvo::swf::argb
