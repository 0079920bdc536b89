// Input text fields: focus by click or script, and typing into the focused field.
#include "swf/geometry/Transforms.h"
#include "swf/script/ScriptHost.h"
#include "swf/text/RestrictRule.h"
#include "swf/text/TextLibrary.h"

namespace quelvo::swf {

using avm1::ClipHandle;
using avm1::kNoClip;

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

ClipHandle ScriptHost::focusedField() { return fieldPlace(focus_) ? focus_ : kNoClip; }

bool ScriptHost::setFocusedField(ClipHandle handle) {
  const auto place = fieldPlace(handle);
  const ClipHandle next = place ? handle : kNoClip;
  const ClipHandle previous = focusedField();
  if (next == previous) return place.has_value();
  focus_ = next;
  // A field is no clip of the timelines: its entries run without one.
  if (previous != kNoClip) {
    queue_.push_back(Pending{previous, {}, 0, QStringLiteral("onKillFocus"), true, false});
  }
  if (place) {
    place->field->caret = place->field->content.text().size();
    queue_.push_back(Pending{next, {}, 0, QStringLiteral("onSetFocus"), true, false});
  }
  return place.has_value();
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
  QString typed;
  switch (keyCode) {
    case kBackspace:
      if (caret == 0) return false;
      content.replace(caret - 1, caret, QString(), field.newFormat);
      --caret;
      break;
    case kDelete:
      if (caret == length) return false;
      content.replace(caret, caret + 1, QString(), field.newFormat);
      break;
    case kLeft:
    case kRight:
    case kHome:
    case kEnd:
      caret = keyCode == kHome ? 0
              : keyCode == kEnd
                  ? length
                  : std::clamp<qsizetype>(caret + (keyCode == kLeft ? -1 : 1), 0, length);
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
    if (length >= (limit ? qsizetype{*limit} : FieldContent::kMaxLength)) return false;
    content.replace(caret, caret, typed, field.newFormat);
    ++caret;
  }
  FieldTexts::changed(*place->state);
  fieldTextChanged(*place);
  queue_.push_back(Pending{focus_, {}, 0, QStringLiteral("onChanged"), true, false});
  return true;
}

}  // namespace quelvo::swf
