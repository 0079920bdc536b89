// Filters, blend modes and cacheAsBitmap as scripts set them on clips, text
// fields and buttons: kept on the display list entry, where the renderer reads them.
#include "swf/script/ScriptHost.h"

namespace quelvo::swf {

using avm1::ClipHandle;

DisplayObject* ScriptHost::displayEntry(ClipHandle handle) const {
  if (DisplayObject* object = placed(handle)) return object;
  if (const auto field = fieldPlace(handle)) return field->object;
  const auto button = buttonPlace(handle);
  return button ? button->object : nullptr;
}

std::optional<avm1::DisplayEffects> ScriptHost::displayEffects(ClipHandle handle) {
  const DisplayObject* object = displayEntry(handle);
  if (!object) return std::nullopt;
  return avm1::DisplayEffects{object->filters, effects::blendModeFromCode(object->blendMode),
                              object->cacheAsBitmap};
}

void ScriptHost::setDisplayEffects(ClipHandle handle, const avm1::DisplayEffects& effects) {
  DisplayObject* object = displayEntry(handle);
  if (!object) return;
  object->filters = effects.filters;
  object->blendMode = static_cast<std::uint8_t>(effects.blendMode);
  object->cacheAsBitmap = effects.cacheAsBitmap;
}

}  // namespace quelvo::swf
