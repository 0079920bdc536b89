#include "core/session/PlayMode.h"

namespace quelvo::core {

std::optional<PlayMode> playModeNumbered(int number) {
  for (PlayMode mode : kPlayModes) {
    if (static_cast<int>(mode) == number) return mode;
  }
  return std::nullopt;
}

void PlayModeState::set(PlayMode mode) {
  if (mode == mode_) return;
  mode_ = mode;
  emit changed(mode);
}

void PlayModeState::setEnabled(PlayMode mode, bool enabled) {
  if (mode == PlayMode::None || isEnabled(mode) == enabled) return;
  enabled_[static_cast<std::size_t>(mode)] = enabled;
  emit availabilityChanged();
}

void PlayModeState::leaveMultiEntryModes() {
  for (PlayMode mode : {PlayMode::MultiContinuous, PlayMode::MultiRandom, PlayMode::MultiNormal}) {
    setEnabled(mode, false);
  }
  if (!is(PlayMode::SingleContinuous) && !is(PlayMode::SingleLoop)) set(PlayMode::SingleNormal);
}

}  // namespace quelvo::core
