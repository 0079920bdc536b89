#pragma once

#include <QString>
#include <functional>

#include "swf/format/Font.h"
#include "swf/format/Shape.h"
#include "swf/format/Text.h"

namespace quelvo::swf {

// The embedded font of a name and style, if the movie has one with glyphs.
using EmbeddedFonts = std::function<const Font*(const QString& name, bool bold, bool italic)>;

// Lays out the text of an edit text field and outlines it as a shape in the
// field's twips: a layer with the border and background when the field has
// them, then a layer with one solid fill per text colour. The field's font
// draws with its own glyphs when the field uses outlines and the font has
// glyphs, else with a device font of its name. Lines wrap at spaces and
// between CJK characters when the field wraps; what falls outside the
// field's bounds is cut off. Runs of another face or style than the field's
// font use the embedded font of that face and style, or else a device font.
Shape layoutField(const EditText& field, const QString& text, const Font* font,
                  const EmbeddedFonts& embeddedFonts);

}  // namespace quelvo::swf
