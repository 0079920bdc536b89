#pragma once

#include <cstdint>
#include <optional>

#include "swf/format/TagRecord.h"
#include "swf/model/Timeline.h"

namespace quelvo::swf {

// A DefineSprite character: a movie clip with its own timeline.
struct Sprite {
  std::uint16_t id = 0;
  std::uint16_t headerFrameCount = 0;  // as declared; the timeline decides
  std::uint64_t offset = 0;            // of the DefineSprite record
  Timeline timeline;
};

// Reads a DefineSprite record's embedded tag stream with the same rules as
// the root stream. Sprites hold only frame tags: definitions inside one
// (a nested DefineSprite included) are skipped. Returns nothing when the
// body is too short for the sprite id and frame count.
std::optional<Sprite> readSprite(const TagRecord& record, TagBudget& budget);

}  // namespace quelvo::swf
