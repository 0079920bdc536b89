#pragma once

#include <QObject>
#include <array>
#include <optional>

namespace quelvo::core {

// The six play modes, by their item in the play-options menu (item 3 is a
// separator). The number is what the settings file keeps.
enum class PlayMode {
  None = -1,
  MultiContinuous = 0,   // 多首连续播放
  MultiRandom = 1,       // 多首随机播放
  MultiNormal = 2,       // 多首正常连续
  SingleContinuous = 4,  // 单首连续播放
  SingleNormal = 5,      // 单首正常播放
  SingleLoop = 6,        // 单首正常循环
};

constexpr std::array<PlayMode, 6> kPlayModes = {
    PlayMode::MultiContinuous,  PlayMode::MultiRandom,  PlayMode::MultiNormal,
    PlayMode::SingleContinuous, PlayMode::SingleNormal, PlayMode::SingleLoop};

// The mode a stored number names, if any.
std::optional<PlayMode> playModeNumbered(int number);

// The play mode and which modes may be chosen (the multi-entry ones need
// several catalog entries).
class PlayModeState : public QObject {
  Q_OBJECT

 public:
  PlayMode mode() const { return mode_; }
  bool is(PlayMode mode) const { return mode_ == mode; }
  void set(PlayMode mode);

  bool isEnabled(PlayMode mode) const { return enabled_[static_cast<std::size_t>(mode)]; }
  void setEnabled(PlayMode mode, bool enabled);

  // A single entry: the three multi-entry modes are left and disabled, and
  // SingleNormal is chosen unless another single-entry mode is.
  void leaveMultiEntryModes();

 signals:
  void changed(PlayMode mode);
  void availabilityChanged();

 private:
  PlayMode mode_ = PlayMode::MultiContinuous;
  std::array<bool, 7> enabled_{true, true, true, true, true, true, true};
};

}  // namespace quelvo::core
