#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include "platform/TextEncoding.h"

namespace quelvo::core {

// What one line of a profile file is.
enum class ProfileLineKind {
  Blank,    // nothing but spaces and tabs
  Section,  // "[name]": the name runs to the last ']'
  Key,      // "name=value" with a non-empty name
  Other,    // comments (';' first), lines without '=', anything else
};

struct ProfileLine {
  ProfileLineKind kind = ProfileLineKind::Other;
  // The section or key name as written, without the spaces and tabs around it.
  QString name;
};

// A read copies the value into a buffer of 255 characters, so at most 254 come back.
inline constexpr qsizetype kMaxReadValueLength = 254;

bool isBlankLine(QByteArrayView content);

// Classifies one line, given without its line end. Only lines that may be a section or a key are
// decoded; the others are recognised from their ASCII bytes.
ProfileLine parseProfileLine(QByteArrayView content, platform::TextCodec codec);

// The value of a key line (given without its line end) as a read returns it: the text after the
// first '=', without surrounding spaces and tabs, without one pair of matching enclosing quotes
// (" or '), cut to kMaxReadValueLength characters (never between the halves of a surrogate pair).
// Whether a read is cut to the read buffer, or (for the catalog lines, whose
// paths may be longer) returns the whole value.
enum class ReadLimit { Buffer, Whole };
QString readProfileValue(QByteArrayView content, platform::TextCodec codec,
                         ReadLimit limit = ReadLimit::Buffer);

// Spaces and tabs are the only characters trimmed around names and values.
QStringView trimBlanks(QStringView text);

// The line without its CR LF, LF or CR.
QByteArrayView withoutLineEnd(QByteArrayView line);
bool endsWithLineEnd(QByteArrayView line);

}  // namespace quelvo::core
