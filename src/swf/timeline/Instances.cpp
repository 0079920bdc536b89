#include "swf/timeline/Instances.h"

#include "swf/Log.h"
#include "swf/timeline/ButtonInstance.h"
#include "swf/timeline/TimelineInstance.h"

namespace quelvo::swf {

void instantiate(DisplayObject& object, PlayContext& context, int nesting) {
  const CharacterKind kind = context.library.kind(object.character);
  if (kind != CharacterKind::Sprite && kind != CharacterKind::Button) return;
  if (nesting + 1 > PlayContext::kMaxNesting ||
      context.spriteInstances >= PlayContext::kMaxSpriteInstances) {
    qCDebug(lcSwf) << "not instantiating character" << object.character << "(limits reached)";
    return;
  }
  if (const Sprite* sprite = context.library.sprite(object.character)) {
    object.sprite = std::make_unique<TimelineInstance>(sprite->timeline, context, nesting + 1);
    object.sprite->showFrame(0);
  } else if (const Button* button = context.library.button(object.character)) {
    object.button = std::make_unique<ButtonInstance>(*button, context, nesting + 1);
  }
}

bool carryOverInstances(DisplayList& old, DisplayList& rebuilt, PlayContext& context, int nesting) {
  bool changed = rebuilt.objects().size() != old.objects().size();
  for (auto& [depth, object] : rebuilt.objects()) {
    DisplayObject* kept = nullptr;
    const auto [first, last] = old.objects().equal_range(depth);
    for (auto it = first; it != last && !kept; ++it) {
      if (it->second.character == object.character && it->second.origin == object.origin) {
        kept = &it->second;
      }
    }
    if (kept) {
      changed = changed || !object.samePlacement(*kept);
      object.sprite = std::move(kept->sprite);
      object.button = std::move(kept->button);
    } else {
      changed = true;
      instantiate(object, context, nesting);
    }
  }
  return changed;
}

bool advanceInstances(DisplayList& list) {
  bool changed = false;
  for (auto& [depth, object] : list.objects()) {
    if (object.sprite) changed = object.sprite->advance() || changed;
    if (object.button) changed = object.button->advance() || changed;
  }
  return changed;
}

bool instancesAnimating(const DisplayList& list) {
  for (const auto& [depth, object] : list.objects()) {
    if (object.sprite && (object.sprite->frameCount() > 1 || object.sprite->animating())) {
      return true;
    }
    if (object.button && object.button->animating()) return true;
  }
  return false;
}

}  // namespace quelvo::swf
