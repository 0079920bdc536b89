#include "swf/script/ScriptHost.h"
#include "swf/text/TextLibrary.h"

namespace quelvo::swf {

bool ScriptHost::updateFields() { return updateFields(root_, 0); }

bool ScriptHost::updateFields(TimelineInstance& timeline, int nesting) {
  if (nesting > PlayContext::kMaxNesting) return false;
  TextLibrary& texts = context_.library.text();
  bool changed = false;
  for (auto& [depth, object] : timeline.displayList().objects()) {
    if (object.sprite) changed = updateFields(*object.sprite, nesting + 1) || changed;
    const EditText* definition = texts.editText(object.character);
    if (!definition || definition->variableName.isEmpty()) continue;
    if (!object.field) object.field = std::make_unique<FieldState>();
    // The variable is named from the timeline that holds the field.
    const avm1::Value value = vm_->getVariable(timeline.id(), definition->variableName);
    if (!value.isUndefined()) {
      changed =
          context_.fields.setText(object.character, vm_->toString(value), object.field.get()) ||
          changed;
    } else if (!object.field->bound) {
      vm_->setVariable(
          timeline.id(), definition->variableName,
          avm1::Value::string(context_.fields.text(object.character, object.field.get())));
    }
    object.field->bound = true;
  }
  return changed;
}

}  // namespace quelvo::swf
