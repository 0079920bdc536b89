// Input text fields: focus by click or script (which can focus a button
// too), the focused field's selection, typing into it, and the handlers and
// listeners these call.
#include "swf/geometry/Transforms.h"
#include "swf/script/ScriptHost.h"
#include "swf/text/RestrictRule.h"
#include "swf/text/TextLibrary.h"

namespace quelvo::swf {

using avm1::ClipHandle;
using avm1::kNoClip;
using avm1::Value;

namespace {

// The player's key codes of the keys that edit.
constexpr int kBackspace = 8;
constexpr int kEnter = 13;
constexpr int kEnd = 35;
constexpr int kHome = 36;
constexpr int kLeft = 37;
constexpr int kRight = 39;
constexpr int kDelete = 46;

}  // namespace

ClipHandle ScriptHost::focusedField() {
  return fieldPlace(focus_) || buttonPlace(focus_) ? focus_ : kNoClip;
}

bool ScriptHost::setFocusedField(ClipHandle handle) {
  const auto place = fieldPlace(handle);
  const bool focusable = place || buttonPlace(handle);
  const ClipHandle next = focusable ? handle : kNoClip;
  const ClipHandle previous = focusedField();
  if (next == previous) return focusable;
  focus_ = next;
  if (place) selectionAnchor_ = place->field->caret = place->field->content.text().size();
  // The fields hear it first (onKillFocus(new), onSetFocus(old)), then
  // Selection's listeners (onSetFocus(old, new)).
  Pending entry;
  entry.call = [this, previous, next] {
    const Value before = objectOf(previous);
    const Value after = objectOf(next);
    if (!before.isNull()) vm_->callClipMethod(previous, QStringLiteral("onKillFocus"), {&after, 1});
    if (!after.isNull()) vm_->callClipMethod(next, QStringLiteral("onSetFocus"), {&before, 1});
    const Value both[] = {before, after};
    vm_->broadcast(QStringLiteral("Selection"), QStringLiteral("onSetFocus"), both);
  };
  queue_.push_back(std::move(entry));
  return focusable;
}

std::optional<avm1::FieldSelection> ScriptHost::selection() {
  const auto place = fieldPlace(focus_);
  if (!place) return std::nullopt;
  const qsizetype length = place->field->content.text().size();
  const auto caret = static_cast<int>(std::clamp<qsizetype>(place->field->caret, 0, length));
  const auto anchor = static_cast<int>(std::clamp<qsizetype>(selectionAnchor_, 0, length));
  return avm1::FieldSelection{std::min(anchor, caret), std::max(anchor, caret), caret};
}

void ScriptHost::setSelection(int begin, int end) {
  const auto place = fieldPlace(focus_);
  if (!place) return;
  const qsizetype length = place->field->content.text().size();
  selectionAnchor_ = std::clamp<qsizetype>(begin, 0, length);
  place->field->caret = std::clamp<qsizetype>(end, 0, length);
}

Value ScriptHost::objectOf(ClipHandle handle) {
  if (handle == kNoClip || (!clip(handle) && !displayEntry(handle))) return Value::null();
  return Value::object(vm_->clipObject(handle));
}

void ScriptHost::queueFieldEvent(ClipHandle field, const QString& event) {
  Pending entry;
  entry.call = [this, field, event] {
    const Value self = objectOf(field);
    if (self.isNull()) return;
    vm_->callClipMethod(field, event, {&self, 1});
    vm_->broadcastFromClip(field, event, {&self, 1});
  };
  queue_.push_back(std::move(entry));
}

ClipHandle ScriptHost::inputFieldAt(TimelineInstance& timeline, const QTransform& toRoot,
                                    QPointF point, int nesting) {
  if (nesting > PlayContext::kMaxNesting) return kNoClip;
  TextLibrary& texts = context_.library.text();
  auto& objects = timeline.displayList().objects();
  for (auto it = objects.rbegin(); it != objects.rend(); ++it) {
    DisplayObject& object = it->second;
    if (!object.visible) continue;
    const QTransform transform = toQTransform(object.matrix) * toRoot;
    if (object.sprite) {
      const ClipHandle inner = inputFieldAt(*object.sprite, transform, point, nesting + 1);
      if (inner != kNoClip) return inner;
      continue;
    }
    const EditText* definition = object.field && object.field->scripted
                                     ? &object.field->scripted->definition
                                     : texts.editText(object.character);
    if (!definition || definition->readOnly) continue;
    const Rect& r = definition->bounds;
    bool invertible = false;
    const QPointF local = transform.inverted(&invertible).map(point);
    if (invertible && QRectF(QPointF(r.xMin, r.yMin), QPointF(r.xMax, r.yMax)).contains(local)) {
      return reachField(timeline, object);
    }
  }
  return kNoClip;
}

bool ScriptHost::focusFieldAtPointer() {
  const ClipHandle before = focusedField();
  setFocusedField(inputFieldAt(root_, QTransform(), QPointF(pointerX_, pointerY_), 0));
  return focusedField() != before;
}

bool ScriptHost::typeIntoFocus(int keyCode, int character) {
  const auto place = fieldPlace(focus_);
  if (!place || place->field->definition.readOnly) return false;
  ScriptedField& field = *place->field;
  FieldContent& content = field.content;
  const qsizetype length = content.text().size();
  qsizetype& caret = field.caret;
  caret = std::clamp<qsizetype>(caret, 0, length);
  selectionAnchor_ = std::clamp<qsizetype>(selectionAnchor_, 0, length);
  // The selected text (none when anchor and caret meet) is what editing replaces.
  qsizetype from = std::min(selectionAnchor_, caret);
  qsizetype to = std::max(selectionAnchor_, caret);
  QString typed;
  switch (keyCode) {
    case kBackspace:
    case kDelete:
      if (from != to) break;
      if (keyCode == kBackspace) {
        if (caret == 0) return false;
        --from;
      } else {
        if (caret == length) return false;
        ++to;
      }
      break;
    case kLeft:
    case kRight:
    case kHome:
    case kEnd:
      caret = keyCode == kHome ? 0
              : keyCode == kEnd
                  ? length
                  : std::clamp<qsizetype>(caret + (keyCode == kLeft ? -1 : 1), 0, length);
      selectionAnchor_ = caret;
      return false;
    case kEnter:
      if (!field.definition.multiline) return false;
      typed = QStringLiteral("\r");
      break;
    default: {
      if (character < 0x20 || character > 0xFFFF || character == 0x7F) return false;
      std::optional<QChar> c = QChar(static_cast<char16_t>(character));
      if (field.restrict) c = restrictedCharacter(*field.restrict, *c);
      if (!c) return false;
      typed = *c;
    }
  }
  if (!typed.isEmpty()) {
    const auto limit = field.definition.maxLength;
    if (length - (to - from) >= (limit ? qsizetype{*limit} : FieldContent::kMaxLength))
      return false;
  }
  content.replace(from, to, typed, field.newFormat);
  selectionAnchor_ = caret = from + typed.size();
  FieldTexts::changed(*place->state);
  fieldTextChanged(*place);
  queueFieldEvent(focus_, QStringLiteral("onChanged"));
  return true;
}

}  // namespace quelvo::swf
