#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace quelvo::swf {

// Decodes one block of SWF ADPCM sound data (a DefineSound's data or one stream block): a 2-bit
// code size, then packets of up to 4096 sample frames, each opening with every channel's 16-bit
// sample and 6-bit step index. Appends 16-bit samples, interleaved by channel, to out while it
// holds fewer than maxFrames frames. A cut-off block ends at its last complete frame.
// Returns false when it stopped at maxFrames with data left.
bool decodeAdpcm(std::span<const std::uint8_t> block, bool stereo, std::size_t maxFrames,
                 std::vector<std::int16_t>& out);

}  // namespace quelvo::swf
