#include "swf/text/TextRuns.h"

#include <algorithm>
#include <map>
#include <optional>

#include "swf/text/FieldFormat.h"

namespace quelvo::swf {

namespace {

struct Tag {
  QString name;  // lower case, without the slash
  bool closing = false;
  std::map<QString, QString> attributes;  // names in lower case
};

// Reads the inside of <...>: a name, then name=value pairs with values in
// double, single or no quotes.
Tag parseTag(QStringView inside) {
  Tag tag;
  qsizetype i = 0;
  const auto skipSpace = [&] {
    while (i < inside.size() && inside[i].isSpace()) ++i;
  };
  const auto word = [&] {
    const qsizetype start = i;
    while (i < inside.size() && !inside[i].isSpace() && inside[i] != '=' && inside[i] != '/') ++i;
    return inside.mid(start, i - start).toString().toLower();
  };
  skipSpace();
  if (i < inside.size() && inside[i] == '/') {
    tag.closing = true;
    ++i;
  }
  tag.name = word();
  while (i < inside.size()) {
    skipSpace();
    if (i < inside.size() && inside[i] == '/') {
      ++i;
      continue;
    }
    const QString name = word();
    if (name.isEmpty()) {
      ++i;
      continue;
    }
    skipSpace();
    QString value;
    if (i < inside.size() && inside[i] == '=') {
      ++i;
      skipSpace();
      if (i < inside.size() && (inside[i] == '"' || inside[i] == '\'')) {
        const QChar quote = inside[i++];
        const qsizetype start = i;
        while (i < inside.size() && inside[i] != quote) ++i;
        value = inside.mid(start, i - start).toString();
        ++i;
      } else {
        const qsizetype start = i;
        while (i < inside.size() && !inside[i].isSpace()) ++i;
        value = inside.mid(start, i - start).toString();
      }
    }
    tag.attributes[name] = value;
  }
  return tag;
}

// The character of an entity (without & and ;), or nothing.
std::optional<QString> entityText(QStringView name) {
  if (name == u"lt") return QStringLiteral("<");
  if (name == u"gt") return QStringLiteral(">");
  if (name == u"amp") return QStringLiteral("&");
  if (name == u"quot") return QStringLiteral("\"");
  if (name == u"apos") return QStringLiteral("'");
  if (name == u"nbsp") return QString(QChar(0xA0));
  if (name.size() > 1 && name[0] == '#') {
    bool ok = false;
    const uint code = name.size() > 2 && (name[1] == 'x' || name[1] == 'X')
                          ? name.mid(2).toUInt(&ok, 16)
                          : name.mid(1).toUInt(&ok, 10);
    if (ok && code > 0 && code <= 0x10FFFF)
      return QString::fromUcs4(reinterpret_cast<const char32_t*>(&code), 1);
  }
  return std::nullopt;
}

// Collects runs into paragraphs, merging neighbours of the same format.
class ParagraphBuilder {
 public:
  ParagraphBuilder(const TextFormat& format, TextAlign align) { start(align, format); }

  void append(const QString& text, const TextFormat& format) {
    if (text.isEmpty()) return;
    auto& runs = paragraphs_.back().runs;
    if (!runs.empty() && runs.back().format == format) {
      runs.back().text += text;
    } else {
      runs.push_back(TextRun{text, format});
    }
  }
  // Plain text with its line ends.
  void appendLines(const QString& text, const TextFormat& format) {
    for (qsizetype i = 0, start = 0; i <= text.size(); ++i) {
      if (i < text.size() && text[i] != '\r' && text[i] != '\n') continue;
      append(text.mid(start, i - start), format);
      if (i == text.size()) break;
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      start = i + 1;
      breakLine(format);
    }
  }
  void start(TextAlign align, const TextFormat& format) {
    paragraphs_.push_back(TextParagraph{align, {}, {}, format});
  }
  void breakLine(const TextFormat& format) { start(paragraphs_.back().align, format); }
  TextParagraph& current() { return paragraphs_.back(); }
  std::vector<TextParagraph> take() { return std::move(paragraphs_); }

