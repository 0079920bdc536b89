#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "swf/base/Expected.h"
#include "swf/base/Records.h"
#include "swf/format/TagRecord.h"

namespace quelvo::swf {

struct GlyphEntry {
  std::uint32_t index = 0;   // into the font's glyphs
  std::int32_t advance = 0;  // twips
};

// A run of glyphs. Absent fields keep the values of the records before.
struct TextRecord {
  std::optional<std::uint16_t> font;
  std::optional<Rgba> colour;
  std::optional<std::int16_t> x;  // twips, text space
  std::optional<std::int16_t> y;
  std::optional<std::uint16_t> height;  // twips per EM; comes with the font
  std::vector<GlyphEntry> glyphs;
};

// DefineText or DefineText2 (colours with alpha).
struct StaticText {
  std::uint16_t id = 0;
  Rect bounds;
  Matrix matrix;  // text space to the character's space
  std::vector<TextRecord> records;
};

enum class TextAlign : std::uint8_t { Left, Right, Center, Justify };

// DefineEditText.
struct EditText {
  std::uint16_t id = 0;
  Rect bounds;
  bool wordWrap = false;
  bool multiline = false;
  bool password = false;
  bool readOnly = false;
  bool autoSize = false;
  bool noSelect = false;
  bool border = false;
  bool wasStatic = false;
  bool html = false;
  bool useOutlines = false;
  std::optional<std::uint16_t> font;
  std::string fontClass;
  std::uint16_t height = 240;  // twips per EM
  Rgba colour{0, 0, 0, 255};
  std::optional<std::uint16_t> maxLength;
  TextAlign align = TextAlign::Left;
  std::uint16_t leftMargin = 0;  // twips
  std::uint16_t rightMargin = 0;
  std::uint16_t indent = 0;
  std::int16_t leading = 0;
  QString variableName;
  QString initialText;
};

// Tag codes of the text characters.
bool isStaticTextTag(std::uint16_t tagCode);

// Reads a DefineText or DefineText2 record. Fails when the header does not
// read or a record runs past the end.
Expected<StaticText> readStaticText(const TagRecord& record);

// Reads a DefineEditText record; strings are decoded as decodeMovieText does.
Expected<EditText> readEditText(const TagRecord& record);

}  // namespace quelvo::swf
