#pragma once

#include <QString>
#include <QTransform>
#include <cstdint>
#include <map>
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

// The fonts, static texts and edit text fields of a movie, for one
// playback. Everything is parsed on first use and kept; a definition that
// cannot be read draws nothing. The texts fields show are the playback's
// (see FieldTexts).
class TextLibrary {
 public:
  explicit TextLibrary(std::span<const TagRecord> definitions);

  const Font* font(std::uint16_t id);
  const StaticText* staticText(std::uint16_t id);
  const EditText* editText(std::uint16_t id);
  // The first font of this name and style that has glyphs.
  const Font* fontNamed(const QString& name, bool bold, bool italic);

  // The glyphs of a static text in drawing order.
  const std::vector<PlacedGlyph>& glyphs(std::uint16_t textId);

 private:
  std::map<std::uint16_t, TagRecord> records_;    // fonts, texts and fields
  std::map<std::uint16_t, TagRecord> fontInfos_;  // DefineFontInfo(2) by font
  std::map<std::uint16_t, std::optional<Font>> fonts_;
  std::map<std::uint16_t, std::optional<StaticText>> texts_;
  std::map<std::uint16_t, std::vector<PlacedGlyph>> glyphs_;
  std::map<std::uint16_t, std::optional<EditText>> editTexts_;
  EdgeBudget edgeBudget_;
};

}  // namespace quelvo::swf
