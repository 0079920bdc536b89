#pragma once

#include <QString>
#include <QStringView>
#include <QtGlobal>
#include <optional>

namespace quelvo::core {

// Conversions of stored setting texts. All of them accept any text.

// The longest numeric prefix (leading spaces and tabs, sign, digits, point and digits, exponent);
// 0 when there is none. Beyond the range of double: +-infinity, or 0 for tiny magnitudes.
double numericValue(QStringView text);

// A remember-switch: on when the numeric value is exactly 1 ("1", "1.0").
bool isSwitchOn(QStringView text);

// The exact text "1".
bool isExactlyOne(QStringView text);

// Saving at exit is off only for the exact text "False".
bool savesOnExit(QStringView text);

// "True"/"False" in any letter case, or a text that is a number as a whole (spaces and tabs around
// it allowed): 0 is false, any other number true. Anything else, "1abc" included: nullopt.
std::optional<bool> toBoolean(QStringView text);

// The numeric value rounded towards minus infinity, clamped to +-1e9 so that sums of a few
// geometry values cannot overflow an int.
int geometryValue(QStringView text);

// The numeric value rounded to the nearest integer, halves to the even neighbour, clamped to the
// 16-bit range.
qint16 countValue(QStringView text);

// Decimal text with a point, up to 15 significant digits, no trailing zeros ("9000", "4915.2").
// An exponent appears only for magnitudes from 1e15 or below 1e-4. Infinities and NaN give "0".
QString formatNumber(double value);

QString formatBoolean(bool value);

}  // namespace quelvo::core
