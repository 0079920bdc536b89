#include "swf/avm1/NumberText.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace quelvo::swf::avm1 {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr int kSignificantDigits = 15;

int digitValue(QChar c) {
  const char16_t u = c.unicode();
  if (u >= '0' && u <= '9') return u - '0';
  if (u >= 'a' && u <= 'z') return u - 'a' + 10;
  if (u >= 'A' && u <= 'Z') return u - 'A' + 10;
  return 99;
}

bool isDecimalDigit(QChar c) { return c.unicode() >= '0' && c.unicode() <= '9'; }

QStringView trimmedStart(QStringView text) {
  qsizetype i = 0;
  while (i < text.size() && text[i].isSpace()) ++i;
  return text.mid(i);
}

// Length of the decimal number at the start of text ("12", "1.5e-3", ".5"),
// 0 when there is none. The exponent only counts when it has digits.
qsizetype decimalPrefixLength(QStringView text) {
  qsizetype i = 0;
  qsizetype digits = 0;
  while (i < text.size() && isDecimalDigit(text[i])) ++i, ++digits;
  if (i < text.size() && text[i] == u'.') {
    ++i;
    while (i < text.size() && isDecimalDigit(text[i])) ++i, ++digits;
  }
  if (digits == 0) return 0;
  if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
    qsizetype j = i + 1;
    if (j < text.size() && (text[j] == u'+' || text[j] == u'-')) ++j;
    const qsizetype expStart = j;
    while (j < text.size() && isDecimalDigit(text[j])) ++j;
    if (j > expStart) i = j;
  }
  return i;
}

// The decimal exponent of the first significant digit, to tell an overflow
// from an underflow when the value is out of range.
long long magnitudeOf(const std::string& decimal) {
  const auto ePos = decimal.find_first_of("eE");
  const std::string mantissa = decimal.substr(0, ePos);
  long long exponent = 0;
  if (ePos != std::string::npos) {
    const std::string e = decimal.substr(ePos + 1);
    exponent = std::strtoll(e.c_str(), nullptr, 10);  // digits only: no locale involved
  }
  const auto point = mantissa.find('.');
  const std::string whole = mantissa.substr(0, point);
  const auto firstWhole = whole.find_first_not_of('0');
  if (firstWhole != std::string::npos) {
    return exponent + static_cast<long long>(whole.size() - firstWhole) - 1;
  }
  if (point == std::string::npos) return exponent;
  const std::string fraction = mantissa.substr(point + 1);
  const auto firstFraction = fraction.find_first_not_of('0');
  if (firstFraction == std::string::npos) return exponent;
  return exponent - static_cast<long long>(firstFraction) - 1;
}

// An unsigned decimal number already checked by decimalPrefixLength.
double readDecimal(QStringView text) {
  const std::string ascii = text.toLatin1().toStdString();
  double value = 0;
  const auto result =
      std::from_chars(ascii.data(), ascii.data() + ascii.size(), value, std::chars_format::general);
  if (result.ec == std::errc::result_out_of_range) {
    return magnitudeOf(ascii) < 0 ? 0.0 : std::numeric_limits<double>::infinity();
  }
  return value;
}

// Digits of one radix, all of them; NaN if any is not a digit.
double readWholeInRadix(QStringView digits, int radix) {
  if (digits.isEmpty()) return kNaN;
  double value = 0;
  for (QChar c : digits) {
    const int d = digitValue(c);
    if (d >= radix) return kNaN;
    value = value * radix + d;
  }
  return value;
}

bool isOctalLiteral(QStringView text) {
  if (text.size() < 2 || text[0] != u'0') return false;
  for (QChar c : text) {
    if (c.unicode() < '0' || c.unicode() > '7') return false;
  }
  return true;
}

}  // namespace

