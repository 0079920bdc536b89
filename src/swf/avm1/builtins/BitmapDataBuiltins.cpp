// flash.display.BitmapData: making bitmaps, their pixels and block copies,
// and the MovieClip methods that show bitmaps (attachBitmap, beginBitmapFill).
#include "swf/avm1/builtins/BitmapDataArgs.h"
#include "swf/avm1/builtins/BitmapDataMethods.h"
#include "swf/avm1/builtins/Builtins.h"
#include "swf/avm1/builtins/NativeSupport.h"
#include "swf/bitmapdata/Argb.h"
#include "swf/bitmapdata/BitmapColor.h"
#include "swf/bitmapdata/BitmapFill.h"

namespace quelvo::swf::avm1 {

namespace {

// new BitmapData(width, height, transparent = true, fillColor = 0xFFFFFFFF).
// A refused size gives an object without pixels (width and height -1).
Value bitmapDataConstructor(NativeCall& call) {
  if (!call.constructing || call.thisObject() == nullptr) return {};
  auto surface = BitmapSurface::create(
      numberArg(call, 0), numberArg(call, 1), boolArg(call, 2, true),
      call.arg(3).isUndefined() ? 0xFFFFFFFFu : wordArg(call, 3),
      BitmapSizeLimit::forVersion(call.vm.swfVersion()), call.vm.bitmapBudget());
  return Value::object(
      call.vm.heap().make<BitmapDataObject>(call.thisObject()->proto(), std::move(surface)));
}

// Numbers about a bitmap without pixels read -1.
constexpr double kInvalid = -1;

Value width(NativeCall& call) {
  const BitmapSurface* self = thisSurface(call);
  return Value::number(self ? self->width() : kInvalid);
}

Value height(NativeCall& call) {
  const BitmapSurface* self = thisSurface(call);
  return Value::number(self ? self->height() : kInvalid);
}

Value transparent(NativeCall& call) {
  const BitmapSurface* self = thisSurface(call);
  return self ? Value::boolean(self->transparent()) : Value::number(kInvalid);
}

Value rectangle(NativeCall& call) {
  const BitmapSurface* self = thisSurface(call);
  return self ? makeRectangle(call.vm, self->bounds()) : Value::number(kInvalid);
}

std::pair<int, int> coordinates(NativeCall& call) {
  return {pixelCoordinate(numberArg(call, 0)), pixelCoordinate(numberArg(call, 1))};
}

Value getPixel(NativeCall& call) {
  const BitmapSurface* self = thisSurface(call);
  if (self == nullptr) return Value::number(kInvalid);
  const auto [x, y] = coordinates(call);
  return Value::number(self->pixel32(x, y) & 0xFFFFFF);
}

// A signed 32-bit number, as scripts of the time saw it.
Value getPixel32(NativeCall& call) {
  const BitmapSurface* self = thisSurface(call);
  if (self == nullptr) return Value::number(kInvalid);
  const auto [x, y] = coordinates(call);
  return Value::number(static_cast<std::int32_t>(self->pixel32(x, y)));
}

// setPixel keeps the pixel's alpha.
Value setPixel(NativeCall& call) {
  if (BitmapSurface* self = thisSurface(call)) {
    const auto [x, y] = coordinates(call);
    if (self->bounds().contains(x, y)) {
      const std::uint32_t alpha = argb::alpha(self->stored(x, y)) << 24;
      self->setPixel32(x, y, alpha | (wordArg(call, 2) & 0xFFFFFF));
    }
  }
  return {};
}

Value setPixel32(NativeCall& call) {
  if (BitmapSurface* self = thisSurface(call)) {
    const auto [x, y] = coordinates(call);
    self->setPixel32(x, y, wordArg(call, 2));
  }
  return {};
}

Value fillRectMethod(NativeCall& call) {
  BitmapSurface* self = thisSurfaceForWork(call);
  const auto area = rectArg(call, 0);
  if (self != nullptr && area) fillRect(*self, *area, wordArg(call, 1));
  return {};
}

Value floodFillMethod(NativeCall& call) {
  if (BitmapSurface* self = thisSurfaceForWork(call)) {
    const auto [x, y] = coordinates(call);
    floodFill(*self, x, y, wordArg(call, 2));
  }
  return {};
}

// copyPixels(source, sourceRect, destPoint, alphaBitmap, alphaPoint, mergeAlpha)
Value copyPixelsMethod(NativeCall& call) {
  BitmapSurface* self = thisSurfaceForWork(call);
  const BitmapSurface* source = surfaceArg(call, 0);
  const auto block = blockArgs(call, 1);
  if (self == nullptr || source == nullptr || !block) return {};
  AlphaMask mask;
  if (!call.arg(3).isUndefined() && !call.arg(3).isNull()) {
    mask.mask = surfaceArg(call, 3);
    if (mask.mask == nullptr) return {};
    const auto at = pointArg(call, 4).value_or(std::pair{0, 0});
    mask.x = at.first;
    mask.y = at.second;
  }
  copyPixels(*self, *source, *block, mask, boolArg(call, 5, false));
  return {};
}

// copyChannel(source, sourceRect, destPoint, sourceChannel, destChannel)
Value copyChannelMethod(NativeCall& call) {
  BitmapSurface* self = thisSurfaceForWork(call);
  const BitmapSurface* source = surfaceArg(call, 0);
  const auto block = blockArgs(call, 1);
  if (self != nullptr && source != nullptr && block) {
    copyChannel(*self, *source, *block, intArg(call, 3, 0), intArg(call, 4, 0));
  }
  return {};
}

// merge(source, sourceRect, destPoint, red, green, blue, alpha multipliers)
Value mergeMethod(NativeCall& call) {
  BitmapSurface* self = thisSurfaceForWork(call);
  const BitmapSurface* source = surfaceArg(call, 0);
  const auto block = blockArgs(call, 1);
  if (self == nullptr || source == nullptr || !block) return {};
  const int multipliers[4] = {intArg(call, 3, 0), intArg(call, 4, 0), intArg(call, 5, 0),
                              intArg(call, 6, 0)};
  merge(*self, *source, *block, multipliers);
  return {};
}

Value colorTransformMethod(NativeCall& call) {
  BitmapSurface* self = thisSurfaceForWork(call);
  const auto area = rectArg(call, 0);
  if (self != nullptr && area && call.arg(1).objectOrNull() != nullptr) {
    colorTransform(*self, *area, colorTransformArg(call, 1));
  }
  return {};
}

Value scrollMethod(NativeCall& call) {
  if (BitmapSurface* self = thisSurfaceForWork(call)) {
    const auto [dx, dy] = coordinates(call);
    scroll(*self, dx, dy);
  }
  return {};
}

Value cloneMethod(NativeCall& call) {
  const BitmapSurface* self = thisSurfaceForWork(call);
  return self ? newBitmapData(call.vm, self->clone()) : Value();
}

Value disposeMethod(NativeCall& call) {
  if (BitmapSurface* self = thisSurface(call)) self->dispose();
  return {};
}

// BitmapData.loadBitmap(linkageId): a bitmap character exported under that name.
Value loadBitmap(NativeCall& call) {
  const QImage picture = call.vm.host().exportedBitmap(stringArg(call, 0));
  if (picture.isNull()) return {};
  return newBitmapData(call.vm, BitmapSurface::fromImage(picture, call.vm.bitmapBudget()));
}

// MovieClip.attachBitmap(bitmap, depth, pixelSnapping, smoothing)
Value attachBitmap(NativeCall& call) {
  const ClipHandle clip = thisClip(call);
  const BitmapDataObject* bitmap = bitmapDataOf(call.arg(0));
  if (clip == kNoClip || bitmap == nullptr || !bitmap->surface) return {};
  call.vm.host().attachBitmap(clip, bitmap->surface, intArg(call, 1, 0), boolArg(call, 3, false));
  return {};
}

// MovieClip.beginBitmapFill(bitmap, matrix, repeat = true, smoothing = false)
Value beginBitmapFill(NativeCall& call) {
  const ClipHandle clip = thisClip(call);
  const BitmapDataObject* bitmap = bitmapDataOf(call.arg(0));
  if (clip == kNoClip || bitmap == nullptr || !bitmap->surface) return {};
  DrawCommand command;
  command.op = DrawCommand::Op::BeginBitmapFill;
  command.bitmap = bitmap->surface;
  const QTransform m = matrixArg(call, 1);
  command.bitmapMatrix = {m.m11(), m.m12(), m.m21(), m.m22(), m.dx(), m.dy()};
  command.args = {boolArg(call, 2, true) ? 1.0 : 0.0, boolArg(call, 3, false) ? 1.0 : 0.0, 0, 0};
  call.vm.host().draw(clip, command);
  return {};
}

Value bitmapDataClass(Vm& vm) {
  const Value flash = vm.getMember(Value::object(vm.global()), QStringLiteral("flash"));
  const Value display = vm.getMember(flash, QStringLiteral("display"));
  return vm.getMember(display, QStringLiteral("BitmapData"));
}

}  // namespace

Value newBitmapData(Vm& vm, std::shared_ptr<BitmapSurface> surface) {
  if (!surface) return {};
  const Value proto = vm.getMember(bitmapDataClass(vm), QStringLiteral("prototype"));
  return Value::object(vm.heap().make<BitmapDataObject>(proto.objectOrNull(), std::move(surface)));
}

void installBitmapData(Vm& vm) {
  const Value flash = vm.getMember(Value::object(vm.global()), QStringLiteral("flash"));
  if (vm.swfVersion() < 8 || flash.objectOrNull() == nullptr) return;
  Object* display = vm.newObject();
  vm.defineValue(flash.objectOrNull(), QStringLiteral("display"), Value::object(display));
  NativeFunction* constructor = vm.newNative(bitmapDataConstructor);
  Object* proto = vm.newObject();
  vm.attachPrototype(constructor, proto);
  vm.defineValue(display, QStringLiteral("BitmapData"), Value::object(constructor));
  vm.defineMethod(constructor, QStringLiteral("loadBitmap"), loadBitmap);
  defineAccessor(vm, proto, QStringLiteral("width"), width);
  defineAccessor(vm, proto, QStringLiteral("height"), height);
  defineAccessor(vm, proto, QStringLiteral("transparent"), transparent);
  defineAccessor(vm, proto, QStringLiteral("rectangle"), rectangle);
  const std::pair<const char*, NativeFn> methods[] = {
      {"getPixel", getPixel},           {"getPixel32", getPixel32},
      {"setPixel", setPixel},           {"setPixel32", setPixel32},
      {"fillRect", fillRectMethod},     {"floodFill", floodFillMethod},
      {"copyPixels", copyPixelsMethod}, {"copyChannel", copyChannelMethod},
      {"merge", mergeMethod},           {"colorTransform", colorTransformMethod},
      {"scroll", scrollMethod},         {"clone", cloneMethod},
      {"dispose", disposeMethod},
  };
  for (const auto& [name, fn] : methods) vm.defineMethod(proto, QString::fromLatin1(name), fn);
  defineBitmapDataEffects(vm, proto);
  if (Object* movieClip = vm.protos().movieClip) {
    vm.defineMethod(movieClip, QStringLiteral("attachBitmap"), attachBitmap);
    vm.defineMethod(movieClip, QStringLiteral("beginBitmapFill"), beginBitmapFill);
  }
}

}  // namespace quelvo::swf::avm1
