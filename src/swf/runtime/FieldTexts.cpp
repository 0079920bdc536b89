#include "swf/runtime/FieldTexts.h"

#include "swf/text/FieldLayout.h"
#include "swf/text/TextLibrary.h"

namespace quelvo::swf {

FieldTexts::FieldTexts(TextLibrary& texts) : texts_(texts) {}

FieldTexts::~FieldTexts() = default;

FieldState& FieldTexts::stateOf(std::uint16_t id, FieldState* state) {
  return state ? *state : characterStates_[id];
}

QString FieldTexts::text(std::uint16_t id, const FieldState* state) {
  const EditText* definition = texts_.editText(id);
  if (!definition) return {};
  const FieldState& source = state ? *state : characterStates_[id];
  return source.text.value_or(definition->initialText);
}

bool FieldTexts::setText(std::uint16_t id, const QString& text, FieldState* state) {
  if (!texts_.editText(id) || this->text(id, state) == text) return false;
  FieldState& target = stateOf(id, state);
  target.text = text;
  target.shape.reset();
  return true;
}

const Shape* FieldTexts::shape(std::uint16_t id, FieldState* state) {
  const EditText* definition = texts_.editText(id);
  if (!definition) return nullptr;
  FieldState& target = stateOf(id, state);
  if (!target.shape) {
    const Font* fieldFont = definition->font ? texts_.font(*definition->font) : nullptr;
    const auto embedded = [this](const QString& name, bool bold, bool italic) {
      return texts_.fontNamed(name, bold, italic);
    };
    target.shape =
        std::make_unique<Shape>(layoutField(*definition, text(id, &target), fieldFont, embedded));
    target.shape->transientKey = newTransientKey();
  }
  return target.shape.get();
}

}  // namespace quelvo::swf
