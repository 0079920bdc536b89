#include "swf/effects/FilterDecode.h"

#include <bit>

#include "swf/io/ByteReader.h"

namespace quelvo::swf::effects {

namespace {

QRgb readColour(ByteReader& reader) {
  const Rgba colour = reader.rgba();
  return qRgba(colour.red, colour.green, colour.blue, colour.alpha);
}

float readFloat(ByteReader& reader) { return std::bit_cast<float>(reader.u32()); }

// The two-stop ramp of a plain shadow or glow: from nothing to the colour.
std::vector<GradientStop> fadeTo(QRgb colour) {
  return {{qRgba(qRed(colour), qGreen(colour), qBlue(colour), 0), 0}, {colour, 255}};
}

// The flag byte's passes field is the low 5 bits (shadows, glows) or 4 bits
// (bevels and gradients, which spend one more bit on onTop).
void readEdgeTail(ByteReader& reader, EdgeParams& params, bool withOnTop) {
  params.blur.blurX = reader.fixed16();
  params.blur.blurY = reader.fixed16();
  if (params.kind != EdgeParams::Kind::Glow) {
    params.angle = reader.fixed16();
    params.distance = reader.fixed16();
  }
  params.strength = reader.fixed8();
  const std::uint8_t flags = reader.u8();
  params.inner = (flags & 0x80) != 0;
  params.knockout = (flags & 0x40) != 0;
  params.hideObject = (flags & 0x20) == 0;
  if (withOnTop) params.onTop = (flags & 0x10) != 0;
  params.blur.passes = flags & (withOnTop ? 0x0f : 0x1f);
}

EdgeParams readGradientEdge(ByteReader& reader, EdgeParams::Kind kind) {
  EdgeParams params;
  params.kind = kind;
  const std::size_t count = reader.u8();
  std::vector<QRgb> colours;
  for (std::size_t i = 0; i < count && reader.ok(); ++i) colours.push_back(readColour(reader));
  for (std::size_t i = 0; i < count && reader.ok(); ++i) {
    params.stops.push_back({colours[i], reader.u8()});
  }
  readEdgeTail(reader, params, true);
  return params;
}

ConvolutionParams readConvolution(ByteReader& reader) {
  ConvolutionParams params;
  params.columns = reader.u8();
  params.rows = reader.u8();
  params.divisor = readFloat(reader);
  params.bias = readFloat(reader);
  const std::size_t count = static_cast<std::size_t>(params.columns) * params.rows;
  for (std::size_t i = 0; i < count && reader.ok(); ++i) params.matrix.push_back(readFloat(reader));
  params.defaultColour = readColour(reader);
  const std::uint8_t flags = reader.u8();
  params.clamp = (flags & 0x02) != 0;
  params.preserveAlpha = (flags & 0x01) != 0;
  return params;
}

}  // namespace

std::optional<FilterParams> decodeFilter(const Filter& filter) {
  ByteReader reader(filter.parameters);
  FilterParams result;
  switch (filter.kind) {
    case FilterKind::Blur: {
      BlurParams params;
      params.blurX = reader.fixed16();
      params.blurY = reader.fixed16();
      params.passes = reader.u8() >> 3;
      result = params;
      break;
    }
    case FilterKind::DropShadow:
    case FilterKind::Glow: {
      EdgeParams params;
      params.kind =
          filter.kind == FilterKind::Glow ? EdgeParams::Kind::Glow : EdgeParams::Kind::DropShadow;
      params.stops = fadeTo(readColour(reader));
      readEdgeTail(reader, params, false);
      result = params;
      break;
    }
    case FilterKind::Bevel: {
      // The highlight colour comes first in the files as written.
      EdgeParams params;
      params.kind = EdgeParams::Kind::Bevel;
      const QRgb highlight = readColour(reader);
      const QRgb shadow = readColour(reader);
      params.stops = {{highlight, 0}, {0, 128}, {shadow, 255}};
      readEdgeTail(reader, params, true);
      result = params;
      break;
    }
    case FilterKind::GradientGlow:
      result = readGradientEdge(reader, EdgeParams::Kind::GradientGlow);
      break;
    case FilterKind::GradientBevel:
      result = readGradientEdge(reader, EdgeParams::Kind::GradientBevel);
      break;
    case FilterKind::Convolution:
      result = readConvolution(reader);
      break;
    case FilterKind::ColorMatrix: {
      ColorMatrixParams params;
      for (float& value : params.matrix) value = readFloat(reader);
      result = params;
      break;
    }
  }
  if (!reader.ok()) return std::nullopt;
  return result;
}

std::vector<FilterParams> decodeFilters(std::span<const Filter> filters) {
  std::vector<FilterParams> decoded;
  for (const Filter& filter : filters) {
    if (auto params = decodeFilter(filter)) decoded.push_back(std::move(*params));
  }
  return decoded;
}

}  // namespace quelvo::swf::effects
