#include "swf/xml/XmlText.h"

#include <optional>

namespace quelvo::swf::xml {

namespace {

// Longest reference decoded: "&#x10FFFF;" and the named ones fit.
constexpr qsizetype kMaxReference = 12;

struct Named {
  const char16_t* name;
  char16_t character;
};
constexpr Named kNamed[] = {
    {u"lt", u'<'}, {u"gt", u'>'}, {u"amp", u'&'}, {u"quot", u'"'}, {u"apos", u'\''},
};

// The code point of "#65" or "#x41"; nothing when malformed or not a character.
std::optional<char32_t> characterReference(QStringView body) {
  if (body.size() < 2 || body[0] != u'#') return std::nullopt;
  const bool hex = body[1] == u'x' || body[1] == u'X';
  const QStringView digits = body.mid(hex ? 2 : 1);
  if (digits.isEmpty()) return std::nullopt;
  bool ok = false;
  const uint code = digits.toUInt(&ok, hex ? 16 : 10);
  if (!ok || code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
    return std::nullopt;
  }
  return static_cast<char32_t>(code);
}

std::optional<QString> reference(QStringView body) {
  for (const Named& named : kNamed) {
    if (body == QStringView(named.name)) return QString(QChar(named.character));
  }
  if (const auto code = characterReference(body)) {
    const char32_t point = *code;
    return QString::fromUcs4(&point, 1);
  }
  return std::nullopt;
}

}  // namespace

QString decodeEntities(QStringView text) {
  if (!text.contains(u'&')) return text.toString();
  QString out;
  out.reserve(text.size());
  qsizetype i = 0;
  while (i < text.size()) {
    if (text[i] == u'&') {
      // Looks no further than a reference can reach: text full of '&' stays linear.
      const qsizetype end = text.mid(i + 1, kMaxReference).indexOf(u';');
      if (end >= 0) {
        if (const auto decoded = reference(text.mid(i + 1, end))) {
          out += *decoded;
          i += end + 2;
          continue;
        }
      }
    }
    out += text[i++];
  }
  return out;
}

QString escapeText(QStringView text) {
  QString out;
  out.reserve(text.size());
  for (const QChar c : text) {
    switch (c.unicode()) {
      case u'&':
        out += QLatin1String("&amp;");
        break;
      case u'<':
        out += QLatin1String("&lt;");
        break;
      case u'>':
        out += QLatin1String("&gt;");
        break;
      case u'"':
        out += QLatin1String("&quot;");
        break;
      case u'\'':
        out += QLatin1String("&apos;");
        break;
      default:
        out += c;
    }
  }
  return out;
}

}  // namespace quelvo::swf::xml
