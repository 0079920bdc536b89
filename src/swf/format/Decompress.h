#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "swf/base/Expected.h"

namespace quelvo::swf {

// How a decompressor stopped.
enum class DecodeStatus {
  Complete,          // the stream reached its end marker
  ChecksumMismatch,  // complete, but the data fails the stream's checksum
  InputEnded,        // the data ran out first
  DataError,         // the stream is corrupt from some point on
  LimitReached,      // the output cap was hit before the stream ended
};

struct DecodeResult {
  DecodeStatus status = DecodeStatus::Complete;
  std::string detail;  // decoder's words for an error, empty otherwise
};

// Both decoders append to out as far as the data allows, growing it step by
// step (never sized from a length field), and stop after limit output bytes.
// What was decoded before a problem stays in out.
DecodeResult inflateZlib(std::span<const std::uint8_t> input, std::vector<std::uint8_t>& out,
                         std::size_t limit);

// properties: the 5 LZMA property bytes; input: the raw LZMA stream, with or
// without an end marker. Fails only when the properties are unusable.
Expected<DecodeResult> decodeLzma(std::span<const std::uint8_t> properties,
                                  std::span<const std::uint8_t> input,
                                  std::vector<std::uint8_t>& out, std::size_t limit);

}  // namespace quelvo::swf
