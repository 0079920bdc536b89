#include "swf/avm1/SwfString.h"

#include <QByteArrayView>
#include <QStringDecoder>
#include <algorithm>

namespace quelvo::swf::avm1 {

namespace {

bool isAscii(QByteArrayView bytes) {
  return std::all_of(bytes.begin(), bytes.end(), [](char c) { return (c & 0x80) == 0; });
}

std::optional<QString> decodeStrictly(QStringDecoder& decoder, QByteArrayView bytes) {
  QString text = decoder.decode(bytes);
  if (decoder.hasError()) return std::nullopt;
  return text;
}

QString decodeLegacy(QByteArrayView bytes) {
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  if (auto text = decodeStrictly(utf8, bytes)) return *text;
  // A newline never continues a multi-byte sequence, so a sequence cut off at
  // the end decodes to U+FFFD instead of being held back by the converter.
  QByteArray terminated(bytes.data(), bytes.size());
  terminated.append('\n');
  QStringDecoder gb18030("GB18030", QStringDecoder::Flag::Stateless);
  if (!gb18030.isValid()) return QString::fromLatin1(bytes);
  QString text = gb18030.decode(terminated);
  text.chop(1);
  return text;
}

}  // namespace

QString decodeSwfString(std::span<const std::uint8_t> bytes, int swfVersion) {
  const QByteArrayView view(reinterpret_cast<const char*>(bytes.data()),
                            static_cast<qsizetype>(bytes.size()));
  if (isAscii(view)) return QString::fromLatin1(view);
  if (swfVersion >= 6) return QString::fromUtf8(view);
  return decodeLegacy(view);
}

}  // namespace quelvo::swf::avm1
