#include "swf/avm1/builtins/BitmapDataArgs.h"

#include <array>
#include <cmath>

#include "swf/avm1/NumberText.h"
#include "swf/avm1/Vm.h"
#include "swf/avm1/builtins/NativeSupport.h"

namespace quelvo::swf::avm1 {

namespace {

double member(Vm& vm, const Value& target, const char* name) {
  return vm.toNumber(vm.getMember(target, QString::fromLatin1(name)));
}

}  // namespace

BitmapDataObject* bitmapDataOf(const Value& value) {
  Object* object = value.objectOrNull();
  return object != nullptr && object->kind() == ObjectKind::BitmapData
             ? static_cast<BitmapDataObject*>(object)
             : nullptr;
}

BitmapSurface* surfaceArg(NativeCall& call, std::size_t index) {
  const BitmapDataObject* bitmap = bitmapDataOf(call.arg(index));
  return bitmap ? bitmap->live() : nullptr;
}

BitmapSurface* thisSurface(NativeCall& call) {
  const BitmapDataObject* bitmap = bitmapDataOf(call.thisValue);
  return bitmap ? bitmap->live() : nullptr;
}

BitmapSurface* thisSurfaceForWork(NativeCall& call, std::uint64_t passes) {
  BitmapSurface* surface = thisSurface(call);
  if (surface != nullptr) {
    const auto pixels = std::uint64_t(surface->width()) * std::uint64_t(surface->height());
    call.vm.chargeSteps(pixels * passes / 1024 + 1);
  }
  return surface;
}

std::optional<PixelRect> rectArg(NativeCall& call, std::size_t index) {
  const Value rect = call.arg(index);
  if (rect.objectOrNull() == nullptr) return std::nullopt;
  return pixelRect(member(call.vm, rect, "x"), member(call.vm, rect, "y"),
                   member(call.vm, rect, "width"), member(call.vm, rect, "height"));
}

std::optional<std::pair<int, int>> pointArg(NativeCall& call, std::size_t index) {
  const Value point = call.arg(index);
  if (point.objectOrNull() == nullptr) return std::nullopt;
  return std::pair{pixelCoordinate(member(call.vm, point, "x")),
                   pixelCoordinate(member(call.vm, point, "y"))};
}

std::optional<BlockCopy> blockArgs(NativeCall& call, std::size_t index) {
  const auto from = rectArg(call, index);
  const auto to = pointArg(call, index + 1);
  if (!from || !to) return std::nullopt;
  return BlockCopy{*from, to->first, to->second};
}

std::uint32_t wordArg(NativeCall& call, std::size_t index) {
  return toUint32(numberArg(call, index));
}

int intArg(NativeCall& call, std::size_t index, int fallback) {
  return call.arg(index).isUndefined() ? fallback : toInt32(numberArg(call, index));
}

bool boolArg(NativeCall& call, std::size_t index, bool fallback) {
  return call.arg(index).isUndefined() ? fallback : call.vm.toBoolean(call.arg(index));
}

QTransform matrixArg(NativeCall& call, std::size_t index) {
  const Value matrix = call.arg(index);
  if (matrix.objectOrNull() == nullptr) return {};
  std::array<double, 6> m{};
  const char* names[] = {"a", "b", "c", "d", "tx", "ty"};
  for (std::size_t i = 0; i < m.size(); ++i) {
    m[i] = member(call.vm, matrix, names[i]);
    if (!std::isfinite(m[i])) m[i] = 0;
  }
  return QTransform(m[0], m[1], m[2], m[3], m[4], m[5]);
}

ColorTransform colorTransformArg(NativeCall& call, std::size_t index) {
  const Value transform = call.arg(index);
  ColorTransform result;
  if (transform.objectOrNull() == nullptr) return result;
  const char* multipliers[] = {"redMultiplier", "greenMultiplier", "blueMultiplier",
                               "alphaMultiplier"};
  const char* offsets[] = {"redOffset", "greenOffset", "blueOffset", "alphaOffset"};
  for (std::size_t i = 0; i < 4; ++i) {
    const double multiply = member(call.vm, transform, multipliers[i]);
    const double add = member(call.vm, transform, offsets[i]);
    result.multiply[i] = std::isfinite(multiply) ? multiply : 0;
    result.add[i] = std::isfinite(add) ? add : 0;
  }
  return result;
}

Value makeRectangle(Vm& vm, const PixelRect& rect) {
  const std::array<Value, 4> fields{Value::number(rect.x), Value::number(rect.y),
                                    Value::number(rect.width), Value::number(rect.height)};
  const Value flash = vm.getMember(Value::object(vm.global()), QStringLiteral("flash"));
  const Value geom = vm.getMember(flash, QStringLiteral("geom"));
  const Value constructor = vm.getMember(geom, QStringLiteral("Rectangle"));
  if (const Value made = vm.construct(constructor, fields); made.objectOrNull() != nullptr) {
    return made;
  }
  Object* plain = vm.newObject();
  const char* names[] = {"x", "y", "width", "height"};
  for (std::size_t i = 0; i < fields.size(); ++i) {
    vm.setMember(plain, QString::fromLatin1(names[i]), fields[i]);
  }
  return Value::object(plain);
}

}  // namespace quelvo::swf::avm1
