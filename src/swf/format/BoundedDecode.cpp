#include "swf/format/BoundedDecode.h"

#include <algorithm>
#include <cstdint>

namespace quelvo::swf {

namespace {

// Makes room for more output, never past limit. Returns how many bytes were
// added (0 when out is full).
std::size_t growOutput(std::vector<std::uint8_t>& out, std::size_t used, std::size_t limit) {
  constexpr std::size_t kMinimumStep = 64 * 1024;
  if (out.size() > used) return out.size() - used;
  if (used >= limit) return 0;
  const std::size_t step = std::min(std::max(kMinimumStep, used), limit - used);
  out.resize(used + step);
  return step;
}

}  // namespace

DecodeResult decodeBounded(std::vector<std::uint8_t>& out, std::size_t limit,
                           const DecodeStepper& step) {
  const std::size_t start = out.size();
  const std::size_t outputLimit = start + std::min(limit, SIZE_MAX - start);
  std::size_t used = start;
  DecodeResult result{DecodeStatus::LimitReached, {}};
  for (;;) {
    const std::size_t room = growOutput(out, used, outputLimit);
    if (room == 0) break;
    const DecodeStep done = step(out.data() + used, room);
    used += done.produced;
    if (done.finished) {
      result = *done.finished;
      break;
    }
  }
  out.resize(used);
  return result;
}

}  // namespace quelvo::swf
