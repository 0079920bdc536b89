#pragma once

#include <QString>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>

#include "swf/format/Shape.h"

namespace quelvo::swf {

class TextLibrary;

// The text of an edit text field and its laid-out shape: a placed field's
// own, or a field character's.
struct FieldState {
  std::optional<QString> text;   // the field's initial text until set
  std::unique_ptr<Shape> shape;  // laid out from the text when first drawn
  bool bound = false;            // its variable has been read or set once
};

// The current texts of the edit text fields of one playback. A field's text
// and shape are those of the state given, or of the field character's own
// state when none is.
class FieldTexts {
 public:
  explicit FieldTexts(TextLibrary& texts);
  ~FieldTexts();
  FieldTexts(const FieldTexts&) = delete;
  FieldTexts& operator=(const FieldTexts&) = delete;

  // The field's text as shown and as scripts see it; "" when the id is no field.
  QString text(std::uint16_t id, const FieldState* state = nullptr);
  // Returns whether the text changed.
  bool setText(std::uint16_t id, const QString& text, FieldState* state = nullptr);
  // The field's text laid out as a shape (see layoutField); nullptr when the
  // id is no field. Laid out again after its text changes, as a new transient
  // shape (see Shape::transientKey): the one before is dropped.
  const Shape* shape(std::uint16_t id, FieldState* state = nullptr);

 private:
  FieldState& stateOf(std::uint16_t id, FieldState* state);

  TextLibrary& texts_;
  std::map<std::uint16_t, FieldState> characterStates_;
};

}  // namespace quelvo::swf
