#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "swf/format/TagRecord.h"
#include "swf/format/TagStream.h"
#include "swf/io/ByteReader.h"

namespace quelvo::swf {

// One frame of a timeline: the tags that act when it is shown, in stream order.
struct Frame {
  std::vector<TagRecord> tags;
  std::optional<std::string> label;  // first FrameLabel's bytes, as stored
};

// The frames of the root movie or of a sprite.
//
// Frame count rule: every ShowFrame closes a frame. Records after the last
// ShowFrame (anything but End) make one more, partial frame, so content at
// the end of a cut stream still shows. A stream without any frame gets one
// empty frame: a readable timeline always has at least one. The header's or
// sprite's declared frame count plays no part; the stream is what is shown.
struct Timeline {
  std::vector<Frame> frames;
  std::size_t tagCount = 0;  // records read, End included
  std::optional<StreamBreak> streamBreak;
};

// Tag records a whole movie may hold, root and sprites together. Real movies
// stay far below; it keeps a stream of tiny records from exhausting memory.
inline constexpr std::size_t kMaxTagRecords = std::size_t{1} << 22;

struct TagBudget {
  std::size_t remaining = kMaxTagRecords;
};

// Called for each known record other than ShowFrame and End, in stream
// order; returns whether the record goes into its frame's tag list.
using TagHandler = std::function<bool(const TagRecord&)>;

// Reads a tag stream into frames. Unknown tags are skipped.
Timeline readTimeline(ByteReader stream, TagBudget& budget, const TagHandler& keepInFrame);

}  // namespace quelvo::swf
