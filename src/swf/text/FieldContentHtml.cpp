// A field's text to and from the HTML subset text fields read.
#include <QStringBuilder>

#include "swf/text/FieldContent.h"

namespace quelvo::swf {

namespace {

QString escaped(const QString& text) {
  QString out;
  out.reserve(text.size());
  for (const QChar c : text) {
    if (c == u'<') {
      out += QStringLiteral("&lt;");
    } else if (c == u'>') {
      out += QStringLiteral("&gt;");
    } else if (c == u'&') {
      out += QStringLiteral("&amp;");
    } else if (c == u'"') {
      out += QStringLiteral("&quot;");
    } else {
      out += c;
    }
  }
  return out;
}

QString runHtml(const TextRun& run) {
  const Rgba& c = run.format.colour;
  const QString colour = QStringLiteral("#%1").arg(
      std::uint32_t{c.red} << 16 | std::uint32_t{c.green} << 8 | c.blue, 6, 16, QChar(u'0'));
  QString inner = escaped(run.text);
  if (run.format.underline) inner = QStringLiteral("<U>") % inner % QStringLiteral("</U>");
  if (run.format.italic) inner = QStringLiteral("<I>") % inner % QStringLiteral("</I>");
  if (run.format.bold) inner = QStringLiteral("<B>") % inner % QStringLiteral("</B>");
  return QStringLiteral("<FONT FACE=\"%1\" SIZE=\"%2\" COLOR=\"%3\">")
             .arg(escaped(run.format.face))
             .arg(run.format.size / 20)
             .arg(colour.toUpper()) %
         inner % QStringLiteral("</FONT>");
}

}  // namespace

void FieldContent::setHtml(const QString& html, const FieldFormat& base) {
  const auto paragraphs = htmlTextParagraphs(html.left(kMaxLength), runFormat(base),
                                             base.align.value_or(TextAlign::Left));
  text_.clear();
  spans_.clear();
  for (std::size_t p = 0; p < paragraphs.size(); ++p) {
    const TextParagraph& paragraph = paragraphs[p];
    for (const TextRun& run : paragraph.runs) {
      text_ += run.text;
      spans_.push_back(Span{run.text.size(), fieldFormatOf(run.format, paragraph.align, base)});
    }
    if (p + 1 < paragraphs.size()) {
      text_ += u'\r';
      spans_.push_back(Span{1, fieldFormatOf(paragraph.format, paragraph.align, base)});
    }
  }
  last_ = fieldFormatOf(paragraphs.back().format, paragraphs.back().align, base);
  mergeSpans();
}

QString FieldContent::html() const {
  QString out;
  for (const TextParagraph& paragraph : paragraphs()) {
    out += QStringLiteral("<P ALIGN=\"%1\">").arg(alignName(paragraph.align).toUpper());
    for (const TextRun& run : paragraph.runs) out += runHtml(run);
    out += QStringLiteral("</P>");
  }
  return out;
}

}  // namespace quelvo::swf
