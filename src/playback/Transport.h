#pragma once

#include <QObject>

#include "playback/PlayerWidgets.h"

namespace quelvo::platform {
class Platform;
}
namespace quelvo::core {
class CurrentEntry;
class Dispatcher;
class PlayModeState;
}  // namespace quelvo::core
namespace quelvo::catalog {
class CatalogList;
class CatalogModel;
}  // namespace quelvo::catalog

namespace quelvo::playback {

class PlaybackCommands;

// The transport buttons Command1(0..6) and the control-menu items that share
// their handler: play, pause, frame back/forward, rewind, previous and next
// entry. (Button 7 runs the open command.)
class Transport : public QObject {
  Q_OBJECT

 public:
  Transport(const PlayerWidgets& widgets, catalog::CatalogModel& catalog,
            catalog::CatalogList& list, PlaybackCommands& commands,
            const core::PlayModeState& playMode, core::CurrentEntry& Labn,
            core::Dispatcher& dispatcher, platform::Platform& platform, QObject* owner);

  void Command1_Click(int index);
  void MNUPLAY_Click();

  // Previous and next entry are offered while a movie plays from a catalog
  // of several entries.
  void updateEntrySteps(int count);

 private:
  // Slider value and panel 2 from the frame on screen; selects the current entry.
  void tail();
  void stepEntry(int button);
  void loadEntry(int index, int focusButton);

  PlayerWidgets w_;
  catalog::CatalogModel& catalog_;
  catalog::CatalogList& list_;
  PlaybackCommands& commands_;
  const core::PlayModeState& playMode_;
  core::CurrentEntry& Labn_;
  platform::Platform& platform_;
};

}  // namespace quelvo::playback
