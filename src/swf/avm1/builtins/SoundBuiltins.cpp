#include <algorithm>
#include <cmath>
#include <optional>

#include "swf/avm1/SoundObject.h"
#include "swf/avm1/builtins/Builtins.h"
#include "swf/avm1/builtins/NativeSupport.h"

namespace quelvo::swf::avm1 {

namespace {

SoundObject* thisSound(NativeCall& call) {
  Object* self = call.thisObject();
  return self != nullptr && self->kind() == ObjectKind::Sound ? static_cast<SoundObject*>(self)
                                                              : nullptr;
}

// A whole percentage within [low, 100]; NaN counts as 0.
double percent(double value, double low) {
  return std::isnan(value) ? std::max(low, 0.0) : std::clamp(std::trunc(value), low, 100.0);
}

// new Sound(clip) controls the clip's sounds; new Sound() every sound.
Value soundConstructor(NativeCall& call) {
  if (!call.constructing || call.thisObject() == nullptr) return {};
  return Value::object(
      call.vm.heap().make<SoundObject>(call.thisObject()->proto(), Vm::clipOf(call.arg(0))));
}

void play(Vm& vm, SoundObject& self, double offsetSeconds, int loops) {
  const SoundChannel channel = vm.host().startSound(self.target, self.sound, offsetSeconds, loops);
  if (channel == 0) return;
  self.channel = channel;
  vm.soundEvents().started(channel, &self);
}

Value attachSound(NativeCall& call) {
  if (SoundObject* self = thisSound(call)) {
    self->sound = call.vm.host().exportedSound(stringArg(call, 0));
    self->positionMs = 0;
  }
  return {};
}

// start(secondOffset = 0, loops = 1)
Value start(NativeCall& call) {
  SoundObject* self = thisSound(call);
  if (self == nullptr || self->sound == 0) return {};
  const double offset = call.arg(0).isUndefined() ? 0 : numberArg(call, 0);
  const double loops = call.arg(1).isUndefined() ? 1 : numberArg(call, 1);
  play(call.vm, *self, offset, std::isnan(loops) ? 1 : int(std::clamp(loops, 1.0, 65535.0)));
  return {};
}

// stop() stops the target's sounds; stop(name) only the sound exported under name.
Value stop(NativeCall& call) {
  SoundObject* self = thisSound(call);
  if (self == nullptr) return {};
  if (const auto position = call.vm.host().channelPositionMs(self->channel)) {
    self->positionMs = *position;
  }
  const QString name = call.arg(0).isUndefined() ? QString() : stringArg(call, 0);
  call.vm.host().stopSound(self->target, name);
  return {};
}

// loadSound(url, isStreaming): the sound is there at once; onLoad hears of it
// at the end of the tick, once the scripts running now are done. A streaming
// sound starts playing straight away.
Value loadSound(NativeCall& call) {
  SoundObject* self = thisSound(call);
  if (self == nullptr) return {};
  const SoundId sound = call.vm.host().loadSound(stringArg(call, 0));
  if (sound != 0) {
    self->sound = sound;
    self->positionMs = 0;
    if (call.vm.toBoolean(call.arg(1))) play(call.vm, *self, 0, 1);
  }
  call.vm.soundEvents().loaded(self, sound != 0);
  return {};
}

// The target's transform; nothing when this is no Sound.
std::optional<SoundTransform> transformOf(NativeCall& call) {
  const SoundObject* self = thisSound(call);
  if (self == nullptr) return std::nullopt;
  return call.vm.host().soundTransform(self->target);
}

template <typename Change>
Value changeTransform(NativeCall& call, Change change) {
  const SoundObject* self = thisSound(call);
  if (self == nullptr) return {};
  Host& host = call.vm.host();
  SoundTransform transform = host.soundTransform(self->target);
  change(transform);
  host.setSoundTransform(self->target, transform);
  return {};
}

Value setVolume(NativeCall& call) {
  const double volume = percent(numberArg(call, 0), 0);
  return changeTransform(call, [&](SoundTransform& t) { t.volume = volume; });
}

Value getVolume(NativeCall& call) {
  const auto transform = transformOf(call);
  return transform ? Value::number(transform->volume) : Value();
}

// A pan below 0 turns the right channel down, above 0 the left one.
Value setPan(NativeCall& call) {
  const double pan = percent(numberArg(call, 0), -100);
  return changeTransform(call, [&](SoundTransform& t) {
    t.ll = pan > 0 ? 100 - pan : 100;
    t.rr = pan < 0 ? 100 + pan : 100;
    t.lr = t.rl = 0;
  });
}

Value getPan(NativeCall& call) {
  const auto transform = transformOf(call);
  return transform ? Value::number(transform->rr - transform->ll) : Value();
}

constexpr std::pair<const char*, double SoundTransform::*> kChannels[] = {
    {"ll", &SoundTransform::ll},
    {"lr", &SoundTransform::lr},
    {"rr", &SoundTransform::rr},
    {"rl", &SoundTransform::rl},
};

// setTransform({ll, lr, rr, rl}): members left out keep their values.
Value setTransform(NativeCall& call) {
  const Value levels = call.arg(0);
  if (levels.objectOrNull() == nullptr) return {};
  return changeTransform(call, [&](SoundTransform& t) {
    for (const auto& [name, field] : kChannels) {
      const Value level = call.vm.getMember(levels, QString::fromLatin1(name));
      if (!level.isUndefined()) t.*field = percent(call.vm.toNumber(level), 0);
    }
  });
}

Value getTransform(NativeCall& call) {
  const auto transform = transformOf(call);
  if (!transform) return {};
  Object* levels = call.vm.newObject();
  for (const auto& [name, field] : kChannels) {
    call.vm.setMember(levels, QString::fromLatin1(name), Value::number((*transform).*field));
  }
  return Value::object(levels);
}

Value duration(NativeCall& call) {
  const SoundObject* self = thisSound(call);
  if (self == nullptr) return {};
  return Value::number(std::round(call.vm.host().soundDurationMs(self->sound)));
}

Value position(NativeCall& call) {
  const SoundObject* self = thisSound(call);
  if (self == nullptr) return {};
  const auto playing = call.vm.host().channelPositionMs(self->channel);
  return Value::number(std::round(playing.value_or(self->positionMs)));
}

}  // namespace

void installSound(Vm& vm) {
  Object* proto = vm.newObject();
  defineClass(vm, QStringLiteral("Sound"), soundConstructor, proto);
  const std::pair<const char*, NativeFn> methods[] = {
      {"attachSound", attachSound},
      {"start", start},
      {"stop", stop},
      {"loadSound", loadSound},
      {"setVolume", setVolume},
      {"getVolume", getVolume},
      {"setPan", setPan},
      {"getPan", getPan},
      {"setTransform", setTransform},
      {"getTransform", getTransform},
  };
  for (const auto& [name, fn] : methods) vm.defineMethod(proto, QString::fromLatin1(name), fn);
  defineAccessor(vm, proto, QStringLiteral("duration"), duration);
  defineAccessor(vm, proto, QStringLiteral("position"), position);
}

}  // namespace quelvo::swf::avm1