QString formatNumber(double value) {
  if (std::isnan(value)) return QStringLiteral("NaN");
  if (std::isinf(value))
    return value > 0 ? QStringLiteral("Infinity") : QStringLiteral("-Infinity");
  if (value == 0) return QStringLiteral("0");

  // d.dddddddddddddde±x, then digits without trailing zeros and the exponent.
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                    std::chars_format::scientific, kSignificantDigits - 1);
  const std::string text(buffer, result.ptr);
  const bool negative = text[0] == '-';
  const auto ePos = text.find('e');
  std::string digits;
  for (std::size_t i = negative ? 1 : 0; i < ePos; ++i) {
    if (text[i] != '.') digits += text[i];
  }
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  const int exponent = std::atoi(text.c_str() + ePos + 1);

  QString out = negative ? QStringLiteral("-") : QString();
  const QString mantissa = QString::fromLatin1(digits);
  if (exponent >= kSignificantDigits || exponent < -5) {
    out += mantissa.front();
    if (mantissa.size() > 1) out += QLatin1Char('.') + mantissa.mid(1);
    out += exponent < 0 ? QStringLiteral("e-") : QStringLiteral("e+");
    out += QString::number(std::abs(exponent));
  } else if (exponent >= 0) {
    const qsizetype wholeDigits = exponent + 1;
    if (mantissa.size() <= wholeDigits) {
      out += mantissa + QString(wholeDigits - mantissa.size(), u'0');
    } else {
      out += mantissa.left(wholeDigits) + QLatin1Char('.') + mantissa.mid(wholeDigits);
    }
  } else {
    out += QStringLiteral("0.") + QString(-exponent - 1, u'0') + mantissa;
  }
  return out;
}

QString formatNumberInRadix(double value, int radix) {
  if (radix == 10 || radix < 2 || radix > 36) return formatNumber(value);
  if (std::isnan(value)) return QStringLiteral("NaN");
  if (std::isinf(value))
    return value > 0 ? QStringLiteral("Infinity") : QStringLiteral("-Infinity");
  const std::int64_t whole = toInt32(value);
  std::uint64_t magnitude = whole < 0 ? static_cast<std::uint64_t>(-whole) : whole;
  QString digits;
  do {
    digits.prepend(QChar(u"0123456789abcdefghijklmnopqrstuvwxyz"[magnitude % radix]));
    magnitude /= radix;
  } while (magnitude > 0);
  return whole < 0 ? QLatin1Char('-') + digits : digits;
}

double parseNumber(QStringView text) {
  text = text.trimmed();
  if (text.isEmpty()) return kNaN;
  double sign = 1;
  if (text[0] == u'+' || text[0] == u'-') {
    sign = text[0] == u'-' ? -1 : 1;
    text = text.mid(1);
  }
  if (text.size() > 2 && text[0] == u'0' && (text[1] == u'x' || text[1] == u'X')) {
    return sign * readWholeInRadix(text.mid(2), 16);
  }
  if (isOctalLiteral(text)) return sign * readWholeInRadix(text, 8);
  const qsizetype length = decimalPrefixLength(text);
  if (length == 0 || length != text.size()) return kNaN;
  return sign * readDecimal(text);
}

double parseIntPrefix(QStringView text, std::optional<int> radix) {
  text = trimmedStart(text);
  double sign = 1;
  if (!text.isEmpty() && (text[0] == u'+' || text[0] == u'-')) {
    sign = text[0] == u'-' ? -1 : 1;
    text = text.mid(1);
  }
  const bool hexPrefix =
      text.size() >= 2 && text[0] == u'0' && (text[1] == u'x' || text[1] == u'X');
  int base = radix.value_or(0);
  if (base == 0) {
    base = hexPrefix ? 16 : (text.size() >= 2 && text[0] == u'0' ? 8 : 10);
  }
  if (base < 2 || base > 36) return kNaN;
  if (base == 16 && hexPrefix) text = text.mid(2);
  qsizetype end = 0;
  while (end < text.size() && digitValue(text[end]) < base) ++end;
  return end == 0 ? kNaN : sign * readWholeInRadix(text.first(end), base);
}

double parseFloatPrefix(QStringView text) {
  text = trimmedStart(text);
  double sign = 1;
  if (!text.isEmpty() && (text[0] == u'+' || text[0] == u'-')) {
    sign = text[0] == u'-' ? -1 : 1;
    text = text.mid(1);
  }
  const qsizetype length = decimalPrefixLength(text);
  return length == 0 ? kNaN : sign * readDecimal(text.first(length));
}

std::uint32_t toUint32(double value) {
  if (!std::isfinite(value)) return 0;
  const double wrapped = std::fmod(std::trunc(value), 4294967296.0);
  return static_cast<std::uint32_t>(
      static_cast<std::int64_t>(wrapped < 0 ? wrapped + 4294967296.0 : wrapped));
}

std::int32_t toInt32(double value) { return static_cast<std::int32_t>(toUint32(value)); }

double toInteger(double value) { return std::isnan(value) ? 0.0 : std::trunc(value); }

}  // namespace quelvo::swf::avm1
