#pragma once

#include <QImage>
#include <QPoint>
#include <QRgb>
#include <array>
#include <cstdint>
#include <variant>
#include <vector>

namespace quelvo::swf::effects {

// Repeated box blur: blurX and blurY are the box widths in pixels, passes
// how often it runs (the quality); 0 passes leaves the image as it is.
struct BlurParams {
  double blurX = 4;
  double blurY = 4;
  int passes = 1;
};

// A colour of an edge filter's ramp: unpremultiplied ARGB at a ratio 0-255.
struct GradientStop {
  QRgb colour = 0;
  std::uint8_t ratio = 0;
};

// Drop shadow, glow, bevel and their gradient forms: the object's alpha,
// blurred and offset, coloured through a ramp of stops. Shadows and glows
// index the ramp by the blurred alpha (0 outside, 255 inside); bevels by
// how much the shadow side outweighs the highlight side (0 highlight, 128
// neither, 255 shadow).
struct EdgeParams {
  enum class Kind { DropShadow, Glow, Bevel, GradientGlow, GradientBevel };

  Kind kind = Kind::Glow;
  std::vector<GradientStop> stops;
  BlurParams blur;
  double angle = 0;  // radians, clockwise on screen from the x axis
  double distance = 0;
  double strength = 1;
  bool inner = false;
  bool knockout = false;
  bool hideObject = false;  // the effect alone, without the object
  bool onTop = false;       // bevels: both inside and outside, over the object

  bool isBevel() const { return kind == Kind::Bevel || kind == Kind::GradientBevel; }
};

// A 4x5 matrix over unpremultiplied red, green, blue, alpha (rows) taking
// red, green, blue, alpha and an offset in 0-255 units (columns).
struct ColorMatrixParams {
  std::array<float, 20> matrix{1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 1, 0};
};

// A columns x rows kernel (row by row) centred on each pixel; the sum is
// divided by divisor and bias added. Pixels beyond the image repeat the
// edge (clamp) or are defaultColour (unpremultiplied ARGB).
struct ConvolutionParams {
  int columns = 0;
  int rows = 0;
  std::vector<float> matrix;
  float divisor = 1;
  float bias = 0;
  bool preserveAlpha = true;
  bool clamp = true;
  QRgb defaultColour = 0;
};

// Moves each pixel by a map image's channels: the pixel at p takes the
// source pixel at p + (channel - 128) * scale / 256, the map's top-left at
// mapPoint. Pixels the map does not cover stay. Components: 1 red, 2 green,
// 4 blue, 8 alpha.
struct DisplacementMapParams {
  enum class Mode { Wrap, Clamp, Ignore, Color };

  QImage map;
  QPoint mapPoint;
  std::uint8_t componentX = 1;
  std::uint8_t componentY = 1;
  double scaleX = 0;
  double scaleY = 0;
  Mode mode = Mode::Wrap;
  QRgb colour = 0;  // Color mode: what lands outside the source (unpremultiplied ARGB)
};

using FilterParams = std::variant<BlurParams, EdgeParams, ColorMatrixParams, ConvolutionParams,
                                  DisplacementMapParams>;

}  // namespace quelvo::swf::effects
