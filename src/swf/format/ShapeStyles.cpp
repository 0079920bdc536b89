#include "swf/format/ShapeStyles.h"

#include "swf/format/RecordReaders.h"

namespace quelvo::swf {

namespace {

enum FillType : std::uint8_t {
  kSolid = 0x00,
  kLinearGradient = 0x10,
  kRadialGradient = 0x12,
  kFocalGradient = 0x13,
  kRepeatingBitmap = 0x40,
  kClippedBitmap = 0x41,
  kRepeatingHardBitmap = 0x42,
  kClippedHardBitmap = 0x43,
};

Rgba readColour(ByteReader& reader, bool withAlpha) {
  if (withAlpha) return reader.rgba();
  const Rgb colour = reader.rgb();
  return Rgba{colour.red, colour.green, colour.blue, 255};
}

std::size_t readCount(ByteReader& reader, int version) {
  const std::size_t count = reader.u8();
  return count == 0xFF && version >= 2 ? reader.u16() : count;
}

Gradient readGradient(ByteReader& reader, bool withAlpha, bool focal) {
  Gradient gradient;
  const unsigned count = readGradientHeader(reader, gradient);
  for (unsigned i = 0; i < count && reader.ok(); ++i) {
    GradientStop stop;
    stop.ratio = reader.u8();
    stop.colour = readColour(reader, withAlpha);
    if (reader.ok()) gradient.stops.push_back(stop);
  }
  if (focal) gradient.focalPoint = reader.fixed8();
  return gradient;
}

std::optional<FillStyle> readFillStyle(ByteReader& reader, int version) {
  const bool withAlpha = version >= 3;
  const std::uint8_t type = reader.u8();
  auto style = fillStyleOfType(type);
  if (!style) {
    // Without its type the style's size is unknown, so nothing after it can be read.
    if (reader.ok()) reader.reject("unknown fill style type " + std::to_string(type));
    return std::nullopt;
  }
  switch (style->kind) {
    case FillKind::Solid:
      style->colour = readColour(reader, withAlpha);
      break;
    case FillKind::LinearGradient:
    case FillKind::RadialGradient:
    case FillKind::FocalGradient:
      style->matrix = readMatrix(reader);
      style->gradient = readGradient(reader, withAlpha, style->kind == FillKind::FocalGradient);
      break;
    case FillKind::Bitmap:
      style->bitmapId = reader.u16();
      style->matrix = readMatrix(reader);
      break;
  }
  if (reader.failed()) return std::nullopt;
  return style;
}

CapStyle capStyle(unsigned code) {
  return code == 1 ? CapStyle::None : code == 2 ? CapStyle::Square : CapStyle::Round;
}

std::optional<LineStyle> readLineStyle(ByteReader& reader, int version) {
  LineStyle style;
  style.width = reader.u16();
  if (version < 4) {
    style.colour = readColour(reader, version >= 3);
    return reader.ok() ? std::optional(style) : std::nullopt;
  }
  if (readLineStyleFlags(reader, style)) {
    style.fill = readFillStyle(reader, version);
    if (!style.fill) return std::nullopt;
  } else {
    style.colour = reader.rgba();
  }
  return reader.ok() ? std::optional(style) : std::nullopt;
}

}  // namespace

std::optional<FillStyle> fillStyleOfType(std::uint8_t type) {
  FillStyle style;
  switch (type) {
    case kSolid:
      return style;
    case kLinearGradient:
      style.kind = FillKind::LinearGradient;
      return style;
    case kRadialGradient:
      style.kind = FillKind::RadialGradient;
      return style;
    case kFocalGradient:
      style.kind = FillKind::FocalGradient;
      return style;
    case kRepeatingBitmap:
    case kClippedBitmap:
    case kRepeatingHardBitmap:
    case kClippedHardBitmap:
      style.kind = FillKind::Bitmap;
      style.bitmapRepeats = type == kRepeatingBitmap || type == kRepeatingHardBitmap;
      style.bitmapSmoothed = type == kRepeatingBitmap || type == kClippedBitmap;
      return style;
    default:
      return std::nullopt;
  }
}

unsigned readGradientHeader(ByteReader& reader, Gradient& gradient) {
  const unsigned spread = reader.ub(2);
  const unsigned interpolation = reader.ub(2);
  const unsigned count = reader.ub(4);
  // Reserved codes fall back to the defaults.
  gradient.spread = spread == 1   ? SpreadMode::Reflect
                    : spread == 2 ? SpreadMode::Repeat
                                  : SpreadMode::Pad;
  gradient.interpolation =
      interpolation == 1 ? InterpolationMode::LinearRgb : InterpolationMode::Normal;
  return count;
}

bool readLineStyleFlags(ByteReader& reader, LineStyle& style) {
  style.startCap = capStyle(reader.ub(2));
  const unsigned join = reader.ub(2);
  const bool hasFill = reader.ub(1) != 0;
  style.noHorizontalScale = reader.ub(1) != 0;
  style.noVerticalScale = reader.ub(1) != 0;
  style.pixelHinting = reader.ub(1) != 0;
  reader.ub(5);
  style.noClose = reader.ub(1) != 0;
  style.endCap = capStyle(reader.ub(2));
  style.join = join == 1 ? JoinStyle::Bevel : join == 2 ? JoinStyle::Miter : JoinStyle::Round;
  if (style.join == JoinStyle::Miter) style.miterLimit = reader.u16() / 256.0;
  return hasFill;
}

std::vector<FillStyle> readFillStyles(ByteReader& reader, int version) {
  std::vector<FillStyle> styles;
  const std::size_t count = readCount(reader, version);
  for (std::size_t i = 0; i < count && reader.ok(); ++i) {
    auto style = readFillStyle(reader, version);
    if (!style) break;
    styles.push_back(std::move(*style));
  }
  return styles;
}

std::vector<LineStyle> readLineStyles(ByteReader& reader, int version) {
  std::vector<LineStyle> styles;
  const std::size_t count = readCount(reader, version);
  for (std::size_t i = 0; i < count && reader.ok(); ++i) {
    auto style = readLineStyle(reader, version);
    if (!style) break;
    styles.push_back(std::move(*style));
  }
  return styles;
}

}  // namespace quelvo::swf
