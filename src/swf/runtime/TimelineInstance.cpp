#include "swf/runtime/TimelineInstance.h"

#include <algorithm>

#include "swf/base/Log.h"
#include "swf/format/DisplayListTags.h"
#include "swf/format/TagCodes.h"
#include "swf/runtime/Instances.h"

namespace quelvo::swf {

TimelineInstance::TimelineInstance(const Timeline& timeline, PlayContext& context, int nesting,
                                   TimelineInstance* parent)
    : timeline_(timeline),
      context_(context),
      nesting_(nesting),
      parent_(parent),
      id_(context.nextInstanceId++) {
  ++context_.spriteInstances;
  context_.instances.emplace(id_, this);
}

TimelineInstance::~TimelineInstance() {
  list_.objects().clear();  // children go first, while this one is still whole
  if (TimelineInstance* mask = context_.instance(maskId_)) mask->countMasking(-1);
  --context_.spriteInstances;
  context_.instances.erase(id_);
  if (context_.actions) context_.actions->clipGone(id_);
  if (context_.sounds) context_.sounds->streamEnds(id_);
}

std::optional<TimelineInstance::FieldMask> TimelineInstance::maskField() const {
  const FieldState* state = context_.fields.byHandle(maskId_);
  const TimelineInstance* holder =
      state && state->scripted ? context_.instance(state->scripted->holder) : nullptr;
  if (!holder) return std::nullopt;
  for (const auto& [depth, object] : holder->list_.objects()) {
    if (object.field.get() == state) return FieldMask{holder, &object};
  }
  return std::nullopt;
}

DisplayObject* TimelineInstance::placement() const {
  if (!parent_) return nullptr;
  for (auto& [depth, object] : parent_->list_.objects()) {
    if (object.sprite.get() == this) return &object;
  }
  return nullptr;
}

bool TimelineInstance::showFrame(std::size_t frame) {
  frame = std::min(frame, frameCount() - 1);
  if (current_ == frame) return false;
  const bool next = current_ ? *current_ + 1 == frame : frame == 0;
  current_ = frame;
  // Queued before the display list changes so that this timeline's actions
  // go ahead of those of the clips the frame places.
  if (context_.actions) runFrameActions(frame);
  if (context_.sounds) context_.sounds->frameShown(*this, frame, next);
  return next ? runFrame(frame, list_, true) : rebuild(frame);
}

bool TimelineInstance::advance() {
  bool changed = advanceChildren();
  if (context_.actions) context_.actions->clipEnteringFrame(*this);
  if (playing_ && frameCount() > 1) {
    const std::size_t next = currentFrame() + 1 < frameCount() ? currentFrame() + 1 : 0;
    changed = showFrame(next) || changed;
  }
  return changed;
}

bool TimelineInstance::advanceChildren() { return advanceInstances(list_); }

bool TimelineInstance::animating() const { return instancesAnimating(list_); }

// Hands the frame's DoAction and DoInitAction bodies to the runner, after the
// frame's display list changes are in place.
void TimelineInstance::runFrameActions(std::size_t frame) {
  for (const TagRecord& record : timeline_.frames[frame].tags) {
    if (record.code == tags::DoAction) {
      context_.actions->runActions(*this, record.body, record.offset);
    } else if (record.code == tags::DoInitAction) {
      context_.actions->runInitActions(*this, record.body, record.offset);
    }
  }
}

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
      auto place = readPlaceObject(record);
      if (!place) {
        qCDebug(lcSwf) << "skipping" << place.error().describe().c_str();
        continue;
      }
      // A move naming another character does not replace a button.
      const DisplayObject* present = place->move ? list.find(place->depth) : nullptr;
      if (present && context_.library.kind(present->character) == CharacterKind::Button) {
        place->character.reset();
      }
      const auto placed = list.place(*place, PlacementOrigin{frame, index});
      changed = changed || placed.outcome != DisplayList::Outcome::Ignored;
      if (placed.outcome == DisplayList::Outcome::Created && instantiate) {
        this->instantiate(*placed.object);
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
  const bool changed = carryOverInstances(list_, rebuilt, context_, nesting_, this);
  list_ = std::move(rebuilt);
  return changed;
}

void TimelineInstance::instantiate(DisplayObject& object, const Timeline* timeline) {
  swf::instantiate(object, context_, nesting_, this, timeline);
}

}  // namespace quelvo::swf
