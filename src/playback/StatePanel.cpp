#include "playback/StatePanel.h"

#include "core/session/LoopRegionState.h"
#include "core/session/PlayMode.h"
#include "playback/PlayModes.h"
#include "playback/StatusBar.h"

namespace quelvo::playback {

StatePanel::StatePanel(StatusBar& bar, const core::PlayModeState& playMode,
                       const core::LoopRegionState& loopRegion, QObject* owner)
    : QObject(owner), bar_(bar), playMode_(playMode), loopRegion_(loopRegion) {
  connect(&playMode_, &core::PlayModeState::changed, this, &StatePanel::refresh);
  connect(&loopRegion_, &core::LoopRegionState::changed, this, &StatePanel::refresh);
  refresh();
}

QString StatePanel::regionText(const core::LoopRegionState& loopRegion) {
  return QStringLiteral("循环选择区域: %1帧-%2帧").arg(loopRegion.start()).arg(loopRegion.end());
}

void StatePanel::refresh() {
  if (loopRegion_.on()) {
    bar_.setPanel(StatusBar::Panel::State, regionText(loopRegion_));
  } else if (!playMode_.is(core::PlayMode::None)) {
    bar_.setPanel(StatusBar::Panel::State, PlayModes::caption(playMode_.mode()));
  }
}

}  // namespace quelvo::playback
