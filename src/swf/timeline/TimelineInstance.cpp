#include "swf/timeline/TimelineInstance.h"

#include <algorithm>

#include "swf/Log.h"
#include "swf/format/DisplayListTags.h"
#include "swf/timeline/Instances.h"

namespace quelvo::swf {

TimelineInstance::TimelineInstance(const Timeline& timeline, PlayContext& context, int nesting)
    : timeline_(timeline), context_(context), nesting_(nesting) {
  ++context_.spriteInstances;
}

TimelineInstance::~TimelineInstance() { --context_.spriteInstances; }

bool TimelineInstance::showFrame(std::size_t frame) {
  frame = std::min(frame, frameCount() - 1);
  if (current_ == frame) return false;
  const bool next = current_ ? *current_ + 1 == frame : frame == 0;
  current_ = frame;
  return next ? runFrame(frame, list_, true) : rebuild(frame);
}

bool TimelineInstance::advance() {
  bool changed = advanceChildren();
  if (frameCount() > 1) {
    const std::size_t next = currentFrame() + 1 < frameCount() ? currentFrame() + 1 : 0;
    changed = showFrame(next) || changed;
  }
  return changed;
}

bool TimelineInstance::advanceChildren() { return advanceInstances(list_); }

bool TimelineInstance::animating() const { return instancesAnimating(list_); }

// Runs the display-list tags of one frame on list. Sprite instances are made
// only for the live list, not while a rebuild replays earlier frames.
bool TimelineInstance::runFrame(std::size_t frame, DisplayList& list, bool instantiate) {
  bool changed = false;
  const auto& tags = timeline_.frames[frame].tags;
  for (std::size_t index = 0; index < tags.size(); ++index) {
    if (context_.workLeft == 0) break;
    const TagRecord& record = tags[index];
    if (isPlaceObjectTag(record.code)) {
      --context_.workLeft;
      const auto place = readPlaceObject(record);
      if (!place) {
        qCDebug(lcSwf) << "skipping" << place.error().describe().c_str();
        continue;
      }
      const auto placed = list.place(*place, PlacementOrigin{frame, index});
      changed = changed || placed.outcome != DisplayList::Outcome::Ignored;
      if (placed.outcome == DisplayList::Outcome::Created && instantiate) {
        swf::instantiate(*placed.object, context_, nesting_);
      }
    } else if (isRemoveObjectTag(record.code)) {
      --context_.workLeft;
      const auto remove = readRemoveObject(record);
      if (remove) changed = list.remove(remove->depth) || changed;
    }
  }
  return changed;
}

bool TimelineInstance::rebuild(std::size_t frame) {
  DisplayList rebuilt;
  for (std::size_t f = 0; f <= frame; ++f) runFrame(f, rebuilt, false);
  const bool changed = carryOverInstances(list_, rebuilt, context_, nesting_);
  list_ = std::move(rebuilt);
  return changed;
}

}  // namespace quelvo::swf
