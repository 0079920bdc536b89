#include <QList>
#include <cmath>

#include "swf/avm1/Interpreter.h"
#include "swf/avm1/NumberText.h"
#include "swf/avm1/Vm.h"

namespace quelvo::swf::avm1 {

namespace {

// The part of a sequence of length items that StringExtract takes: index
// counts from 1, a negative count means "to the end".
std::pair<qsizetype, qsizetype> extractRange(double index, double count, qsizetype length) {
  const double start = std::clamp(index - 1, 0.0, static_cast<double>(length));
  const double available = static_cast<double>(length) - start;
  const double taken = count < 0 ? available : std::min(count, available);
  return {static_cast<qsizetype>(start), static_cast<qsizetype>(taken)};
}

}  // namespace

// Plain string actions count UTF-16 code units; the multi-byte ones count
// characters (a surrogate pair is one).
void Interpreter::opStringLength(Frame& frame, bool multiByte) {
  const QString text = vm_.toString(frame.stack.pop());
  const qsizetype length = multiByte ? text.toUcs4().size() : text.size();
  frame.stack.push(Value::number(static_cast<double>(length)));
}

void Interpreter::opStringExtract(Frame& frame, bool multiByte) {
  const double count = toInteger(legacyNumber(frame.stack.pop()));
  const double index = toInteger(legacyNumber(frame.stack.pop()));
  const QString text = vm_.toString(frame.stack.pop());
  if (!multiByte) {
    const auto [start, taken] = extractRange(index, count, text.size());
    vm_.reserveString(taken);
    frame.stack.push(Value::string(text.mid(start, taken)));
    return;
  }
  const QList<uint> characters = text.toUcs4();
  const auto [start, taken] = extractRange(index, count, characters.size());
  vm_.reserveString(taken);
  frame.stack.push(Value::string(
      QString::fromUcs4(reinterpret_cast<const char32_t*>(characters.constData()) + start, taken)));
}

void Interpreter::opStringAdd(Frame& frame) {
  const QString a = vm_.toString(frame.stack.pop());
  const QString b = vm_.toString(frame.stack.pop());
  vm_.reserveString(a.size() + b.size());
  frame.stack.push(Value::string(b + a));
}

void Interpreter::opCharToAscii(Frame& frame, bool multiByte) {
  const QString text = vm_.toString(frame.stack.pop());
  double code = 0;
  if (!text.isEmpty()) {
    code = multiByte ? text.toUcs4().front() : text.front().unicode();
  }
  frame.stack.push(Value::number(code));
}

void Interpreter::opAsciiToChar(Frame& frame, bool multiByte) {
  const double code = toInteger(legacyNumber(frame.stack.pop()));
  QString text;
  if (!multiByte) {
    const auto unit = static_cast<char16_t>(toUint32(code) & 0xFFFF);
    if (unit != 0) text = QString(QChar(unit));
  } else if (code > 0 && code <= 0x10FFFF && !(code >= 0xD800 && code <= 0xDFFF)) {
    const char32_t character = static_cast<char32_t>(code);
    text = QString::fromUcs4(&character, 1);
  }
  frame.stack.push(Value::string(text));
}

}  // namespace quelvo::swf::avm1
