#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "swf/format/Decompress.h"

namespace quelvo::swf {

// What one call of a decoder did: the bytes it wrote, and how the stream
// finished when it did (ended, failed or ran out of input).
struct DecodeStep {
  std::size_t produced = 0;
  std::optional<DecodeResult> finished;
};

// Writes up to `room` bytes at `at`.
using DecodeStepper = std::function<DecodeStep(std::uint8_t* at, std::size_t room)>;

// Calls step with fresh output space until it finishes or out holds limit
// bytes more than it did; out grows step by step (at least 64 KiB, doubling
// with the size so far) and is cut to what was written.
DecodeResult decodeBounded(std::vector<std::uint8_t>& out, std::size_t limit,
                           const DecodeStepper& step);

}  // namespace quelvo::swf
