#include "swf/format/Filters.h"

#include <optional>

namespace quelvo::swf {

namespace {

constexpr std::size_t kRgba = 4;
constexpr std::size_t kFixed = 4;
constexpr std::size_t kFixed8 = 2;
constexpr std::size_t kFloat = 4;
constexpr std::size_t kFlagsByte = 1;

// Bytes of a gradient glow or bevel with `colours` colours.
std::size_t gradientFilterSize(std::size_t colours) {
  return 1 + colours * (kRgba + 1) + 4 * kFixed + kFixed8 + kFlagsByte;
}

// Bytes of the parameters of a filter of this kind, read from the reader
// without moving it; nothing for an unknown kind.
std::optional<std::size_t> parameterSize(FilterKind kind, ByteReader reader) {
  switch (kind) {
    case FilterKind::DropShadow:
      return kRgba + 4 * kFixed + kFixed8 + kFlagsByte;
    case FilterKind::Blur:
      return 2 * kFixed + kFlagsByte;
    case FilterKind::Glow:
      return kRgba + 2 * kFixed + kFixed8 + kFlagsByte;
    case FilterKind::Bevel:
      return 2 * kRgba + 4 * kFixed + kFixed8 + kFlagsByte;
    case FilterKind::GradientGlow:
    case FilterKind::GradientBevel:
      return gradientFilterSize(reader.u8());
    case FilterKind::Convolution: {
      const std::size_t columns = reader.u8();
      const std::size_t rows = reader.u8();
      return 2 + 2 * kFloat + columns * rows * kFloat + kRgba + kFlagsByte;
    }
    case FilterKind::ColorMatrix:
      return 20 * kFloat;
  }
  return std::nullopt;
}

}  // namespace

std::vector<Filter> readFilters(ByteReader& reader) {
  std::vector<Filter> filters;
  const std::size_t count = reader.u8();
  for (std::size_t i = 0; i < count && reader.ok(); ++i) {
    const std::uint8_t code = reader.u8();
    const auto kind = static_cast<FilterKind>(code);
    const auto size = parameterSize(kind, reader);
    if (!size) {
      reader.reject("unknown filter kind " + std::to_string(code));
      break;
    }
    const auto parameters = reader.bytes(*size);
    if (reader.ok()) filters.push_back(Filter{kind, parameters});
  }
  return filters;
}

}  // namespace quelvo::swf
