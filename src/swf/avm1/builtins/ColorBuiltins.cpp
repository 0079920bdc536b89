// The Color class: a clip's colour transform as scripts of SWF 5 to 7 set it.
#include <algorithm>
#include <array>
#include <cmath>

#include "swf/avm1/NumberText.h"
#include "swf/avm1/builtins/Builtins.h"
#include "swf/avm1/builtins/NativeSupport.h"

namespace quelvo::swf::avm1 {

namespace {

// Where a Color object keeps the target it was made for: a clip or a path.
const QString& targetName() {
  static const QString name = QStringLiteral("__colorTarget");
  return name;
}

// The members of a transform object, by channel: percent multipliers and offsets.
constexpr std::array<const char*, 4> kMultiplierNames{"ra", "ga", "ba", "aa"};
constexpr std::array<const char*, 4> kOffsetNames{"rb", "gb", "bb", "ab"};
// What the player keeps of a channel: multipliers and offsets in 8.8 fixed point.
constexpr double kMaxMultiplier = 128.0;
constexpr double kMaxOffset = 32767.0;

// The clip the Color object acts on; kNoClip when it names none (any more).
ClipHandle targetClip(NativeCall& call) {
  Object* self = call.thisObject();
  if (self == nullptr) return kNoClip;
  const Value target = call.vm.getMember(call.thisValue, targetName());
  if (target.isObject()) return Vm::clipOf(target);
  if (target.isNullish()) return kNoClip;
  const Value found = call.vm.getVariable(call.vm.host().rootClip(), call.vm.toString(target));
  return Vm::clipOf(found);
}

double bounded(double value, double limit) {
  return std::isfinite(value) ? std::clamp(value, -limit, limit) : 0.0;
}

Value construct(NativeCall& call) {
  if (!call.constructing || call.thisObject() == nullptr) return {};
  call.vm.defineValue(call.thisObject(), targetName(), call.arg(0));
  return {};
}

// setRGB(0xRRGGBB): the colour's channels replace the clip's; alpha stays.
Value setRGB(NativeCall& call) {
  const ClipHandle clip = targetClip(call);
  auto transform = clip != kNoClip ? call.vm.host().colorTransform(clip) : std::nullopt;
  if (!transform) return {};
  const std::uint32_t rgb = toUint32(numberArg(call, 0));
  for (std::size_t channel = 0; channel < 3; ++channel) {
    transform->multiply[channel] = 0;
    transform->add[channel] = (rgb >> (16 - 8 * channel)) & 0xFF;
  }
  call.vm.host().setColorTransform(clip, *transform);
  return {};
}

// The offsets as a colour, each channel clamped to 0-255.
Value getRGB(NativeCall& call) {
  const ClipHandle clip = targetClip(call);
  const auto transform = clip != kNoClip ? call.vm.host().colorTransform(clip) : std::nullopt;
  if (!transform) return {};
  std::uint32_t rgb = 0;
  for (std::size_t channel = 0; channel < 3; ++channel) {
    const double offset = std::clamp(std::round(transform->add[channel]), 0.0, 255.0);
    rgb = (rgb << 8) | static_cast<std::uint32_t>(offset);
  }
  return Value::number(rgb);
}

Value getTransform(NativeCall& call) {
  const ClipHandle clip = targetClip(call);
  const auto transform = clip != kNoClip ? call.vm.host().colorTransform(clip) : std::nullopt;
  if (!transform) return {};
  Object* result = call.vm.newObject();
  for (std::size_t channel = 0; channel < 4; ++channel) {
    call.vm.setMember(result, QString::fromLatin1(kMultiplierNames[channel]),
                      Value::number(transform->multiply[channel] * 100));
    call.vm.setMember(result, QString::fromLatin1(kOffsetNames[channel]),
                      Value::number(transform->add[channel]));
  }
  return Value::object(result);
}

// setTransform(object): the members the object has replace those parts;
// the others stay.
Value setTransform(NativeCall& call) {
  const ClipHandle clip = targetClip(call);
  Object* parts = call.arg(0).objectOrNull();
  auto transform = clip != kNoClip && parts ? call.vm.host().colorTransform(clip) : std::nullopt;
  if (!transform) return {};
  const auto read = [&](const char* name, double& into, double scale, double limit) {
    const QString member = QString::fromLatin1(name);
    if (!call.vm.hasProperty(parts, member)) return;
    into = bounded(call.vm.toNumber(call.vm.getMember(call.arg(0), member)) / scale, limit);
  };
  for (std::size_t channel = 0; channel < 4; ++channel) {
    read(kMultiplierNames[channel], transform->multiply[channel], 100, kMaxMultiplier);
    read(kOffsetNames[channel], transform->add[channel], 1, kMaxOffset);
  }
  call.vm.host().setColorTransform(clip, *transform);
  return {};
}

}  // namespace

void installColor(Vm& vm) {
  Object* proto = vm.newObject();
  defineClass(vm, QStringLiteral("Color"), construct, proto);
  const std::pair<const char*, NativeFn> methods[] = {
      {"setRGB", setRGB},
      {"getRGB", getRGB},
      {"setTransform", setTransform},
      {"getTransform", getTransform},
  };
  for (const auto& [name, fn] : methods) vm.defineMethod(proto, QString::fromLatin1(name), fn);
}

}  // namespace quelvo::swf::avm1
