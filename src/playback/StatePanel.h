#pragma once

#include <QObject>

namespace quelvo::core {
class LoopRegionState;
class PlayModeState;
}  // namespace quelvo::core

namespace quelvo::playback {

class StatusBar;

// Status panel 6 follows the loop region while it is on, else the play mode.
class StatePanel : public QObject {
  Q_OBJECT

 public:
  StatePanel(StatusBar& bar, const core::PlayModeState& playMode,
             const core::LoopRegionState& loopRegion, QObject* owner);

  // "循环选择区域: 10帧-40帧"
  static QString regionText(const core::LoopRegionState& loopRegion);

 private:
  void refresh();

  StatusBar& bar_;
  const core::PlayModeState& playMode_;
  const core::LoopRegionState& loopRegion_;
};

}  // namespace quelvo::playback
