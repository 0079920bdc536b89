#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "swf/base/Records.h"
#include "swf/io/ByteReader.h"

namespace quelvo::swf {

enum class SpreadMode : std::uint8_t { Pad, Reflect, Repeat };
enum class InterpolationMode : std::uint8_t { Normal, LinearRgb };

class BitmapSurface;

struct GradientStop {
  std::uint8_t ratio = 0;  // 0-255 across the gradient square
  Rgba colour;

  bool operator==(const GradientStop&) const = default;
};

// Colours along the gradient square, which spans -16384..16384 twips in
// gradient space on both axes.
struct Gradient {
  SpreadMode spread = SpreadMode::Pad;
  InterpolationMode interpolation = InterpolationMode::Normal;
  std::vector<GradientStop> stops;  // as stored: not sorted, possibly empty
  double focalPoint = 0;            // focal gradients: -1..1 along the x axis
};

enum class FillKind : std::uint8_t { Solid, LinearGradient, RadialGradient, FocalGradient, Bitmap };

struct FillStyle {
  FillKind kind = FillKind::Solid;
  Rgba colour;    // Solid
  Matrix matrix;  // gradient square or bitmap to shape space
  Gradient gradient;
  std::uint16_t bitmapId = 0;
  // A script bitmap filling a drawn shape, in place of the library's bitmapId.
  std::shared_ptr<const BitmapSurface> scriptBitmap;
  bool bitmapRepeats = true;
  bool bitmapSmoothed = true;
};

enum class CapStyle : std::uint8_t { Round, None, Square };
enum class JoinStyle : std::uint8_t { Round, Bevel, Miter };

struct LineStyle {
  std::uint16_t width = 0;  // twips; 0 is a hairline
  Rgba colour;
  CapStyle startCap = CapStyle::Round;
  CapStyle endCap = CapStyle::Round;
  JoinStyle join = JoinStyle::Round;
  double miterLimit = 3;
  bool noHorizontalScale = false;
  bool noVerticalScale = false;
  bool pixelHinting = false;
  bool noClose = false;
  std::optional<FillStyle> fill;  // the stroke is painted with this instead of colour
};

// Style arrays of DefineShape `version` (1-4): colours are RGB before
// version 3, line styles carry caps, joins and fills from version 4. Counts
// of 255 are extended to 16 bits from version 2. Reading stops at the first
// style that does not fit; the reader's error then tells where.
std::vector<FillStyle> readFillStyles(ByteReader& reader, int version);
std::vector<LineStyle> readLineStyles(ByteReader& reader, int version);

// Pieces that morph shape styles read the same way.
// A style of fill type code `type` with its kind and bitmap flags set;
// nothing for a code the format does not define.
std::optional<FillStyle> fillStyleOfType(std::uint8_t type);
// The spread and interpolation bits into gradient; returns the stop count.
unsigned readGradientHeader(ByteReader& reader, Gradient& gradient);
// The caps, join and flags of a version 4 line style, and the miter limit
// when it joins with miters. Returns whether a fill style follows.
bool readLineStyleFlags(ByteReader& reader, LineStyle& style);

}  // namespace quelvo::swf
