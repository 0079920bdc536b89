#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "swf/io/ByteReader.h"

namespace quelvo::swf {

enum class FilterKind : std::uint8_t {
  DropShadow = 0,
  Blur = 1,
  Glow = 2,
  Bevel = 3,
  GradientGlow = 4,
  Convolution = 5,
  ColorMatrix = 6,
  GradientBevel = 7,
};

// One surface filter: its kind and its parameter bytes (after the kind
// byte), kept for the filter renderer. The bytes point into the movie.
struct Filter {
  FilterKind kind = FilterKind::Blur;
  std::span<const std::uint8_t> parameters;
};

// A FILTERLIST: a count, then filters whose sizes follow from their kind.
// An unknown kind fails the reader, since nothing after it can be found.
std::vector<Filter> readFilters(ByteReader& reader);

}  // namespace quelvo::swf
