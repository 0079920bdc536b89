#include "swf/runtime/ButtonInstance.h"

#include <atomic>
#include <optional>

#include "swf/runtime/Instances.h"
#include "swf/runtime/TimelineInstance.h"

namespace quelvo::swf {

namespace {

std::uint64_t nextSerial() {
  static std::atomic<std::uint64_t> counter{0};
  return ++counter;
}

std::uint8_t flagOf(ButtonState state) {
  switch (state) {
    case ButtonState::Up:
      return kButtonUp;
    case ButtonState::Over:
      return kButtonOver;
    case ButtonState::Down:
      return kButtonDown;
  }
  return kButtonUp;
}

// The DefineButtonSound entry a state change plays: over to up, up to over,
// over to down, down to over. Leaving while pressed plays none.
std::optional<int> soundTransition(ButtonState from, ButtonState to) {
  using enum ButtonState;
  if (from == Over && to == Up) return 0;
  if (from == Up && to == Over) return 1;
  if (to == Down) return 2;
  if (from == Down && to == Over) return 3;
  return std::nullopt;
}

}  // namespace

ButtonInstance::ButtonInstance(const Button& button, PlayContext& context, int nesting)
    : button_(button), context_(context), nesting_(nesting), serial_(nextSerial()) {
  ++context_.spriteInstances;
  DisplayList none;
  hitArea_ = listOf(kButtonHit);
  carryOverInstances(none, hitArea_, context_, nesting_, nullptr);
  list_ = listOf(kButtonUp);
  carryOverInstances(none, list_, context_, nesting_, nullptr);
}

ButtonInstance::~ButtonInstance() { --context_.spriteInstances; }

// The records of one state placed like PlaceObject tags, each record's index
// as its origin so that a record shown in two states is one object.
DisplayList ButtonInstance::listOf(std::uint8_t stateFlag) const {
  DisplayList list;
  for (std::size_t index = 0; index < button_.records.size(); ++index) {
    const ButtonRecord& record = button_.records[index];
    if ((record.states & stateFlag) == 0) continue;
    PlaceObject place;
    place.depth = record.depth;
    place.character = record.character;
    place.matrix = record.matrix;
    place.colorTransform = record.colorTransform;
    if (!record.filters.empty()) place.filters = record.filters;
    if (record.blendMode != 0) place.blendMode = record.blendMode;
    list.place(place, PlacementOrigin{0, index});
  }
  return list;
}

bool ButtonInstance::setState(ButtonState state) {
  if (state == state_) return false;
  if (context_.sounds) {
    if (const auto transition = soundTransition(state_, state)) {
      context_.sounds->buttonTransition(button_.id, *transition);
    }
  }
  state_ = state;
  DisplayList next = listOf(flagOf(state));
  const bool changed = carryOverInstances(list_, next, context_, nesting_, nullptr);
  list_ = std::move(next);
  return changed;
}

bool ButtonInstance::advance() { return advanceInstances(list_); }

bool ButtonInstance::animating() const { return instancesAnimating(list_); }

}  // namespace quelvo::swf
