#pragma once

#include <QString>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "swf/format/Shape.h"
#include "swf/format/Text.h"
#include "swf/text/FieldContent.h"
#include "swf/text/FieldLayout.h"

namespace quelvo::swf {

class TextLibrary;
class FieldTexts;
class Library;
struct DisplayObject;
enum class CharacterKind;

// How a field scripts size follows its text: not at all, or growing from
// its left edge, its centre or its right edge.
enum class AutoSize : std::uint8_t { None, Left, Center, Right };

// A field as scripts reach it: its own copy of the definition, its
// formatted text and what else scripts can set.
struct ScriptedField {
  std::uint64_t holder = 0;  // the id of the timeline whose list holds the field
  EditText definition;
  FieldContent content;
  FieldFormat newFormat;  // what new text takes (setNewTextFormat)
  FieldFrame frame;
  AutoSize autoSize = AutoSize::None;
  std::optional<QString> restrict;  // what typing may enter (see restrictedCharacter)
  qsizetype caret = 0;              // where typing goes
  FieldMetrics metrics;             // of the last layout
  // The clip this field masks (setMask), 0 for none: a mask is not drawn.
  std::uint64_t masks = 0;
};

// The text of an edit text field and its laid-out shape: a placed field's
// own, or a field character's.
struct FieldState {
  FieldState() = default;
  FieldState(const FieldState&) = delete;
  FieldState& operator=(const FieldState&) = delete;
  ~FieldState();

  std::optional<QString> text;   // the field's initial text until set
  std::unique_ptr<Shape> shape;  // laid out from the text when first drawn
  bool bound = false;            // its variable has been read or set once
  // Once scripts reach the field: its handle and what they can change.
  std::uint64_t id = 0;
  std::unique_ptr<ScriptedField> scripted;
  FieldTexts* registry = nullptr;  // where the handle is known
};

// The current texts of the edit text fields of one playback. A field's text
// and shape are those of the state given, or of the field character's own
// state when none is. Fields scripts reach are known by handle until their
// state goes.
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
  // The field's text laid out as a shape (see layoutParagraphs); nullptr
  // when the id is no field and the state is not scripted. Laid out again
  // after its text changes, as a new transient shape (see
  // Shape::transientKey): the one before is dropped.
  const Shape* shape(std::uint16_t id, FieldState* state = nullptr);

  // The first layer of the field's shape that holds text, after the layer
  // of its border and background when it has one.
  std::size_t textLayer(std::uint16_t id, const FieldState* state = nullptr) const;

  // Makes the state scripted (from the character's definition, or a
  // default one for character 0) and known under handle.
  ScriptedField& adopt(std::uint16_t id, FieldState& state, std::uint64_t handle);
  FieldState* byHandle(std::uint64_t handle) const;
  // The handles of states gone since the last call.
  std::vector<std::uint64_t> takeGone();
  // Lays out a scripted state again when next drawn or measured.
  static void changed(FieldState& state) { state.shape.reset(); }
  // The scripted state's layout extent, laying it out when needed.
  const FieldMetrics& metrics(FieldState& state);

 private:
  friend struct FieldState;
  FieldState& stateOf(std::uint16_t id, FieldState* state);
  const Font* fontOf(const EditText& definition);
  LaidOutField lay(const ScriptedField& field);
  void layScripted(FieldState& state);

  TextLibrary& texts_;
  std::map<std::uint16_t, FieldState> characterStates_;
  std::map<std::uint64_t, FieldState*> handles_;
  std::vector<std::uint64_t> gone_;
};

// What an object shows: its character's kind, or an edit text field for a
// field a script made (it has no character).
CharacterKind shownKind(Library& library, const DisplayObject& object);

}  // namespace quelvo::swf
