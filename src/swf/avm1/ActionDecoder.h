#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "swf/avm1/Action.h"

namespace quelvo::swf::avm1 {

// The bytes of one action list (a DoAction body, a button condition, a clip
// event) and what keeps them alive. Functions defined in the block keep the
// owner, so they may be called after the block has finished.
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
