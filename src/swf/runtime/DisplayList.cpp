#include "swf/runtime/DisplayList.h"

#include "swf/effects/FilterDecode.h"
#include "swf/runtime/ButtonInstance.h"    // completes DisplayObject::button
#include "swf/runtime/FieldTexts.h"        // completes DisplayObject::field
#include "swf/runtime/TimelineInstance.h"  // completes DisplayObject::sprite

namespace quelvo::swf {

namespace {

void applyFields(DisplayObject& object, const PlaceObject& place) {
  if (!place.clipActions.empty()) object.clipActions = place.clipActions;
  if (!object.scriptLocked) {
    if (place.matrix) object.matrix = *place.matrix;
    if (place.colorTransform) object.colorTransform = *place.colorTransform;
    if (place.visible) object.visible = *place.visible;
  }
  if (place.ratio) object.ratio = *place.ratio;
  if (place.name) object.name = *place.name;
  if (place.clipDepth) object.clipDepth = *place.clipDepth;
  if (place.blendMode) object.blendMode = *place.blendMode;
  if (place.cacheAsBitmap) object.cacheAsBitmap = *place.cacheAsBitmap;
  if (place.filters) object.filters = effects::decodeFilters(*place.filters);
  if (place.className) object.className = *place.className;
}

}  // namespace

DisplayObject::DisplayObject() = default;
DisplayObject::DisplayObject(DisplayObject&&) noexcept = default;
DisplayObject& DisplayObject::operator=(DisplayObject&&) noexcept = default;
DisplayObject::~DisplayObject() = default;

bool DisplayObject::samePlacement(const DisplayObject& other) const {
  return character == other.character && matrix == other.matrix &&
         colorTransform == other.colorTransform && ratio == other.ratio && name == other.name &&
         clipDepth == other.clipDepth && blendMode == other.blendMode &&
         cacheAsBitmap == other.cacheAsBitmap && visible == other.visible &&
         filters.size() == other.filters.size() && origin == other.origin;
}

DisplayList::Placed DisplayList::place(const PlaceObject& place, PlacementOrigin origin) {
  const auto lowest = objects_.lower_bound(place.depth);
  const bool taken = lowest != objects_.end() && lowest->first == place.depth;
  if (!taken || !place.move) {
    if (!place.character) return {};
    // Inserted before the lowest object at the depth, when there is one.
    DisplayObject& object = objects_.emplace_hint(lowest, place.depth, DisplayObject{})->second;
    object.character = *place.character;
    object.origin = origin;
    applyFields(object, place);
    return {Outcome::Created, &object};
  }
  DisplayObject& object = lowest->second;
  applyFields(object, place);
  if (!place.character || *place.character == object.character) {
    return {Outcome::Changed, &object};
  }
  object.character = *place.character;
  object.origin = origin;
  object.sprite.reset();
  object.button.reset();
  return {Outcome::Created, &object};
}

bool DisplayList::remove(std::uint16_t depth) {
  const auto lowest = objects_.lower_bound(depth);
  if (lowest == objects_.end() || lowest->first != depth) return false;
  objects_.erase(lowest);
  return true;
}

const DisplayObject* DisplayList::find(std::uint16_t depth) const {
  const auto lowest = objects_.lower_bound(depth);
  return lowest != objects_.end() && lowest->first == depth ? &lowest->second : nullptr;
}

}  // namespace quelvo::swf
