#pragma once

#include <QString>
#include <QStringView>
#include <cstdint>
#include <optional>

namespace quelvo::swf::avm1 {

// Numbers as scripts print them: at most 15 significant digits, "NaN",
// "Infinity", "-Infinity", "0" for both zeros. The exponent form
// ("1.5e+20", "1e-7") is used from 1e15 up and below 1e-5.
QString formatNumber(double value);

// Number.toString(radix) for radix 2-36 other than 10: the value truncated to
// a 32-bit integer, then its digits in lower case with a leading "-".
QString formatNumberInRadix(double value, int radix);

// The whole string as a number, as ToNumber reads it: surrounding white
// space ignored; "0x1F" hexadecimal; "017" (a leading zero and octal digits
// only) octal; decimal with fraction and exponent; an optional sign before
// any of these. Anything else, the empty string included, is NaN.
double parseNumber(QStringView text);

// parseInt: the longest run of digits after white space, a sign and, for
// radix 16 or no radix, "0x"; with no radix a leading zero means octal.
// NaN when no digit is read or the radix is outside 2-36.
double parseIntPrefix(QStringView text, std::optional<int> radix);

// parseFloat: the longest decimal prefix after white space; NaN if none.
double parseFloatPrefix(QStringView text);

// ECMA-262 ToInt32 / ToUint32: NaN and infinities give 0, otherwise the
// truncated value modulo 2^32.
std::int32_t toInt32(double value);
std::uint32_t toUint32(double value);

// Truncation towards zero with NaN as 0 (ToInteger).
double toInteger(double value);

}  // namespace quelvo::swf::avm1