 private:
  std::vector<TextParagraph> paragraphs_;
};

TextFormat fontTagFormat(const Tag& tag, TextFormat format) {
  if (auto face = tag.attributes.find("face"); face != tag.attributes.end()) {
    format.face = face->second.section(',', 0, 0).trimmed();
  }
  if (auto size = tag.attributes.find("size"); size != tag.attributes.end()) {
    bool ok = false;
    const double pixels = size->second.trimmed().toDouble(&ok);
    if (ok) {
      const bool relative = size->second.trimmed().startsWith('+') || pixels < 0;
      format.size =
          std::clamp(relative ? format.size + pixels * 20 : pixels * 20, 20.0, 2000.0 * 20);
    }
  }
  if (auto kerning = tag.attributes.find("kerning"); kerning != tag.attributes.end()) {
    format.kerning = kerning->second.trimmed() == u"1";
  }
  if (auto colour = tag.attributes.find("color"); colour != tag.attributes.end()) {
    QString hex = colour->second.trimmed();
    if (hex.startsWith('#')) hex.remove(0, 1);
    bool ok = false;
    const uint value = hex.toUInt(&ok, 16);
    if (ok) {
      format.colour =
          Rgba{static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 8),
               static_cast<std::uint8_t>(value), format.colour.alpha};
    }
  }
  return format;
}

}  // namespace

std::vector<TextParagraph> plainTextParagraphs(const QString& text, const TextFormat& format,
                                               TextAlign align) {
  ParagraphBuilder builder(format, align);
  builder.appendLines(text, format);
  return builder.take();
}

std::vector<TextParagraph> htmlTextParagraphs(const QString& html, const TextFormat& format,
                                              TextAlign align) {
  ParagraphBuilder builder(format, align);
  // Formats opened by tags, innermost last, with the tag that opened each.
  std::vector<std::pair<QString, TextFormat>> open{{QString(), format}};
  bool paragraphEnded = false;  // text after </p> starts a new paragraph
  const auto currentFormat = [&] { return open.back().second; };
  QString text;
  const auto flush = [&] {
    if (text.isEmpty()) return;
    if (paragraphEnded) {
      builder.start(align, currentFormat());
      paragraphEnded = false;
    }
    builder.appendLines(text, currentFormat());
    text.clear();
  };
  for (qsizetype i = 0; i < html.size(); ++i) {
    const QChar c = html[i];
    if (c == '&') {
      const qsizetype end = html.indexOf(';', i);
      if (end > i && end - i <= 10) {
        if (auto entity = entityText(QStringView(html).mid(i + 1, end - i - 1))) {
          text += *entity;
          i = end;
          continue;
        }
      }
      text += c;
      continue;
    }
    if (c != '<') {
      text += c;
      continue;
    }
    const qsizetype end = html.indexOf('>', i);
    if (end < 0) {
      text += html.mid(i);
      break;
    }
    flush();
    const Tag tag = parseTag(QStringView(html).mid(i + 1, end - i - 1));
    i = end;
    if (tag.name == u"br") {
      if (paragraphEnded) builder.start(align, currentFormat());
      paragraphEnded = false;
      builder.breakLine(currentFormat());
    } else if (tag.name == u"p") {
      if (tag.closing) {
        paragraphEnded = true;
        continue;
      }
      const auto alignment =
          tag.attributes.count("align") ? alignFromName(tag.attributes.at("align")) : std::nullopt;
      const bool fresh = builder.current().runs.empty() && !paragraphEnded;
      if (!fresh) builder.start(align, currentFormat());
      paragraphEnded = false;
      builder.current().align = alignment.value_or(align);
    } else if (tag.closing) {
      // Close the innermost tag of this name and what was opened inside it.
      for (std::size_t k = open.size(); k-- > 1;) {
        if (open[k].first == tag.name) {
          open.resize(k);
          break;
        }
      }
    } else if (tag.name == u"font" || tag.name == u"b" || tag.name == u"i" || tag.name == u"u") {
      TextFormat next = currentFormat();
      if (tag.name == u"font") next = fontTagFormat(tag, next);
      next.bold = next.bold || tag.name == u"b";
      next.italic = next.italic || tag.name == u"i";
      next.underline = next.underline || tag.name == u"u";
      open.emplace_back(tag.name, next);
      if (builder.current().runs.empty()) builder.current().format = next;
    }
  }
  flush();
  return builder.take();
}

}  // namespace quelvo::swf
