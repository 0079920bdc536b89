#include <cmath>

#include "swf/avm1/NumberText.h"
#include "swf/avm1/builtins/ArraySort.h"
#include "swf/avm1/builtins/Builtins.h"
#include "swf/avm1/builtins/NativeSupport.h"

namespace quelvo::swf::avm1 {

namespace {

ArrayObject* thisArray(NativeCall& call) { return asArray(call.thisValue); }

// A start or end argument: negative counts from the end; clamped to the array.
std::size_t relativeIndex(double value, std::size_t length, std::size_t fallback) {
  if (std::isnan(value)) return fallback;
  const double size = static_cast<double>(length);
  const double index =
      value < 0 ? std::max(0.0, size + std::trunc(value)) : std::min(size, std::trunc(value));
  return static_cast<std::size_t>(index);
}

void reserve(Vm& vm, double length) {
  vm.reserveArray(0, length > 4294967295.0 ? SIZE_MAX : static_cast<std::size_t>(length));
}

Value arrayConstructor(NativeCall& call) {
  Object* proto =
      call.constructing && call.thisObject() != nullptr ? call.thisObject()->proto() : nullptr;
  std::vector<Value> elements;
  if (call.args.size() == 1 && call.args[0].isNumber()) {
    const double length = call.args[0].asNumber();
    if (length >= 0 && length == std::floor(length)) {
      reserve(call.vm, length);
      elements.resize(static_cast<std::size_t>(length));
    } else {
      elements.push_back(call.args[0]);
    }
  } else {
    elements.assign(call.args.begin(), call.args.end());
  }
  return Value::object(call.vm.newArray(std::move(elements), proto));
}

Value arrayPush(NativeCall& call) {
  ArrayObject* array = thisArray(call);
  if (array == nullptr) return {};
  call.vm.reserveArray(array->elements.size(), array->elements.size() + call.args.size());
  array->elements.insert(array->elements.end(), call.args.begin(), call.args.end());
  return Value::number(static_cast<double>(array->elements.size()));
}

Value arrayPop(NativeCall& call) {
  ArrayObject* array = thisArray(call);
  if (array == nullptr || array->elements.empty()) return {};
  Value last = array->elements.back();
  array->elements.pop_back();
  return last;
}

Value arrayShift(NativeCall& call) {
  ArrayObject* array = thisArray(call);
  if (array == nullptr || array->elements.empty()) return {};
  call.vm.chargeSteps(array->elements.size());
  Value first = array->elements.front();
  array->elements.erase(array->elements.begin());
  return first;
}

Value arrayUnshift(NativeCall& call) {
  ArrayObject* array = thisArray(call);
  if (array == nullptr) return {};
  call.vm.reserveArray(array->elements.size(), array->elements.size() + call.args.size());
  call.vm.chargeSteps(array->elements.size());
  array->elements.insert(array->elements.begin(), call.args.begin(), call.args.end());
  return Value::number(static_cast<double>(array->elements.size()));
}

Value arraySlice(NativeCall& call) {
  ArrayObject* array = thisArray(call);
  if (array == nullptr) return {};
  const std::size_t length = array->elements.size();
  const std::size_t start = relativeIndex(numberArg(call, 0), length, 0);
  const std::size_t end =
      call.arg(1).isUndefined() ? length : relativeIndex(numberArg(call, 1), length, 0);
  std::vector<Value> part;
  if (end > start) {
    call.vm.chargeSteps(end - start);
    part.assign(array->elements.begin() + static_cast<std::ptrdiff_t>(start),
                array->elements.begin() + static_cast<std::ptrdiff_t>(end));
  }
  return Value::object(call.vm.newArray(std::move(part)));
}

Value arraySplice(NativeCall& call) {
  ArrayObject* array = thisArray(call);
  if (array == nullptr || call.args.empty()) return {};
  auto& elements = array->elements;
  const std::size_t start = relativeIndex(numberArg(call, 0), elements.size(), 0);
  std::size_t count = elements.size() - start;
  if (call.args.size() > 1) {
    const double wanted = numberArg(call, 1);
    count = std::isnan(wanted) || wanted < 0
                ? 0
                : static_cast<std::size_t>(std::min(wanted, static_cast<double>(count)));
  }
  const auto inserted = call.args.size() > 2 ? call.args.subspan(2) : std::span<const Value>();
  call.vm.reserveArray(elements.size(), elements.size() - count + inserted.size());
  call.vm.chargeSteps(elements.size());
  const auto first = elements.begin() + static_cast<std::ptrdiff_t>(start);
  std::vector<Value> removed(first, first + static_cast<std::ptrdiff_t>(count));
  elements.erase(first, first + static_cast<std::ptrdiff_t>(count));
  elements.insert(elements.begin() + static_cast<std::ptrdiff_t>(start), inserted.begin(),
                  inserted.end());
  return Value::object(call.vm.newArray(std::move(removed)));
}

QString joinElements(Vm& vm, const ArrayObject& array, const QString& separator) {
  const std::vector<Value> elements = array.elements;  // toString may change the array
  vm.chargeSteps(elements.size());
  QString text;
  for (std::size_t i = 0; i < elements.size(); ++i) {
    const QString part = vm.toString(elements[i]);
    const qsizetype added = part.size() + (i > 0 ? separator.size() : 0);
    vm.reserveString(text.size() + added);
    if (i > 0) text += separator;
    text += part;
  }
  return text;
}

Value arrayJoin(NativeCall& call) {
  ArrayObject* array = thisArray(call);
  if (array == nullptr) return {};
  const QString separator = call.arg(0).isUndefined() ? QStringLiteral(",") : stringArg(call, 0);
  return Value::string(joinElements(call.vm, *array, separator));
}

Value arrayToString(NativeCall& call) {
  ArrayObject* array = thisArray(call);
  if (array == nullptr) return Value::string(QStringLiteral("[object Object]"));
  return Value::string(joinElements(call.vm, *array, QStringLiteral(",")));
}

Value arrayReverse(NativeCall& call) {
  ArrayObject* array = thisArray(call);
  if (array == nullptr) return {};
  call.vm.chargeSteps(array->elements.size());
  std::reverse(array->elements.begin(), array->elements.end());
  return call.thisValue;
}

Value arrayConcat(NativeCall& call) {
  ArrayObject* array = thisArray(call);
  if (array == nullptr) return {};
  std::vector<Value> joined = array->elements;
  for (const Value& arg : call.args) {
    if (const ArrayObject* other = asArray(arg)) {
      call.vm.reserveArray(joined.size(), joined.size() + other->elements.size());
      joined.insert(joined.end(), other->elements.begin(), other->elements.end());
    } else {
      call.vm.reserveArray(joined.size(), joined.size() + 1);
      joined.push_back(arg);
    }
  }
  call.vm.chargeSteps(joined.size());
  return Value::object(call.vm.newArray(std::move(joined)));
}

// sort(), sort(flags), sort(compare), sort(compare, flags)
Value arraySort(NativeCall& call) {
  ArrayObject* array = thisArray(call);
  if (array == nullptr) return {};
  const Value first = call.arg(0);
  const bool hasCompare = first.isObject() && first.asObject()->isFunction();
  const Value flagsArg = hasCompare ? call.arg(1) : first;
  const int flags = flagsArg.isUndefined() ? 0 : toInt32(call.vm.toNumber(flagsArg));
  return sortArray(call.vm, *array, hasCompare ? first : Value(), flags, {});
}

// sortOn("field", flags) or sortOn(["field", "other"], flags)
Value arraySortOn(NativeCall& call) {
  ArrayObject* array = thisArray(call);
  if (array == nullptr) return {};
  std::vector<QString> fields;
  if (const ArrayObject* names = asArray(call.arg(0))) {
    for (const Value& name : names->elements) fields.push_back(call.vm.toString(name));
  } else {
    fields.push_back(stringArg(call, 0));
  }
  if (fields.empty()) return call.thisValue;
  const int flags = call.arg(1).isUndefined() ? 0 : toInt32(numberArg(call, 1));
  return sortArray(call.vm, *array, Value(), flags, fields);
}

}  // namespace

void installArray(Vm& vm) {
  Object* proto = vm.newObject();
  vm.protos().array = proto;
  NativeFunction* constructor = defineClass(vm, QStringLiteral("Array"), arrayConstructor, proto);
  vm.defineValue(constructor, QStringLiteral("CASEINSENSITIVE"),
                 Value::number(SortCaseInsensitive));
  vm.defineValue(constructor, QStringLiteral("DESCENDING"), Value::number(SortDescending));
  vm.defineValue(constructor, QStringLiteral("UNIQUESORT"), Value::number(SortUnique));
  vm.defineValue(constructor, QStringLiteral("RETURNINDEXEDARRAY"),
                 Value::number(SortReturnIndexedArray));
  vm.defineValue(constructor, QStringLiteral("NUMERIC"), Value::number(SortNumeric));
  vm.defineMethod(proto, QStringLiteral("push"), arrayPush);
  vm.defineMethod(proto, QStringLiteral("pop"), arrayPop);
  vm.defineMethod(proto, QStringLiteral("shift"), arrayShift);
  vm.defineMethod(proto, QStringLiteral("unshift"), arrayUnshift);
  vm.defineMethod(proto, QStringLiteral("slice"), arraySlice);
  vm.defineMethod(proto, QStringLiteral("splice"), arraySplice);
  vm.defineMethod(proto, QStringLiteral("join"), arrayJoin);
  vm.defineMethod(proto, QStringLiteral("toString"), arrayToString);
  vm.defineMethod(proto, QStringLiteral("reverse"), arrayReverse);
  vm.defineMethod(proto, QStringLiteral("concat"), arrayConcat);
  vm.defineMethod(proto, QStringLiteral("sort"), arraySort);
  vm.defineMethod(proto, QStringLiteral("sortOn"), arraySortOn);
}

}  // namespace quelvo::swf::avm1
