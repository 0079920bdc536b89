#include <QStringList>
#include <cmath>
#include <limits>

#include "swf/avm1/NumberText.h"
#include "swf/avm1/SwfString.h"
#include "swf/avm1/UrlEncoding.h"
#include "swf/avm1/builtins/Builtins.h"
#include "swf/avm1/builtins/NativeSupport.h"

namespace quelvo::swf::avm1 {

namespace {

Value trace(NativeCall& call) {
  const Value value = call.arg(0);
  call.vm.host().trace(value.isUndefined() ? QStringLiteral("undefined") : call.vm.toString(value));
  return {};
}

Value getTimer(NativeCall& call) { return Value::number(std::floor(call.vm.host().timerMs())); }

Value parseInt(NativeCall& call) {
  std::optional<int> radix;
  if (!call.arg(1).isUndefined()) radix = toInt32(numberArg(call, 1));
  return Value::number(parseIntPrefix(stringArg(call, 0), radix));
}

Value parseFloat(NativeCall& call) { return Value::number(parseFloatPrefix(stringArg(call, 0))); }

Value isNaN(NativeCall& call) { return Value::boolean(std::isnan(numberArg(call, 0))); }

Value isFinite(NativeCall& call) { return Value::boolean(std::isfinite(numberArg(call, 0))); }

// Everything but ASCII letters and digits becomes %XX, per UTF-8 byte.
Value escape(NativeCall& call) {
  const QString text = stringArg(call, 0);
  call.vm.reserveString(text.toUtf8().size() * 3);
  return Value::string(urlEscape(text));
}

// %XX sequences back to bytes, read as the movie's text.
Value unescape(NativeCall& call) {
  const QString text = stringArg(call, 0);
  call.vm.reserveString(text.size());
  const QByteArray bytes = percentDecode(text, false);
  return Value::string(
      decodeSwfString(std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                static_cast<std::size_t>(bytes.size())),
                      call.vm.swfVersion()));
}

// ASSetPropFlags(object, names, set, clear): names is null for every
// property, an array, or a comma-separated string.
Value setPropFlags(NativeCall& call) {
  Object* target = call.arg(0).objectOrNull();
  if (target == nullptr) return {};
  const auto set = static_cast<std::uint8_t>(toUint32(numberArg(call, 2)) & 0x07);
  const auto clear = static_cast<std::uint8_t>(toUint32(numberArg(call, 3)) & 0x07);
  const auto change = [&](Property& property) {
    property.flags = static_cast<std::uint8_t>((property.flags & ~clear) | set);
  };
  const Value names = call.arg(1);
  if (names.isNull()) {
    for (Property& property : target->properties().entries()) change(property);
    return {};
  }
  QStringList list;
  if (const ArrayObject* array = asArray(names)) {
    for (const Value& name : array->elements) list.push_back(call.vm.toString(name));
  } else {
    list = call.vm.toString(names).split(u',');
  }
  for (const QString& name : list) {
    if (Property* property = target->properties().find(name)) change(*property);
  }
  return {};
}

Value targetPath(NativeCall& call) {
  const ClipHandle clip = Vm::clipOf(call.arg(0));
  return clip == kNoClip ? Value() : Value::string(call.vm.dotPath(clip));
}

Value getVersion(NativeCall&) { return Value::string(QStringLiteral("LNX 9,0,0,0")); }

}  // namespace

void installGlobalFunctions(Vm& vm) {
  Object* global = vm.global();
  constexpr std::uint8_t kConstant = DontEnum | DontDelete | ReadOnly;
  vm.defineValue(global, QStringLiteral("NaN"), Value::number(std::nan("")), kConstant);
  vm.defineValue(global, QStringLiteral("Infinity"),
                 Value::number(std::numeric_limits<double>::infinity()), kConstant);
  const std::pair<const char*, NativeFn> functions[] = {
      {"trace", trace},           {"getTimer", getTimer},     {"parseInt", parseInt},
      {"parseFloat", parseFloat}, {"isNaN", isNaN},           {"isFinite", isFinite},
      {"escape", escape},         {"unescape", unescape},     {"ASSetPropFlags", setPropFlags},
      {"targetPath", targetPath}, {"getVersion", getVersion},
  };
  for (const auto& [name, fn] : functions) vm.defineMethod(global, QString::fromLatin1(name), fn);
}

}  // namespace quelvo::swf::avm1
