#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "swf/avm1/Action.h"

namespace quelvo::swf::avm1 {

// The bytes of one action list (a DoAction body, a button condition, a clip
// event). Decoding copies everything it needs, so the bytes are read only
// while the block is decoded. With an owner (what keeps the bytes alive, the
// movie) the VM keeps the decoded block and reuses it while the owner lives:
// clip events run every frame.
struct ActionBlock {
  std::span<const std::uint8_t> bytes;
  std::uint64_t baseOffset = 0;  // of bytes[0] in the movie, for messages
  std::shared_ptr<const void> owner;
};

// Decodes every record of the block. Never reads outside the bytes and never
// trusts a length: a record that does not fit, or whose body is malformed,
// ends decoding and is reported in DecodedBlock::error.
std::shared_ptr<const DecodedBlock> decodeActions(const ActionBlock& block, int swfVersion);

}  // namespace quelvo::swf::avm1
