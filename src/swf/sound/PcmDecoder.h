#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace quelvo::swf {

// Decodes uncompressed SWF sound data: 8-bit unsigned samples (128 is silence) or 16-bit
// little-endian signed ones, interleaved by channel. Appends 16-bit samples to out while it holds
// fewer than maxFrames frames; a trailing partial frame is dropped. Returns false when it
// stopped at maxFrames with data left.
bool decodePcm(std::span<const std::uint8_t> data, bool sixteenBit, bool stereo,
               std::size_t maxFrames, std::vector<std::int16_t>& out);

}  // namespace quelvo::swf
