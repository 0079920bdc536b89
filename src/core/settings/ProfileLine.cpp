#include "core/settings/ProfileLine.h"

namespace quelvo::core {

using platform::TextCodec;

namespace {

bool isBlank(QChar c) { return c == u' ' || c == u'\t'; }

bool isQuote(QChar c) { return c == u'"' || c == u'\''; }

QStringView withoutEnclosingQuotes(QStringView value) {
  if (value.size() >= 2 && isQuote(value.front()) && value.back() == value.front()) {
    return value.sliced(1, value.size() - 2);
  }
  return value;
}

qsizetype firstNonBlank(QByteArrayView content) {
  qsizetype first = 0;
  while (first < content.size() && (content[first] == ' ' || content[first] == '\t')) ++first;
  return first;
}

QStringView cutToReadBuffer(QStringView value) {
  if (value.size() <= kMaxReadValueLength) return value;
  qsizetype length = kMaxReadValueLength;
  if (value[length - 1].isHighSurrogate() && value[length].isLowSurrogate()) --length;
  return value.first(length);
}

}  // namespace

QStringView trimBlanks(QStringView text) {
  qsizetype begin = 0;
  qsizetype end = text.size();
  while (begin < end && isBlank(text[begin])) ++begin;
  while (end > begin && isBlank(text[end - 1])) --end;
  return text.sliced(begin, end - begin);
}

bool isBlankLine(QByteArrayView content) { return firstNonBlank(content) == content.size(); }

ProfileLine parseProfileLine(QByteArrayView content, TextCodec codec) {
  const qsizetype first = firstNonBlank(content);
  if (first == content.size()) return {ProfileLineKind::Blank, {}};
  // The first non-blank byte always starts a character, and '=' is never part of a multi-byte
  // character in UTF-8 or GB18030, so both can be tested on bytes. ']' can be the second byte of a
  // GB18030 character: the section name is found in the decoded text.
  const char lead = content[first];
  if (lead == ';' || (lead != '[' && !content.contains('='))) return {};

  const QString text = decodeWith(codec, content);
  const QStringView line = trimBlanks(text);
  if (line.startsWith(u'[')) {
    const qsizetype close = line.lastIndexOf(u']');
    if (close > 0) {
      return {ProfileLineKind::Section, trimBlanks(line.sliced(1, close - 1)).toString()};
    }
  }
  const qsizetype equals = line.indexOf(u'=');
  if (equals < 0) return {};
  const QStringView name = trimBlanks(line.first(equals));
  if (name.isEmpty()) return {};
  return {ProfileLineKind::Key, name.toString()};
}

QString readProfileValue(QByteArrayView content, TextCodec codec, ReadLimit limit) {
  const QString text = decodeWith(codec, content);
  const qsizetype equals = text.indexOf(u'=');
  if (equals < 0) return {};
  const QStringView value =
      withoutEnclosingQuotes(trimBlanks(QStringView(text).sliced(equals + 1)));
  return (limit == ReadLimit::Buffer ? cutToReadBuffer(value) : value).toString();
}

QByteArrayView withoutLineEnd(QByteArrayView line) {
  if (line.endsWith('\n')) line.chop(1);
  if (line.endsWith('\r')) line.chop(1);
  return line;
}

bool endsWithLineEnd(QByteArrayView line) { return line.endsWith('\n') || line.endsWith('\r'); }

}  // namespace quelvo::core
