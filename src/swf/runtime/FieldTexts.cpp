#include "swf/runtime/FieldTexts.h"

#include <algorithm>

#include "swf/model/Library.h"
#include "swf/runtime/DisplayList.h"
#include "swf/text/TextLibrary.h"

namespace quelvo::swf {

namespace {

constexpr double kGutterTwips = 40;

// A field made by a script: 12-pixel black Times text, no border.
EditText scriptFieldDefinition() {
  EditText field;
  field.height = 240;
  field.readOnly = true;
  return field;
}

// Fits the bounds around the text, anchored as autoSize says; a wrapping
// field keeps its width.
bool fitBounds(ScriptedField& field, const FieldMetrics& metrics) {
  Rect& bounds = field.definition.bounds;
  const Rect before = bounds;
  if (!field.definition.wordWrap) {
    const auto width = static_cast<std::int32_t>(std::ceil(metrics.textWidth + 2 * kGutterTwips));
    const std::int32_t spare = (bounds.xMax - bounds.xMin) - width;
    switch (field.autoSize) {
      case AutoSize::None:
      case AutoSize::Left:
        break;
      case AutoSize::Center:
        bounds.xMin += spare / 2;
        break;
      case AutoSize::Right:
        bounds.xMin += spare;
        break;
    }
    bounds.xMax = bounds.xMin + width;
  }
  bounds.yMax =
      bounds.yMin + static_cast<std::int32_t>(std::ceil(metrics.textHeight + 2 * kGutterTwips));
  return !(bounds == before);
}

}  // namespace

FieldState::~FieldState() {
  if (registry && id != 0) {
    registry->handles_.erase(id);
    registry->gone_.push_back(id);
  }
}

FieldTexts::FieldTexts(TextLibrary& texts) : texts_(texts) {}

FieldTexts::~FieldTexts() {
  for (auto& [handle, state] : handles_) state->registry = nullptr;
}

FieldState& FieldTexts::stateOf(std::uint16_t id, FieldState* state) {
  return state ? *state : characterStates_[id];
}

QString FieldTexts::text(std::uint16_t id, const FieldState* state) {
  if (state && state->scripted) return state->scripted->content.text();
  const EditText* definition = texts_.editText(id);
  if (!definition) return {};
  const FieldState& source = state ? *state : characterStates_[id];
  return source.text.value_or(definition->initialText);
}

bool FieldTexts::setText(std::uint16_t id, const QString& text, FieldState* state) {
  if (this->text(id, state) == text) return false;
  if (state && state->scripted) {
    ScriptedField& field = *state->scripted;
    if (field.definition.html) {
      field.content.setHtml(text, field.newFormat);
    } else {
      field.content.setText(text, field.newFormat);
    }
    changed(*state);
    return true;
  }
  if (!texts_.editText(id)) return false;
  FieldState& target = stateOf(id, state);
  target.text = text;
  target.shape.reset();
  return true;
}

const Font* FieldTexts::fontOf(const EditText& definition) {
  return definition.font ? texts_.font(*definition.font) : nullptr;
}

const Shape* FieldTexts::shape(std::uint16_t id, FieldState* state) {
  if (state && state->scripted) {
    if (!state->shape) layScripted(*state);
    return state->shape.get();
  }
  const EditText* definition = texts_.editText(id);
  if (!definition) return nullptr;
  FieldState& target = stateOf(id, state);
  if (!target.shape) {
    const auto embedded = [this](const QString& name, bool bold, bool italic) {
      return texts_.fontNamed(name, bold, italic);
    };
    target.shape = std::make_unique<Shape>(
        layoutField(*definition, text(id, &target), fontOf(*definition), embedded));
    target.shape->transientKey = newTransientKey();
  }
  return target.shape.get();
}

std::size_t FieldTexts::textLayer(std::uint16_t id, const FieldState* state) const {
  if (state && state->scripted) {
    const FieldFrame& frame = state->scripted->frame;
    return frame.border || frame.background ? 1 : 0;
  }
  const EditText* definition = texts_.editText(id);
  return definition && definition->border ? 1 : 0;
}

LaidOutField FieldTexts::lay(const ScriptedField& field) {
  const auto embedded = [this](const QString& name, bool bold, bool italic) {
    return texts_.fontNamed(name, bold, italic);
  };
  return layoutParagraphs(field.definition, field.content.paragraphs(), field.frame,
                          fontOf(field.definition), embedded);
}

void FieldTexts::layScripted(FieldState& state) {
  ScriptedField& field = *state.scripted;
  LaidOutField laid = lay(field);
  if (field.autoSize != AutoSize::None && fitBounds(field, laid.metrics)) laid = lay(field);
  field.metrics = laid.metrics;
  state.shape = std::make_unique<Shape>(std::move(laid.shape));
  state.shape->transientKey = newTransientKey();
}

const FieldMetrics& FieldTexts::metrics(FieldState& state) {
  if (!state.shape) layScripted(state);
  return state.scripted->metrics;
}

ScriptedField& FieldTexts::adopt(std::uint16_t id, FieldState& state, std::uint64_t handle) {
  if (!state.scripted) {
    auto field = std::make_unique<ScriptedField>();
    const EditText* definition = texts_.editText(id);
    field->definition = definition ? *definition : scriptFieldDefinition();
    const EditText& own = field->definition;
    field->newFormat = definitionFormat(own, fieldBaseFormat(own, fontOf(own)).face);
    field->frame.border = field->frame.background = own.border;
    const QString initial = text(id, &state);
    if (own.html) {
      field->content.setHtml(initial, field->newFormat);
    } else {
      field->content.setText(initial, field->newFormat);
    }
    state.scripted = std::move(field);
    state.shape.reset();
  }
  if (state.id == 0 && handle != 0) {
    state.id = handle;
    state.registry = this;
    handles_[handle] = &state;
  }
  return *state.scripted;
}

FieldState* FieldTexts::byHandle(std::uint64_t handle) const {
  const auto found = handles_.find(handle);
  return found == handles_.end() ? nullptr : found->second;
}

CharacterKind shownKind(Library& library, const DisplayObject& object) {
  if (object.field && object.field->scripted) return CharacterKind::EditText;
  return library.kind(object.character);
}

std::vector<std::uint64_t> FieldTexts::takeGone() { return std::exchange(gone_, {}); }

}  // namespace quelvo::swf
