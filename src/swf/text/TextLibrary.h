#pragma once

#include <QString>
#include <QTransform>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "swf/format/Font.h"
#include "swf/format/Shape.h"
#include "swf/format/TagRecord.h"
#include "swf/format/Text.h"

namespace quelvo::swf {

// A glyph of a static text where it is drawn: its shape (font units, filled
// black), glyph space to the text character's space, and the colour
// transform that turns black into the record's colour.
struct PlacedGlyph {
  const Shape* shape = nullptr;
  QTransform toCharacter;
  ColorTransform colour;
};

// The text of an edit text field and its laid-out shape: a placed field's
// own, or a field character's.
struct FieldState {
  std::optional<QString> text;   // the field's initial text until set
  std::unique_ptr<Shape> shape;  // laid out from the text when first drawn
  bool bound = false;            // its variable has been read or set once
};

// The fonts, static texts and edit text fields of a movie, for one
// playback. Everything is parsed on first use and kept; a definition that
// cannot be read draws nothing. A field's text and shape are those of the
// state given, or of the character itself when none is.
class TextLibrary {
 public:
  explicit TextLibrary(std::span<const TagRecord> definitions);
  ~TextLibrary();

  const Font* font(std::uint16_t id);
  const StaticText* staticText(std::uint16_t id);
  const EditText* editText(std::uint16_t id);
  // The first font of this name and style that has glyphs.
  const Font* fontNamed(const QString& name, bool bold, bool italic);

  // The glyphs of a static text in drawing order.
  const std::vector<PlacedGlyph>& glyphs(std::uint16_t textId);

  // The field's text as shown and as scripts see it.
  QString fieldText(std::uint16_t id, const FieldState* state = nullptr);
  // Returns whether the text changed.
  bool setFieldText(std::uint16_t id, const QString& text, FieldState* state = nullptr);
  // The field's text laid out as a shape (see layoutField); nullptr when the
  // id is no field. Laid out again after its text changes, as a new transient
  // shape (see Shape::transientKey): the one before is dropped.
  const Shape* fieldShape(std::uint16_t id, FieldState* state = nullptr);

 private:
  struct Field {
    std::optional<EditText> definition;
    FieldState state;
  };

  Field* field(std::uint16_t id);

  std::map<std::uint16_t, TagRecord> records_;    // fonts, texts and fields
  std::map<std::uint16_t, TagRecord> fontInfos_;  // DefineFontInfo(2) by font
  std::map<std::uint16_t, std::optional<Font>> fonts_;
  std::map<std::uint16_t, std::optional<StaticText>> texts_;
  std::map<std::uint16_t, std::vector<PlacedGlyph>> glyphs_;
  std::map<std::uint16_t, Field> fields_;
  EdgeBudget edgeBudget_;
};

}  // namespace quelvo::swf
