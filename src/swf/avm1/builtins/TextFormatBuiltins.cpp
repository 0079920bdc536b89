// The TextFormat class: a plain object of formatting members, and
// getTextExtent.
#include "swf/avm1/builtins/TextFormatBuiltins.h"

#include <cmath>

#include "swf/avm1/builtins/Builtins.h"
#include "swf/avm1/builtins/NativeSupport.h"

namespace quelvo::swf::avm1 {

namespace {

// Tab stops kept from a script's array.
constexpr std::size_t kMaxTabStops = 1000;

// The constructor takes the members up to leading, in eachMember's order.
constexpr std::size_t kConstructorArguments = 13;

// Calls visit(name, member) for each member of format.
template <typename Format, typename Visit>
void eachMember(Format& format, Visit visit) {
  visit(u"font", format.font);
  visit(u"size", format.size);
  visit(u"color", format.color);
  visit(u"bold", format.bold);
  visit(u"italic", format.italic);
  visit(u"underline", format.underline);
  visit(u"url", format.url);
  visit(u"target", format.target);
  visit(u"align", format.align);
  visit(u"leftMargin", format.leftMargin);
  visit(u"rightMargin", format.rightMargin);
  visit(u"indent", format.indent);
  visit(u"leading", format.leading);
  visit(u"blockIndent", format.blockIndent);
  visit(u"bullet", format.bullet);
  visit(u"tabStops", format.tabStops);
}

void read(Vm& vm, const Value& value, std::optional<QString>& member) {
  member = vm.toString(value);
}
void read(Vm& vm, const Value& value, std::optional<double>& member) {
  const double number = vm.toNumber(value);
  if (std::isfinite(number)) member = number;
}
void read(Vm& vm, const Value& value, std::optional<std::uint32_t>& member) {
  const double number = vm.toNumber(value);
  if (std::isfinite(number))
    member = static_cast<std::uint32_t>(static_cast<std::int64_t>(number)) & 0xFFFFFF;
}
void read(Vm& vm, const Value& value, std::optional<bool>& member) { member = vm.toBoolean(value); }
void read(Vm& vm, const Value& value, std::optional<TextAlign>& member) {
  member = alignFromName(vm.toString(value));
}
void read(Vm& vm, const Value& value, std::optional<std::vector<double>>& member) {
  const Object* object = value.objectOrNull();
  if (object == nullptr || object->kind() != ObjectKind::Array) return;
  std::vector<double> stops;
  for (const Value& element : static_cast<const ArrayObject*>(object)->elements) {
    if (stops.size() == kMaxTabStops) break;
    stops.push_back(vm.toNumber(element));
  }
  member = std::move(stops);
}

Value write(Vm&, const QString& member) { return Value::string(member); }
Value write(Vm&, double member) { return Value::number(member); }
Value write(Vm&, std::uint32_t member) { return Value::number(member); }
Value write(Vm&, bool member) { return Value::boolean(member); }
Value write(Vm&, TextAlign member) { return Value::string(alignName(member)); }
Value write(Vm& vm, const std::vector<double>& member) {
  std::vector<Value> elements;
  for (const double stop : member) elements.push_back(Value::number(stop));
  return Value::object(vm.newArray(std::move(elements)));
}

Object* textFormatProto(Vm& vm) {
  return vm
      .getMember(vm.getMember(Value::object(vm.global()), QStringLiteral("TextFormat")),
                 QStringLiteral("prototype"))
      .objectOrNull();
}

// new TextFormat(font, size, color, bold, italic, underline, url, target,
// align, leftMargin, rightMargin, indent, leading).
Value construct(NativeCall& call) {
  Object* self = call.thisObject();
  if (self == nullptr) return {};
  FieldFormat members;
  std::size_t index = 0;
  eachMember(members, [&](const char16_t* name, auto&) {
    const Value value = index < kConstructorArguments ? call.arg(index) : Value();
    ++index;
    call.vm.setMember(self, QString::fromUtf16(name), value.isUndefined() ? Value::null() : value);
  });
  return {};
}

// getTextExtent(text[, width]): the text's size in this format.
Value getTextExtent(NativeCall& call) {
  const FieldFormat format = formatOfObject(call.vm, call.thisValue);
  std::optional<double> width;
  if (!call.arg(1).isNullish()) width = numberArg(call, 1);
  const TextExtent extent = call.vm.host().textExtent(format, stringArg(call, 0), width);
  Object* result = call.vm.newObject();
  const std::pair<const char*, double> members[] = {
      {"width", extent.width},
      {"height", extent.height},
      {"ascent", extent.ascent},
      {"descent", extent.descent},
      {"textFieldWidth", extent.fieldWidth},
      {"textFieldHeight", extent.fieldHeight},
  };
  for (const auto& [name, value] : members) {
    call.vm.setMember(result, QString::fromLatin1(name), Value::number(value));
  }
  return Value::object(result);
}

}  // namespace

FieldFormat formatOfObject(Vm& vm, const Value& object) {
  FieldFormat format;
  if (!object.isObject()) return format;
  eachMember(format, [&](const char16_t* name, auto& member) {
    const Value value = vm.getMember(object, QString::fromUtf16(name));
    if (!value.isNullish()) read(vm, value, member);
  });
  return format;
}

Value objectOfFormat(Vm& vm, const FieldFormat& format) {
  Object* object = vm.newObject(textFormatProto(vm));
  eachMember(format, [&](const char16_t* name, const auto& member) {
    vm.setMember(object, QString::fromUtf16(name), member ? write(vm, *member) : Value::null());
  });
  return Value::object(object);
}

void installTextFormat(Vm& vm) {
  Object* proto = vm.newObject();
  defineClass(vm, QStringLiteral("TextFormat"), construct, proto);
  vm.defineMethod(proto, QStringLiteral("getTextExtent"), getTextExtent);
}

}  // namespace quelvo::swf::avm1
