// Sound objects: what scripts play, stop and turn up or down.
#include "swf/base/Log.h"
#include "swf/script/LocalFile.h"
#include "swf/script/ScriptHost.h"

namespace quelvo::swf {

using avm1::ClipHandle;
using avm1::kNoClip;

std::optional<std::uint16_t> ScriptHost::exported(const QString& name) const {
  const auto found = exports_.find(movie_->version() >= 7 ? name : name.toLower());
  if (found == exports_.end()) return std::nullopt;
  return found->second;
}

bool ScriptHost::runSoundEvents() {
  const bool loads = vm_->soundEvents().pendingLoads() > 0;
  vm_->runSoundLoads();
  const auto ended = sounds_.mixer().takeEnded();
  for (const EndedChannel& end : ended) {
    vm_->soundEnded(end.channel, end.completed, double(end.position) * 1000 / kOutputRate);
  }
  return loads || !ended.empty();
}

avm1::SoundId ScriptHost::exportedSound(const QString& name) {
  const auto character = exported(name);
  return character ? sounds_.scriptSounds().defined(*character) : 0;
}

avm1::SoundId ScriptHost::loadSound(const QString& url) {
  if (soundLoadsThisTick_ >= kMaxSoundLoadsPerTick) {
    qCDebug(lcSwf) << "not loading" << url << "(too many loads this tick)";
    return 0;
  }
  ++soundLoadsThisTick_;
  const auto bytes = readLocalFile(url, movieFolder_, kMaxSoundFileBytes);
  if (!bytes) {
    qCDebug(lcSwf) << "not loading" << url << "(no such local file, or too large)";
    return 0;
  }
  return sounds_.scriptSounds().loadMp3(*bytes);
}

double ScriptHost::soundDurationMs(avm1::SoundId sound) {
  return sounds_.scriptSounds().durationMs(sound);
}

avm1::SoundChannel ScriptHost::startSound(ClipHandle target, avm1::SoundId sound,
                                          double offsetSeconds, int loops) {
  std::vector<std::uint64_t> owners;
  if (target != kNoClip) {
    const TimelineInstance* instance = clip(target);
    if (!instance) return 0;
    owners = soundOwners(*instance);
  }
  return sounds_.scriptSounds().start(sound, std::move(owners), offsetSeconds, loops);
}

void ScriptHost::stopSound(ClipHandle target, const QString& name) {
  std::optional<std::uint16_t> character;
  if (!name.isEmpty()) {
    character = exported(name);
    if (!character) return;
  }
  if (target != kNoClip) {
    sounds_.mixer().stopOwned(target, character);
  } else if (character) {
    sounds_.mixer().stopSound(*character);
  } else {
    sounds_.stopAll();
  }
}

std::optional<double> ScriptHost::channelPositionMs(avm1::SoundChannel channel) {
  return sounds_.scriptSounds().positionMs(channel);
}

SoundTransform ScriptHost::soundTransform(ClipHandle target) {
  return sounds_.mixer().transform(target);
}

void ScriptHost::setSoundTransform(ClipHandle target, const SoundTransform& transform) {
  if (target == kNoClip || clip(target)) sounds_.mixer().setTransform(target, transform);
}

}  // namespace quelvo::swf
