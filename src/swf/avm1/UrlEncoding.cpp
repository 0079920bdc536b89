#include "swf/avm1/UrlEncoding.h"

#include <QList>
#include <span>

#include "swf/avm1/SwfString.h"

namespace quelvo::swf::avm1 {

namespace {

bool isAsciiAlphanumeric(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

int hexDigit(QChar c) {
  const char16_t u = c.unicode();
  if (u >= '0' && u <= '9') return u - '0';
  if (u >= 'a' && u <= 'f') return u - 'a' + 10;
  if (u >= 'A' && u <= 'F') return u - 'A' + 10;
  return -1;
}

QString decodeText(QStringView text, int swfVersion) {
  const QByteArray bytes = percentDecode(text, true);
  return decodeSwfString(std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                   static_cast<std::size_t>(bytes.size())),
                         swfVersion);
}

}  // namespace

QString urlEscape(QStringView text) {
  const QByteArray bytes = text.toUtf8();
  QString out;
  out.reserve(bytes.size());
  for (const char c : bytes) {
    if (isAsciiAlphanumeric(c)) {
      out += QLatin1Char(c);
    } else {
      out += u'%';
      out += QString::number(static_cast<unsigned char>(c), 16).rightJustified(2, u'0').toUpper();
    }
  }
  return out;
}

QByteArray percentDecode(QStringView text, bool plusIsSpace) {
  QByteArray bytes;
  bytes.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] == u'%' && i + 2 < text.size() && hexDigit(text[i + 1]) >= 0 &&
        hexDigit(text[i + 2]) >= 0) {
      bytes.append(static_cast<char>(hexDigit(text[i + 1]) * 16 + hexDigit(text[i + 2])));
      i += 2;
    } else if (plusIsSpace && text[i] == u'+') {
      bytes.append(' ');
    } else {
      // A surrogate pair is one character.
      const qsizetype length =
          text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2 : 1;
      bytes.append(text.mid(i, length).toUtf8());
      i += length - 1;
    }
  }
  return bytes;
}

std::vector<std::pair<QString, QString>> decodeVariables(QStringView text, int swfVersion) {
  std::vector<std::pair<QString, QString>> pairs;
  for (const QStringView pair : text.split(u'&')) {
    const qsizetype equals = pair.indexOf(u'=');
    const QStringView name = equals < 0 ? pair : pair.left(equals);
    if (name.isEmpty()) continue;
    const QStringView value = equals < 0 ? QStringView() : pair.mid(equals + 1);
    pairs.emplace_back(decodeText(name, swfVersion), decodeText(value, swfVersion));
  }
  return pairs;
}

}  // namespace quelvo::swf::avm1
