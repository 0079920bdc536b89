#pragma once

#include <cstdint>

namespace quelvo::swf {

// The largest video pictures decoded; larger ones are refused before any
// memory is set aside for them.
inline constexpr int kMaxVideoSide = 4096;
inline constexpr std::int64_t kMaxVideoPixels = std::int64_t{3840} * 2160;

inline bool videoSizeAllowed(int width, int height) {
  return width > 0 && height > 0 && width <= kMaxVideoSide && height <= kMaxVideoSide &&
         std::int64_t{width} * height <= kMaxVideoPixels;
}

}  // namespace quelvo::swf
