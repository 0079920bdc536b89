#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "swf/base/Expected.h"
#include "swf/format/SoundFormat.h"
#include "swf/sound/DecodedSound.h"

namespace quelvo::swf {

// Decodes sound data, packets in order: a DefineSound's data (after any MP3 SeekSamples field,
// which the caller strips) is one packet; a stream gives one packet per SoundStreamBlock (after
// its MP3 SampleCount and SeekSamples fields). Keeps at most maxFrames sample frames. An unknown
// or unsupported codec is an Error (the caller plays silence and logs); damaged data decodes
// what it can.
Expected<DecodedSound> decodeSound(const SoundFormat& format,
                                   std::span<const std::span<const std::uint8_t>> packets,
                                   std::size_t maxFrames);

}  // namespace quelvo::swf
