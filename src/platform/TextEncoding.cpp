#include "platform/TextEncoding.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace quelvo::platform {

namespace {

constexpr char kUtf8Bom[] = "\xEF\xBB\xBF";

bool isContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

}  // namespace

// The ranges of the second byte rule out overlong forms, surrogates and code points above
// U+10FFFF.
qsizetype utf8SequenceLength(QByteArrayView bytes, qsizetype i) {
  const auto at = [&](qsizetype k) { return static_cast<unsigned char>(bytes[i + k]); };
  const unsigned char lead = at(0);
  if (lead < 0x80) return 1;
  qsizetype length = 0;
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (bytes.size() - i < length) return 0;
  if (at(1) < low || at(1) > high) return 0;
  for (qsizetype k = 2; k < length; ++k) {
    if (!isContinuation(at(k))) return 0;
  }
  return length;
}

namespace {

QString decodeGb18030(QByteArrayView bytes) {
  // The ICU converter keeps an incomplete multi-byte sequence at the end of its input waiting for
  // more bytes, and a fresh decoder would drop it. A newline can never continue a sequence, so
  // appending one turns such a tail into U+FFFD like any other invalid sequence.
  QByteArray terminated;
  terminated.reserve(bytes.size() + 1);
  terminated.append(bytes).append('\n');
  QStringDecoder decoder("GB18030", QStringDecoder::Flag::Stateless);
  QString text = decoder.decode(terminated);
  text.chop(1);
  return text;
}

}  // namespace

bool isValidUtf8(QByteArrayView bytes) {
  for (qsizetype i = 0; i < bytes.size();) {
    const qsizetype length = utf8SequenceLength(bytes, i);
    if (length == 0) return false;
    i += length;
  }
  return true;
}

bool hasUtf8Bom(QByteArrayView bytes) { return bytes.startsWith(QByteArrayView(kUtf8Bom)); }

TextCodec detectCodec(QByteArrayView bytes) {
  return hasUtf8Bom(bytes) || isValidUtf8(bytes) ? TextCodec::Utf8 : TextCodec::Gb18030;
}

QString decodeWith(TextCodec codec, QByteArrayView bytes) {
  // Qt's UTF-8 decoder replaces each invalid sequence with U+FFFD.
  return codec == TextCodec::Utf8 ? QString::fromUtf8(bytes) : decodeGb18030(bytes);
}

QByteArray encodeWith(TextCodec codec, const QString& text) {
  if (codec == TextCodec::Utf8) return text.toUtf8();
  QStringEncoder encoder("GB18030");
  return encoder.encode(text);
}

QString decodeText(const QByteArray& bytes) {
  const QByteArrayView view(bytes);
  const QByteArrayView body = hasUtf8Bom(view) ? view.sliced(3) : view;
  return decodeWith(detectCodec(view), body);
}

QByteArray encodeText(const QString& text) {
#ifdef Q_OS_WIN
  QStringEncoder encoder(QStringEncoder::System);
  return encoder.encode(text);
#else
  return text.toUtf8();
#endif
}

}  // namespace quelvo::platform
