#include <array>
#include <cmath>

#include "swf/avm1/builtins/Builtins.h"
#include "swf/avm1/builtins/NativeSupport.h"

namespace quelvo::swf::avm1 {

namespace {

// The gradient square of the drawing API is 1638.4 pixels wide.
constexpr double kGradientSquare = 1638.4;

double numberOr(NativeCall& call, std::size_t index, double fallback) {
  return call.arg(index).isUndefined() ? fallback : numberArg(call, index);
}

void setFields(NativeCall& call, const std::array<double, 6>& values) {
  Object* self = call.thisObject();
  if (self == nullptr) return;
  const char* names[] = {"a", "b", "c", "d", "tx", "ty"};
  for (std::size_t i = 0; i < values.size(); ++i) {
    call.vm.setMember(self, QString::fromLatin1(names[i]), Value::number(values[i]));
  }
}

// new Matrix(a, b, c, d, tx, ty): the identity by default.
Value matrixConstructor(NativeCall& call) {
  if (!call.constructing) return {};
  setFields(call, {numberOr(call, 0, 1), numberOr(call, 1, 0), numberOr(call, 2, 0),
                   numberOr(call, 3, 1), numberOr(call, 4, 0), numberOr(call, 5, 0)});
  return call.thisValue;
}

// Rotation, then scale, then translation.
void setBox(NativeCall& call, double scaleX, double scaleY, double tx, double ty) {
  const double rotation = numberOr(call, 2, 0);
  const double cos = std::cos(rotation);
  const double sin = std::sin(rotation);
  setFields(call, {cos * scaleX, sin * scaleY, -sin * scaleX, cos * scaleY, tx, ty});
}

// createBox(scaleX, scaleY, rotation, tx, ty)
Value createBox(NativeCall& call) {
  setBox(call, numberArg(call, 0), numberArg(call, 1), numberOr(call, 3, 0), numberOr(call, 4, 0));
  return {};
}

// createGradientBox(width, height, rotation, tx, ty): the gradient square
// stretched over the box.
Value createGradientBox(NativeCall& call) {
  const double width = numberArg(call, 0);
  const double height = numberArg(call, 1);
  setBox(call, width / kGradientSquare, height / kGradientSquare, numberOr(call, 3, 0) + width / 2,
         numberOr(call, 4, 0) + height / 2);
  return {};
}

}  // namespace

void installGeom(Vm& vm) {
  if (vm.swfVersion() < 8) return;
  Object* flash = vm.newObject();
  Object* geom = vm.newObject();
  vm.defineValue(vm.global(), QStringLiteral("flash"), Value::object(flash));
  vm.defineValue(flash, QStringLiteral("geom"), Value::object(geom));
  NativeFunction* matrix = vm.newNative(matrixConstructor);
  Object* proto = vm.newObject();
  vm.attachPrototype(matrix, proto);
  vm.defineValue(geom, QStringLiteral("Matrix"), Value::object(matrix));
  vm.defineMethod(proto, QStringLiteral("createBox"), createBox);
  vm.defineMethod(proto, QStringLiteral("createGradientBox"), createGradientBox);
  installGeomClasses(vm, geom);
}

}  // namespace quelvo::swf::avm1
