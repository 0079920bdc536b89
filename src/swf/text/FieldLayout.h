#pragma once

#include <QString>
#include <functional>
#include <vector>

#include "swf/base/Records.h"
#include "swf/format/Font.h"
#include "swf/format/Shape.h"
#include "swf/format/Text.h"
#include "swf/text/TextRuns.h"

namespace quelvo::swf {

// The embedded font of a name and style, if the movie has one with glyphs.
using EmbeddedFonts = std::function<const Font*(const QString& name, bool bold, bool italic)>;

// What a field draws around its text, and the first line it shows (0-based).
struct FieldFrame {
  bool background = false;
  Rgba backgroundColour{255, 255, 255, 255};
  bool border = false;
  Rgba borderColour{0, 0, 0, 255};
  int scroll = 0;
};

// The extent of a field's laid-out text.
struct FieldMetrics {
  double textWidth = 0;   // the widest line, twips
  double textHeight = 0;  // all lines, twips
  double ascent = 0;      // of the first line, twips
  double descent = 0;
  int lines = 0;
  int maxScroll = 0;   // the last first line that still fills the field, 0-based
  int bottomLine = 0;  // the last line shown at the frame's scroll, 0-based
};

struct LaidOutField {
  Shape shape;
  FieldMetrics metrics;
};

// Lays out paragraphs in an edit text field and outlines them as a shape in
// the field's twips: a layer with the border and background when the field
// has them, then a layer with one solid fill per text colour. The field's
// font draws with its own glyphs when the field uses outlines and the font
// has glyphs, else with a device font of its name. Lines wrap at spaces and
// between CJK characters when the field wraps; what falls outside the
// field's bounds is cut off. Runs of another face or style than the field's
// font use the embedded font of that face and style, or else a device font.
LaidOutField layoutParagraphs(const EditText& field, const std::vector<TextParagraph>& paragraphs,
                              const FieldFrame& frame, const Font* font,
                              const EmbeddedFonts& embeddedFonts);

// The field's text (HTML when the field is) laid out with the field's own
// margins and border: a white background in a black frame.
Shape layoutField(const EditText& field, const QString& text, const Font* font,
                  const EmbeddedFonts& embeddedFonts);

// The format a field's text starts in: its font's name (or _serif), size
// and colour, and the embedded font's style for plain text.
TextFormat fieldBaseFormat(const EditText& field, const Font* font);

}  // namespace quelvo::swf
