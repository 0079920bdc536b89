// flash.filters, and the filters, blendMode and cacheAsBitmap properties
// of clips and text fields, read and written through the host.
#include <array>
#include <cmath>

#include "swf/avm1/builtins/Builtins.h"
#include "swf/avm1/builtins/FilterClasses.h"
#include "swf/avm1/builtins/NativeSupport.h"

namespace quelvo::swf::avm1 {

namespace {

using effects::BlendMode;

// By number, from Normal (1) on.
constexpr std::array<const char*, 14> kBlendNames{
    "normal", "layer",    "multiply", "screen", "lighten", "darken",  "difference",
    "add",    "subtract", "invert",   "alpha",  "erase",   "overlay", "hardlight"};

std::optional<DisplayEffects> effectsOf(NativeCall& call) {
  return call.vm.host().displayEffects(Vm::clipOf(call.thisValue));
}

// Reads the effects, lets change alter them, and gives them back.
template <class Change>
void changeEffects(NativeCall& call, Change change) {
  const ClipHandle clip = Vm::clipOf(call.thisValue);
  auto current = call.vm.host().displayEffects(clip);
  if (!current) return;
  change(*current);
  call.vm.host().setDisplayEffects(clip, *current);
}

// Copies both ways: changing what the getter gave or the array that was set
// leaves the clip as it is.
Value getFilters(NativeCall& call) {
  const auto current = effectsOf(call);
  return current ? filterListToScript(call.vm, current->filters) : Value();
}

Value setFilters(NativeCall& call) {
  auto filters = filterListFromScript(call.vm, call.arg(0));
  changeEffects(call, [&](DisplayEffects& effects) { effects.filters = std::move(filters); });
  return {};
}

Value getBlendMode(NativeCall& call) {
  const auto current = effectsOf(call);
  return current ? Value::string(blendModeName(current->blendMode)) : Value();
}

Value setBlendMode(NativeCall& call) {
  if (const auto mode = blendModeFromScript(call.vm, call.arg(0))) {
    changeEffects(call, [&](DisplayEffects& effects) { effects.blendMode = *mode; });
  }
  return {};
}

// A clip with filters is drawn as a bitmap whatever the flag says.
Value getCacheAsBitmap(NativeCall& call) {
  const auto current = effectsOf(call);
  if (!current) return {};
  return Value::boolean(current->cacheAsBitmap || !current->filters.empty());
}

Value setCacheAsBitmap(NativeCall& call) {
  const bool cache = call.vm.toBoolean(call.arg(0));
  changeEffects(call, [&](DisplayEffects& effects) { effects.cacheAsBitmap = cache; });
  return {};
}

void defineDisplayEffects(Vm& vm, Object* proto) {
  if (proto == nullptr) return;
  defineAccessor(vm, proto, QStringLiteral("filters"), getFilters, setFilters);
  defineAccessor(vm, proto, QStringLiteral("blendMode"), getBlendMode, setBlendMode);
  defineAccessor(vm, proto, QStringLiteral("cacheAsBitmap"), getCacheAsBitmap, setCacheAsBitmap);
}

}  // namespace

QString blendModeName(BlendMode mode) {
  return QString::fromLatin1(kBlendNames[std::size_t(mode) - 1]);
}

std::optional<BlendMode> blendModeFromScript(Vm& vm, const Value& value) {
  if (value.isNumber()) {
    const double number = value.asNumber();
    if (number >= 1 && number <= double(kBlendNames.size()) && number == std::trunc(number)) {
      return BlendMode(int(number));
    }
    return std::nullopt;
  }
  if (!value.isString() && value.objectOrNull() == nullptr) return std::nullopt;
  const QString name = vm.toString(value);
  for (std::size_t i = 0; i < kBlendNames.size(); ++i) {
    if (name == QLatin1String(kBlendNames[i])) return BlendMode(int(i) + 1);
  }
  return std::nullopt;
}

void installFilters(Vm& vm) {
  const Value flash = vm.getMember(Value::object(vm.global()), QStringLiteral("flash"));
  if (vm.swfVersion() < 8 || flash.objectOrNull() == nullptr) return;
  Object* package = vm.newObject();
  vm.defineValue(flash.objectOrNull(), QStringLiteral("filters"), Value::object(package));
  installFilterClasses(vm, package);
  defineDisplayEffects(vm, vm.protos().movieClip);
  defineDisplayEffects(vm, vm.protos().textField);
  const Value display = vm.getMember(flash, QStringLiteral("display"));
  const Value bitmapData = vm.getMember(display, QStringLiteral("BitmapData"));
  if (Object* proto = vm.getMember(bitmapData, QStringLiteral("prototype")).objectOrNull()) {
    defineFilterBitmapMethods(vm, proto);
  }
}

}  // namespace quelvo::swf::avm1
