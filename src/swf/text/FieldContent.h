#pragma once

#include <QString>
#include <vector>

#include "swf/text/FieldFormat.h"
#include "swf/text/TextRuns.h"

namespace quelvo::swf {

// The text of a field that scripts reach, with the format of every
// character. A CR, LF or CR LF ends a paragraph; the alignment, margins,
// indents and leading of a paragraph are those of its first character, and
// applying them to part of a paragraph applies them to all of it. Positions
// are clamped to the text; the text is cut at kMaxLength characters.
class FieldContent {
 public:
  static constexpr qsizetype kMaxLength = qsizetype{1} << 20;

  const QString& text() const { return text_; }

  // The whole text, in one format.
  void setText(const QString& text, const FieldFormat& format);
  // Replaces [begin, end) with text in format.
  void replace(qsizetype begin, qsizetype end, const QString& text, const FieldFormat& format);
  // The whole text from the HTML subset layoutField reads, styled over base.
  void setHtml(const QString& html, const FieldFormat& base);
  // The text as HTML of that subset, every paragraph and run spelled out.
  QString html() const;

  // The members all characters of [begin, end) share; an empty range gives
  // the format of the character at begin, or of the last one at the end.
  FieldFormat formatOf(qsizetype begin, qsizetype end) const;
  void applyFormat(qsizetype begin, qsizetype end, const FieldFormat& patch);

  // Paragraphs and runs for layoutField.
  std::vector<TextParagraph> paragraphs() const;

 private:
  struct Span {
    qsizetype length = 0;
    FieldFormat format;
  };

  // Splits spans so one starts at position; returns its index.
  std::size_t splitAt(qsizetype position);
  // Joins neighbours of one format and drops empty spans.
  void mergeSpans();
  qsizetype clamp(qsizetype position) const;
  // The start of the paragraph holding position, and the end of the one
  // holding end (its line break included).
  qsizetype paragraphStart(qsizetype position) const;
  qsizetype paragraphEnd(qsizetype position) const;

  QString text_;
  std::vector<Span> spans_;  // their lengths add up to text_'s
  FieldFormat last_;         // the format of an empty text
};

}  // namespace quelvo::swf
