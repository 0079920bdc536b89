#include <cmath>

#include "swf/avm1/NumberText.h"
#include "swf/avm1/builtins/Builtins.h"
#include "swf/avm1/builtins/NativeSupport.h"

namespace quelvo::swf::avm1 {

namespace {

// A position argument clamped to [0, length]; NaN counts as 0.
qsizetype clampedIndex(double value, qsizetype length) {
  if (std::isnan(value)) return 0;
  return static_cast<qsizetype>(std::clamp(std::trunc(value), 0.0, static_cast<double>(length)));
}

// Negative positions count from the end (slice, substr).
qsizetype fromEnd(double value, qsizetype length) {
  if (std::isnan(value)) return 0;
  const double size = static_cast<double>(length);
  return static_cast<qsizetype>(value < 0 ? std::max(0.0, size + std::trunc(value))
                                          : std::min(size, std::trunc(value)));
}

Value stringConstructor(NativeCall& call) {
  const QString text = call.args.empty() ? QString() : stringArg(call, 0);
  if (!call.constructing || call.thisObject() == nullptr) return Value::string(text);
  return Value::object(call.vm.heap().make<PrimitiveObject>(
      call.thisObject()->proto(), ObjectKind::String, Value::string(text)));
}

Value fromCharCode(NativeCall& call) {
  call.vm.reserveString(static_cast<qsizetype>(call.args.size()));
  QString text;
  for (std::size_t i = 0; i < call.args.size(); ++i) {
    text += QChar(static_cast<char16_t>(toUint32(numberArg(call, i)) & 0xFFFF));
  }
  return Value::string(text);
}

Value stringValueOf(NativeCall& call) { return Value::string(thisString(call)); }

Value charAt(NativeCall& call) {
  const QString text = thisString(call);
  const double index = std::trunc(numberArg(call, 0));
  if (!(index >= 0 && index < text.size())) return Value::string(QString());
  return Value::string(QString(text[static_cast<qsizetype>(index)]));
}

Value charCodeAt(NativeCall& call) {
  const QString text = thisString(call);
  const double index = std::trunc(numberArg(call, 0));
  if (!(index >= 0 && index < text.size())) return Value::number(std::nan(""));
  return Value::number(text[static_cast<qsizetype>(index)].unicode());
}

Value concat(NativeCall& call) {
  QString text = thisString(call);
  for (std::size_t i = 0; i < call.args.size(); ++i) {
    const QString part = stringArg(call, i);
    call.vm.reserveString(text.size() + part.size());
    text += part;
  }
  return Value::string(text);
}

Value indexOf(NativeCall& call) {
  const QString text = thisString(call);
  const qsizetype from = call.args.size() > 1 ? clampedIndex(numberArg(call, 1), text.size()) : 0;
  return Value::number(static_cast<double>(text.indexOf(stringArg(call, 0), from)));
}

Value lastIndexOf(NativeCall& call) {
  const QString text = thisString(call);
  const QString part = stringArg(call, 0);
  qsizetype from = text.size();
  if (call.args.size() > 1 && !std::isnan(numberArg(call, 1))) {
    from = clampedIndex(numberArg(call, 1), text.size());
  }
  return Value::number(static_cast<double>(text.lastIndexOf(part, from)));
}

Value slice(NativeCall& call) {
  const QString text = thisString(call);
  const qsizetype start = fromEnd(numberArg(call, 0), text.size());
  const qsizetype end =
      call.arg(1).isUndefined() ? text.size() : fromEnd(numberArg(call, 1), text.size());
  if (end <= start) return Value::string(QString());
  call.vm.reserveString(end - start);
  return Value::string(text.mid(start, end - start));
}

Value substr(NativeCall& call) {
  const QString text = thisString(call);
  const qsizetype start = fromEnd(numberArg(call, 0), text.size());
  const qsizetype rest = text.size() - start;
  const qsizetype count = call.arg(1).isUndefined() ? rest : clampedIndex(numberArg(call, 1), rest);
  call.vm.reserveString(count);
  return Value::string(text.mid(start, count));
}

Value substring(NativeCall& call) {
  const QString text = thisString(call);
  qsizetype start = clampedIndex(numberArg(call, 0), text.size());
  qsizetype end =
      call.arg(1).isUndefined() ? text.size() : clampedIndex(numberArg(call, 1), text.size());
  if (start > end) std::swap(start, end);
  call.vm.reserveString(end - start);
  return Value::string(text.mid(start, end - start));
}

// split(separator, limit): no separator gives the whole string, "" every character.
Value split(NativeCall& call) {
  const QString text = thisString(call);
  double limit = call.arg(1).isUndefined() ? 4294967295.0 : numberArg(call, 1);
  if (std::isnan(limit) || limit < 0) limit = 0;
  std::vector<Value> parts;
  const auto add = [&](const QString& part) {
    if (static_cast<double>(parts.size()) >= limit) return false;
    call.vm.reserveArray(parts.size(), parts.size() + 1);
    call.vm.reserveString(part.size());
    parts.push_back(Value::string(part));
    return true;
  };
  if (call.arg(0).isUndefined()) {
    add(text);
  } else if (const QString separator = stringArg(call, 0); separator.isEmpty()) {
    call.vm.chargeSteps(static_cast<std::uint64_t>(text.size()));
    for (QChar c : text) {
      if (!add(QString(c))) break;
    }
  } else {
    qsizetype from = 0;
    while (true) {
      const qsizetype at = text.indexOf(separator, from);
      call.vm.chargeSteps(1);
      if (!add(text.mid(from, at < 0 ? -1 : at - from)) || at < 0) break;
      from = at + separator.size();
    }
  }
  return Value::object(call.vm.newArray(std::move(parts)));
}

Value toLowerCase(NativeCall& call) {
  const QString text = thisString(call);
  call.vm.reserveString(text.size());
  return Value::string(text.toLower());
}

Value toUpperCase(NativeCall& call) {
  const QString text = thisString(call);
  call.vm.reserveString(text.size());
  return Value::string(text.toUpper());
}

}  // namespace

void installString(Vm& vm) {
  Object* proto = vm.newObject();
  vm.protos().string = proto;
  NativeFunction* constructor = defineClass(vm, QStringLiteral("String"), stringConstructor, proto);
  vm.defineMethod(constructor, QStringLiteral("fromCharCode"), fromCharCode);
  vm.defineMethod(proto, QStringLiteral("toString"), stringValueOf);
  vm.defineMethod(proto, QStringLiteral("valueOf"), stringValueOf);
  vm.defineMethod(proto, QStringLiteral("charAt"), charAt);
  vm.defineMethod(proto, QStringLiteral("charCodeAt"), charCodeAt);
  vm.defineMethod(proto, QStringLiteral("concat"), concat);
  vm.defineMethod(proto, QStringLiteral("indexOf"), indexOf);
  vm.defineMethod(proto, QStringLiteral("lastIndexOf"), lastIndexOf);
  vm.defineMethod(proto, QStringLiteral("slice"), slice);
  vm.defineMethod(proto, QStringLiteral("substr"), substr);
  vm.defineMethod(proto, QStringLiteral("substring"), substring);
  vm.defineMethod(proto, QStringLiteral("split"), split);
  vm.defineMethod(proto, QStringLiteral("toLowerCase"), toLowerCase);
  vm.defineMethod(proto, QStringLiteral("toUpperCase"), toUpperCase);
}

}  // namespace quelvo::swf::avm1
