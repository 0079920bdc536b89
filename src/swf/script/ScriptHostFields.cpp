// Text fields as scripts reach them: binding to variables, lookup by name,
// fields made and removed by scripts, and their geometry.
#include <cmath>

#include "swf/script/ScriptHost.h"
#include "swf/text/TextLibrary.h"

namespace quelvo::swf {

using avm1::ClipHandle;
using avm1::ClipProperty;
using avm1::kNoClip;
using avm1::Value;

namespace {

constexpr double kTwipsPerPixel = 20.0;
// A field made by a script is at most this many pixels wide or high.
constexpr double kMaxFieldPixels = 100000;

std::int32_t twips(double pixels) {
  if (!std::isfinite(pixels)) return 0;
  return static_cast<std::int32_t>(
      std::lround(std::clamp(pixels, 0.0, kMaxFieldPixels) * kTwipsPerPixel));
}

}  // namespace

bool ScriptHost::updateFields() {
  for (const std::uint64_t gone : context_.fields.takeGone()) vm_->forgetClip(gone);
  return updateFields(root_, 0);
}

bool ScriptHost::updateFields(TimelineInstance& timeline, int nesting) {
  if (nesting > PlayContext::kMaxNesting) return false;
  TextLibrary& texts = context_.library.text();
  bool changed = false;
  for (auto& [depth, object] : timeline.displayList().objects()) {
    if (object.sprite) changed = updateFields(*object.sprite, nesting + 1) || changed;
    const EditText* definition = object.field && object.field->scripted
                                     ? &object.field->scripted->definition
                                     : texts.editText(object.character);
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

std::optional<ScriptHost::FieldPlace> ScriptHost::fieldPlace(ClipHandle handle) const {
  FieldState* state = context_.fields.byHandle(handle);
  if (!state || !state->scripted) return std::nullopt;
  TimelineInstance* parent = clip(state->scripted->holder);
  if (!parent) return std::nullopt;
  for (auto& [depth, object] : parent->displayList().objects()) {
    if (object.field.get() == state)
      return FieldPlace{parent, &object, state, state->scripted.get()};
  }
  return std::nullopt;
}

ClipHandle ScriptHost::reachField(TimelineInstance& parent, DisplayObject& object) {
  if (!object.field) object.field = std::make_unique<FieldState>();
  FieldState& state = *object.field;
  if (state.id == 0) {
    ScriptedField& field =
        context_.fields.adopt(object.character, state, context_.nextInstanceId++);
    field.holder = parent.id();
  }
  return state.id;
}

ClipHandle ScriptHost::childField(TimelineInstance& parent, const QString& name,
                                  bool caseSensitive) {
  const auto sensitivity = caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
  TextLibrary& texts = context_.library.text();
  for (auto& [depth, object] : parent.displayList().objects()) {
    const bool isField =
        (object.field && object.field->scripted) || texts.editText(object.character);
    if (isField && !object.name.empty() && decode(object.name).compare(name, sensitivity) == 0) {
      return reachField(parent, object);
    }
  }
  return kNoClip;
}

bool ScriptHost::isTextField(ClipHandle handle) {
  return context_.fields.byHandle(handle) != nullptr;
}

ClipHandle ScriptHost::createTextField(ClipHandle parent, const QString& name, int depth,
                                       const std::array<double, 4>& box) {
  TimelineInstance* instance = clip(parent);
  const auto at = listDepth(depth);
  if (!instance || !at) return kNoClip;
  DisplayObject object;
  object.name = name.toStdString();
  object.matrix.translateX = std::isfinite(box[0]) ? box[0] * kTwipsPerPixel : 0;
  object.matrix.translateY = std::isfinite(box[1]) ? box[1] * kTwipsPerPixel : 0;
  object.byScript = true;
  object.scriptLocked = true;
  auto& objects = instance->displayList().objects();
  objects.erase(*at);  // a field made at a taken depth replaces what is there
  DisplayObject& added = objects.emplace(*at, std::move(object))->second;
  const ClipHandle handle = reachField(*instance, added);
  Rect& bounds = added.field->scripted->definition.bounds;
  bounds = Rect{0, twips(box[2]), 0, twips(box[3])};
  return handle;
}

void ScriptHost::removeTextField(ClipHandle handle) {
  const auto field = fieldPlace(handle);
  if (!field || !field->object->byScript) return;
  auto& objects = field->parent->displayList().objects();
  for (auto it = objects.begin(); it != objects.end(); ++it) {
    if (&it->second == field->object) {
      objects.erase(it);
      return;
    }
  }
}

// A field's _width and _height resize it rather than scale it.
void ScriptHost::setFieldSize(ClipHandle handle, ClipProperty property, double pixels) {
  const auto field = fieldPlace(handle);
  if (!field) return;
  Rect& bounds = field->field->definition.bounds;
  if (property == ClipProperty::Width) {
    bounds.xMax = bounds.xMin + twips(pixels);
  } else {
    bounds.yMax = bounds.yMin + twips(pixels);
  }
  FieldTexts::changed(*field->state);
}

void ScriptHost::fieldTextChanged(const FieldPlace& place) {
  const QString& variable = place.field->definition.variableName;
  if (!variable.isEmpty()) {
    vm_->setVariable(place.parent->id(), variable,
                     Value::string(context_.fields.text(place.object->character, place.state)));
  }
}

}  // namespace quelvo::swf
