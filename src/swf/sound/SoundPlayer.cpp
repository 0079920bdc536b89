#include "swf/sound/SoundPlayer.h"

#include "swf/base/Log.h"
#include "swf/format/TagCodes.h"
#include "swf/runtime/TimelineInstance.h"

namespace quelvo::swf {

std::vector<std::uint64_t> soundOwners(const TimelineInstance& timeline) {
  std::vector<std::uint64_t> owners;
  for (const TimelineInstance* clip = &timeline; clip; clip = clip->parent()) {
    owners.push_back(clip->id());
  }
  return owners;
}

void SoundPlayer::startSound(std::uint16_t id, const SoundInfo& info,
                             std::vector<std::uint64_t> owners) {
  if (info.syncStop) {
    mixer_.stopSound(id);
    return;
  }
  if (info.syncNoMultiple && mixer_.isPlaying(id)) return;
  Voice voice;
  voice.sound = bank_.sound(id);
  voice.soundId = id;
  voice.owners = std::move(owners);
  voice.info = info;
  mixer_.start(std::move(voice));
}

void SoundPlayer::frameShown(const TimelineInstance& timeline, std::size_t frame, bool playedOn) {
  for (const TagRecord& record : timeline.timeline().frames[frame].tags) {
    if (record.code != tags::StartSound && record.code != tags::StartSound2) continue;
    const auto start = readStartSound(record);
    if (!start) {
      qCDebug(lcSwf) << "skipping" << start.error().describe().c_str();
      continue;
    }
    const auto id = start->id ? start->id : bank_.soundOfClass(start->className);
    if (id) startSound(*id, start->info, soundOwners(timeline));
  }
  startStream(timeline, frame, playedOn);
}

void SoundPlayer::startStream(const TimelineInstance& timeline, std::size_t frame, bool playedOn) {
  const StreamSound* stream = bank_.stream(timeline.timeline());
  if (!stream) return;
  if (!playedOn) mixer_.stopStream(timeline.id());
  const auto& start = stream->frameStarts[frame];
  if (!start || mixer_.streamPosition(timeline.id())) return;
  Voice voice;
  voice.sound = stream->sound;
  voice.stream = timeline.id();
  voice.owners = soundOwners(timeline);
  voice.position = *start;
  mixer_.start(std::move(voice));
}

void SoundPlayer::buttonTransition(std::uint16_t button, int transition) {
  const ButtonSounds* sounds = bank_.buttonSounds(button);
  if (!sounds) return;
  const auto& entry = sounds->transitions.at(std::size_t(transition));
  if (entry.sound != 0) startSound(entry.sound, entry.info);
}

}  // namespace quelvo::swf
