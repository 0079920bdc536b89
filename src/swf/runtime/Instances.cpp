#include "swf/runtime/Instances.h"

#include "swf/base/Log.h"
#include "swf/runtime/ButtonInstance.h"
#include "swf/runtime/TimelineInstance.h"

namespace quelvo::swf {

void instantiate(DisplayObject& object, PlayContext& context, int nesting, TimelineInstance* parent,
                 const Timeline* timeline) {
  const CharacterKind kind = context.library.kind(object.character);
  if (!timeline && kind != CharacterKind::Sprite && kind != CharacterKind::Button) return;
  if (nesting + 1 > PlayContext::kMaxNesting ||
      context.spriteInstances >= PlayContext::kMaxSpriteInstances) {
    qCDebug(lcSwf) << "not instantiating character" << object.character << "(limits reached)";
    return;
  }
  const Sprite* sprite = timeline ? nullptr : context.library.sprite(object.character);
  if (sprite) timeline = &sprite->timeline;
  if (timeline) {
    object.sprite = std::make_unique<TimelineInstance>(*timeline, context, nesting + 1, parent);
    if (context.actions) context.actions->clipLoaded(*object.sprite, object);
    object.sprite->showFrame(0);
  } else if (const Button* button = context.library.button(object.character)) {
    object.button = std::make_unique<ButtonInstance>(*button, context, nesting + 1);
  }
}

bool carryOverInstances(DisplayList& old, DisplayList& rebuilt, PlayContext& context, int nesting,
                        TimelineInstance* parent) {
  // A depth a script took keeps what the script put there.
  for (const auto& [depth, object] : old.objects()) {
    if (object.byScript) rebuilt.objects().erase(depth);
  }
  bool changed = rebuilt.objects().size() != old.objects().size();
  for (auto& [depth, object] : rebuilt.objects()) {
    DisplayObject* kept = nullptr;
    const auto [first, last] = old.objects().equal_range(depth);
    for (auto it = first; it != last && !kept; ++it) {
      if (!it->second.byScript && it->second.character == object.character &&
          it->second.origin == object.origin) {
        kept = &it->second;
      }
    }
    if (kept) {
      if (kept->scriptLocked) {
        object.matrix = kept->matrix;
        object.colorTransform = kept->colorTransform;
        object.visible = kept->visible;
        object.name = kept->name;
        object.scriptLocked = true;
      }
      changed = changed || !object.samePlacement(*kept);
      object.sprite = std::move(kept->sprite);
      object.button = std::move(kept->button);
      object.field = std::move(kept->field);
    } else {
      changed = true;
      instantiate(object, context, nesting, parent);
    }
  }
  // What scripts made stays where it is.
  for (auto& [depth, object] : old.objects()) {
    if (object.byScript) rebuilt.objects().emplace(depth, std::move(object));
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
    const TimelineInstance* sprite = object.sprite.get();
    if (sprite && ((sprite->isPlaying() && sprite->frameCount() > 1) || sprite->animating())) {
      return true;
    }
    if (object.button && object.button->animating()) return true;
  }
  return false;
}

}  // namespace quelvo::swf
