#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace quelvo::platform {

// How the bytes of a settings or catalog file are encoded. Decided once for a whole file, so that
// every line of it decodes the same way and lines added later match the lines already there.
enum class TextCodec { Utf8, Gb18030 };

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF, no cut-off sequence.
bool isValidUtf8(QByteArrayView bytes);

// Length of the valid UTF-8 sequence that starts at bytes[i] (i < bytes.size()), or 0 when the
// bytes there are not one.
qsizetype utf8SequenceLength(QByteArrayView bytes, qsizetype i);

// True when the bytes start with the UTF-8 byte order mark.
bool hasUtf8Bom(QByteArrayView bytes);

// UTF-8 when the bytes start with a UTF-8 BOM or are valid UTF-8, otherwise GB18030 (a superset of
// code page 936).
TextCodec detectCodec(QByteArrayView bytes);

// Decodes with the given codec. Never fails: every invalid byte sequence, including one cut off at
// the end of the bytes, becomes one U+FFFD; NUL bytes become U+0000.
QString decodeWith(TextCodec codec, QByteArrayView bytes);
QByteArray encodeWith(TextCodec codec, const QString& text);

// Decodes a whole file: detectCodec, a leading UTF-8 BOM skipped, then decodeWith.
QString decodeText(const QByteArray& bytes);

// The system code page: UTF-8 on Linux and macOS, the ANSI code page on Windows (characters it
// cannot represent become '?').
QByteArray encodeText(const QString& text);

}  // namespace quelvo::platform
