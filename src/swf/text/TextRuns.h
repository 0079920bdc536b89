#pragma once

#include <QString>
#include <vector>

#include "swf/base/Records.h"
#include "swf/format/Text.h"

namespace quelvo::swf {

// How a run of an edit text's text is drawn.
struct TextFormat {
  QString face;
  double size = 240;  // twips per EM
  Rgba colour{0, 0, 0, 255};
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool kerning = false;  // apply the embedded font's kerning pairs

  bool operator==(const TextFormat&) const = default;
};

struct TextRun {
  QString text;
  TextFormat format;
};

// A paragraph's room: margins and first-line indent (twips) and the
// space added below each of its lines.
struct ParagraphSpacing {
  double leftMargin = 0;
  double rightMargin = 0;
  double indent = 0;
  double leading = 0;
};

// A line of text ended by a paragraph end or a line break.
struct TextParagraph {
  TextAlign align = TextAlign::Left;
  ParagraphSpacing spacing;
  std::vector<TextRun> runs;
  TextFormat format;  // sizes the line when it has no runs
};

// Plain text: each CR, LF or CR LF ends a paragraph.
std::vector<TextParagraph> plainTextParagraphs(const QString& text, const TextFormat& format,
                                               TextAlign align);

// The HTML subset of edit texts: <p align=left|right|center|justify>, <br>,
// <font face= size= color= kerning=>, <b>, <i>, <u> and the entities &lt; &gt; &amp;
// &quot; &apos; &nbsp; and &#N;. Other tags are ignored; a tag that is never
// closed ends with the text.
std::vector<TextParagraph> htmlTextParagraphs(const QString& html, const TextFormat& format,
                                              TextAlign align);

}  // namespace quelvo::swf
