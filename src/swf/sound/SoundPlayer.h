#pragma once

#include <cstdint>
#include <vector>

#include "swf/model/Movie.h"
#include "swf/runtime/SoundRunner.h"
#include "swf/sound/Mixer.h"
#include "swf/sound/ScriptSounds.h"
#include "swf/sound/SoundBank.h"

namespace quelvo::swf {

// The sounds of one playback: what frames, buttons and scripts start goes
// into the mixer. A timeline's stream plays on while the timeline plays on,
// and starts again at a frame's own block after a jump. A timeline's sounds
// belong to it, for the Sound objects of that clip.
class SoundPlayer final : public SoundRunner {
 public:
  explicit SoundPlayer(const Movie& movie) : bank_(movie) {}

  Mixer& mixer() { return mixer_; }
  const Mixer& mixer() const { return mixer_; }
  SoundBank& bank() { return bank_; }
  ScriptSounds& scriptSounds() { return scriptSounds_; }

  // Starts a DefineSound for the owners (see Voice) as StartSound does:
  // SyncStop stops it instead, and SyncNoMultiple skips it while it plays.
  void startSound(std::uint16_t id, const SoundInfo& info, std::vector<std::uint64_t> owners = {});

  // Starts a timeline's stream at the frame's block unless it plays already,
  // as when a timeline that showed its frame stopped starts playing.
  void continueStream(const TimelineInstance& timeline, std::size_t frame) {
    startStream(timeline, frame, true);
  }

  void frameShown(const TimelineInstance& timeline, std::size_t frame, bool playedOn) override;
  void streamEnds(std::uint64_t timeline) override { mixer_.stopStream(timeline); }
  void buttonTransition(std::uint16_t button, int transition) override;
  void stopAll() override { mixer_.stopAll(); }

 private:
  void startStream(const TimelineInstance& timeline, std::size_t frame, bool playedOn);

  SoundBank bank_;
  Mixer mixer_;
  ScriptSounds scriptSounds_{bank_, mixer_};
};

// The owners of a timeline's sounds: its id, then its parents' up to the root.
std::vector<std::uint64_t> soundOwners(const TimelineInstance& timeline);

}  // namespace quelvo::swf
