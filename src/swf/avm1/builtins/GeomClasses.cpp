// flash.geom.Point, Rectangle and ColorTransform: plain objects with number
// fields, as BitmapData reads and returns them.
#include <array>

#include "swf/avm1/NumberText.h"
#include "swf/avm1/builtins/Builtins.h"
#include "swf/avm1/builtins/NativeSupport.h"

namespace quelvo::swf::avm1 {

namespace {

double field(NativeCall& call, const Value& target, const char* name) {
  return call.vm.toNumber(call.vm.getMember(target, QString::fromLatin1(name)));
}

double numberOr(NativeCall& call, std::size_t index, double fallback) {
  return call.arg(index).isUndefined() ? fallback : numberArg(call, index);
}

template <std::size_t N>
void setFields(NativeCall& call, Object* target, const std::array<const char*, N>& names,
               const std::array<double, N>& values) {
  if (target == nullptr) return;
  for (std::size_t i = 0; i < N; ++i) {
    call.vm.setMember(target, QString::fromLatin1(names[i]), Value::number(values[i]));
  }
}

constexpr std::array<const char*, 2> kPoint{"x", "y"};
constexpr std::array<const char*, 4> kRectangle{"x", "y", "width", "height"};
constexpr std::array<const char*, 8> kColorTransform{
    "redMultiplier", "greenMultiplier", "blueMultiplier", "alphaMultiplier",
    "redOffset",     "greenOffset",     "blueOffset",     "alphaOffset"};

template <std::size_t N>
std::array<double, N> fieldsOf(NativeCall& call, const Value& target,
                               const std::array<const char*, N>& names) {
  std::array<double, N> values{};
  for (std::size_t i = 0; i < N; ++i) values[i] = field(call, target, names[i]);
  return values;
}

// A new object of this's class with these fields.
template <std::size_t N>
Value sameClass(NativeCall& call, const std::array<const char*, N>& names,
                const std::array<double, N>& values) {
  Object* self = call.thisObject();
  Object* made = call.vm.newObject(self ? self->proto() : nullptr);
  setFields(call, made, names, values);
  return Value::object(made);
}

Value pointConstructor(NativeCall& call) {
  if (call.constructing) {
    setFields(call, call.thisObject(), kPoint, {numberOr(call, 0, 0), numberOr(call, 1, 0)});
  }
  return call.thisValue;
}

Value pointToString(NativeCall& call) {
  const auto p = fieldsOf(call, call.thisValue, kPoint);
  return Value::string(QStringLiteral("(x=%1, y=%2)").arg(formatNumber(p[0]), formatNumber(p[1])));
}

Value pointClone(NativeCall& call) {
  return sameClass(call, kPoint, fieldsOf(call, call.thisValue, kPoint));
}

// add(other) and subtract(other): a new point.
Value pointCombine(NativeCall& call, double sign) {
  const auto p = fieldsOf(call, call.thisValue, kPoint);
  const auto q = fieldsOf(call, call.arg(0), kPoint);
  return sameClass(call, kPoint, {p[0] + sign * q[0], p[1] + sign * q[1]});
}
Value pointAdd(NativeCall& call) { return pointCombine(call, 1); }
Value pointSubtract(NativeCall& call) { return pointCombine(call, -1); }

Value pointOffset(NativeCall& call) {
  const auto p = fieldsOf(call, call.thisValue, kPoint);
  setFields(call, call.thisObject(), kPoint,
            {p[0] + numberArg(call, 0), p[1] + numberArg(call, 1)});
  return {};
}

Value pointEquals(NativeCall& call) {
  if (call.arg(0).objectOrNull() == nullptr) return Value::boolean(false);
  return Value::boolean(fieldsOf(call, call.thisValue, kPoint) ==
                        fieldsOf(call, call.arg(0), kPoint));
}

Value rectangleConstructor(NativeCall& call) {
  if (call.constructing) {
    setFields(
        call, call.thisObject(), kRectangle,
        {numberOr(call, 0, 0), numberOr(call, 1, 0), numberOr(call, 2, 0), numberOr(call, 3, 0)});
  }
  return call.thisValue;
}

Value rectangleToString(NativeCall& call) {
  const auto r = fieldsOf(call, call.thisValue, kRectangle);
  return Value::string(
      QStringLiteral("(x=%1, y=%2, w=%3, h=%4)")
          .arg(formatNumber(r[0]), formatNumber(r[1]), formatNumber(r[2]), formatNumber(r[3])));
}

Value rectangleClone(NativeCall& call) {
  return sameClass(call, kRectangle, fieldsOf(call, call.thisValue, kRectangle));
}

Value rectangleIsEmpty(NativeCall& call) {
  const auto r = fieldsOf(call, call.thisValue, kRectangle);
  return Value::boolean(!(r[2] > 0 && r[3] > 0));
}

Value rectangleSetEmpty(NativeCall& call) {
  setFields(call, call.thisObject(), kRectangle, {0, 0, 0, 0});
  return {};
}

Value rectangleContains(NativeCall& call) {
  const auto r = fieldsOf(call, call.thisValue, kRectangle);
  const double x = numberArg(call, 0);
  const double y = numberArg(call, 1);
  return Value::boolean(x >= r[0] && y >= r[1] && x < r[0] + r[2] && y < r[1] + r[3]);
}

Value rectangleOffset(NativeCall& call) {
  const auto r = fieldsOf(call, call.thisValue, kRectangle);
  setFields(call, call.thisObject(), kRectangle,
            {r[0] + numberArg(call, 0), r[1] + numberArg(call, 1), r[2], r[3]});
  return {};
}

Value rectangleInflate(NativeCall& call) {
  const auto r = fieldsOf(call, call.thisValue, kRectangle);
  const double dx = numberArg(call, 0);
  const double dy = numberArg(call, 1);
  setFields(call, call.thisObject(), kRectangle,
            {r[0] - dx, r[1] - dy, r[2] + 2 * dx, r[3] + 2 * dy});
  return {};
}

Value rectangleEquals(NativeCall& call) {
  if (call.arg(0).objectOrNull() == nullptr) return Value::boolean(false);
  return Value::boolean(fieldsOf(call, call.thisValue, kRectangle) ==
                        fieldsOf(call, call.arg(0), kRectangle));
}

Value colorTransformConstructor(NativeCall& call) {
  if (call.constructing) {
    std::array<double, 8> values{};
    for (std::size_t i = 0; i < values.size(); ++i) values[i] = numberOr(call, i, i < 4 ? 1 : 0);
    setFields(call, call.thisObject(), kColorTransform, values);
  }
  return call.thisValue;
}

struct Method {
  const char* name;
  NativeFn fn;
};

void defineGeomClass(Vm& vm, Object* geom, const char* name, NativeFn constructor,
                     std::initializer_list<Method> methods) {
  NativeFunction* function = vm.newNative(constructor);
  Object* proto = vm.newObject();
  vm.attachPrototype(function, proto);
  vm.defineValue(geom, QString::fromLatin1(name), Value::object(function));
  for (const Method& method : methods) {
    vm.defineMethod(proto, QString::fromLatin1(method.name), method.fn);
  }
}

}  // namespace

void installGeomClasses(Vm& vm, Object* geom) {
  defineGeomClass(vm, geom, "Point", pointConstructor,
                  {{"toString", pointToString},
                   {"clone", pointClone},
                   {"add", pointAdd},
                   {"subtract", pointSubtract},
                   {"offset", pointOffset},
                   {"equals", pointEquals}});
  defineGeomClass(vm, geom, "Rectangle", rectangleConstructor,
                  {{"toString", rectangleToString},
                   {"clone", rectangleClone},
                   {"isEmpty", rectangleIsEmpty},
                   {"setEmpty", rectangleSetEmpty},
                   {"contains", rectangleContains},
                   {"offset", rectangleOffset},
                   {"inflate", rectangleInflate},
                   {"equals", rectangleEquals}});
  defineGeomClass(vm, geom, "ColorTransform", colorTransformConstructor, {});
}

}  // namespace quelvo::swf::avm1
