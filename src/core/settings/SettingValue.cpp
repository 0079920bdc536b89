#include "core/settings/SettingValue.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

#include "core/settings/ProfileLine.h"

namespace quelvo::core {

namespace {

struct NumericPrefix {
  qsizetype end = 0;  // index just after the prefix; 0 when the text has none
  double value = 0;
};

bool isDigitAt(QStringView text, qsizetype i) {
  return i < text.size() && text[i] >= u'0' && text[i] <= u'9';
}

// Beyond the range of double the parser reports an error without a value; the decimal order of
// the leading significant digit tells overflow from underflow.
double outOfRangeMagnitude(qint64 leadingOrder, qint64 exponent) {
  return leadingOrder + exponent > 0 ? std::numeric_limits<double>::infinity() : 0.0;
}

NumericPrefix parseNumericPrefix(QStringView text) {
  qsizetype i = 0;
  while (i < text.size() && (text[i] == u' ' || text[i] == u'\t')) ++i;
  const bool negative = i < text.size() && text[i] == u'-';
  if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) ++i;

  std::string number;
  qint64 integerDigits = 0;  // without leading zeros
  qint64 fractionZeros = 0;  // zeros after the point before the first other digit
  bool significant = false;  // a non-zero digit was seen
  qsizetype digits = 0;
  for (; isDigitAt(text, i); ++i, ++digits) {
    significant = significant || text[i] != u'0';
    if (significant) ++integerDigits;
    number += static_cast<char>(text[i].unicode());
  }
  if (i < text.size() && text[i] == u'.') {
    number += '.';
    for (++i; isDigitAt(text, i); ++i, ++digits) {
      if (!significant && text[i] == u'0') ++fractionZeros;
      significant = significant || text[i] != u'0';
      number += static_cast<char>(text[i].unicode());
    }
  }
  if (digits == 0) return {};

  qsizetype end = i;
  qint64 exponent = 0;
  if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
    qsizetype j = i + 1;
    const bool negativeExponent = j < text.size() && text[j] == u'-';
    if (j < text.size() && (text[j] == u'-' || text[j] == u'+')) ++j;
    if (isDigitAt(text, j)) {
      number += negativeExponent ? "e-" : "e";
      for (; isDigitAt(text, j); ++j) {
        exponent = std::min<qint64>(exponent * 10 + (text[j].unicode() - u'0'), 1'000'000'000);
        number += static_cast<char>(text[j].unicode());
      }
      if (negativeExponent) exponent = -exponent;
      end = j;
    }
  }

  double value = 0;
  const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
  if (result.ec == std::errc::result_out_of_range) {
    const qint64 leadingOrder = integerDigits > 0 ? integerDigits - 1 : -(fractionZeros + 1);
    value = outOfRangeMagnitude(leadingOrder, exponent);
  }
  return {end, negative ? -value : value};
}

}  // namespace

double numericValue(QStringView text) { return parseNumericPrefix(text).value; }

bool isSwitchOn(QStringView text) { return numericValue(text) == 1.0; }

bool isExactlyOne(QStringView text) { return text == u"1"; }

bool savesOnExit(QStringView text) { return text != u"False"; }

std::optional<bool> toBoolean(QStringView text) {
  const QStringView trimmed = trimBlanks(text);
  if (trimmed.compare(u"True", Qt::CaseInsensitive) == 0) return true;
  if (trimmed.compare(u"False", Qt::CaseInsensitive) == 0) return false;
  const NumericPrefix number = parseNumericPrefix(trimmed);
  if (number.end == 0 || number.end != trimmed.size()) return std::nullopt;
  return number.value != 0;
}

int geometryValue(QStringView text) {
  constexpr double kLimit = 1e9;
  return static_cast<int>(std::clamp(std::floor(numericValue(text)), -kLimit, kLimit));
}

qint16 countValue(QStringView text) {
  // Clamping first keeps infinities out of the rounding; rounding stays inside the range.
  const double value = std::clamp(numericValue(text), -32768.0, 32767.0);
  const double below = std::floor(value);
  const double fraction = value - below;
  const bool up = fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0.0);
  return static_cast<qint16>(up ? below + 1 : below);
}

QString formatNumber(double value) {
  // Zero is tested too so that -0 does not come out as "-0".
  if (!std::isfinite(value) || value == 0) return QStringLiteral("0");
  return QString::number(value, 'g', 15);
}

QString formatBoolean(bool value) {
  return value ? QStringLiteral("True") : QStringLiteral("False");
}

}  // namespace quelvo::core
