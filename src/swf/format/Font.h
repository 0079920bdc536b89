#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

#include "swf/base/Expected.h"
#include "swf/base/Records.h"
#include "swf/format/Shape.h"
#include "swf/format/TagRecord.h"

namespace quelvo::swf {

// One glyph of an embedded font. The shape is in font units (see
// Font::emSquare) with its origin on the baseline.
struct FontGlyph {
  Shape shape;
  std::uint16_t code = 0;  // character code from the code table; 0 when there is none
  double advance = 0;      // font units; 0 without layout
  std::optional<Rect> bounds;
};

struct KerningPair {
  std::uint16_t left = 0;
  std::uint16_t right = 0;
  std::int16_t adjustment = 0;  // font units
};

struct FontLayout {
  double ascent = 0;  // font units
  double descent = 0;
  double leading = 0;
  std::vector<KerningPair> kerning;
};

// DefineFont, DefineFont2 or DefineFont3, with what a DefineFontInfo adds
// to a DefineFont.
struct Font {
  std::uint16_t id = 0;
  int version = 1;  // 1: DefineFont, 2: DefineFont2, 3: DefineFont3
  QString name;
  bool bold = false;
  bool italic = false;
  bool smallText = false;
  bool shiftJis = false;
  bool ansi = false;
  bool wideCodes = false;
  std::uint8_t languageCode = 0;
  std::vector<FontGlyph> glyphs;
  std::optional<FontLayout> layout;

  // Font units per EM: DefineFont3 glyphs are drawn at 20 times the size.
  double emSquare() const { return version == 3 ? 1024.0 * 20 : 1024.0; }
};

// Font version of a DefineFont tag code (1-3), 0 for any other code.
int fontVersion(std::uint16_t tagCode);

// Reads a DefineFont, DefineFont2 or DefineFont3 record. Names are decoded
// as decodeMovieText does. Fails when the header, the offset
// table or the counts do not fit the record; a damaged glyph shape ends
// that glyph where the damage is.
Expected<Font> readFont(const TagRecord& record, EdgeBudget& budget);

// Adds the name, style flags and code table of a DefineFontInfo or
// DefineFontInfo2 record to a DefineFont.
Expected<bool> applyFontInfo(Font& font, const TagRecord& record);

// Text of a movie's strings: UTF-8 when the bytes are valid UTF-8 (always
// from version 6 on, and ASCII before), else the Chinese system code page
// (GB18030), which older movies use and Chinese tools wrote into newer
// movies too.
QString decodeMovieText(const std::string& bytes);

}  // namespace quelvo::swf
