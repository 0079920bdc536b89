#pragma once

#include <QObject>

#include "playback/PlayerWidgets.h"

class QMenu;
class QPoint;

namespace quelvo::platform {
class Platform;
}
namespace quelvo::core {
class CurrentEntry;
class LoopRegionState;
class PlayModeState;
}  // namespace quelvo::core
namespace quelvo::catalog {
class CatalogList;
class CatalogModel;
}  // namespace quelvo::catalog

namespace quelvo::playback {

class PlaybackCommands;

// What the tick follows besides the widgets.
struct TickState {
  core::CurrentEntry& Labn;
  const core::PlayModeState& playMode;
  const core::LoopRegionState& loopRegion;
};

// The playback tick tmrsld: follows the playhead with the slider and panel 2,
// keeps the loop region, keeps the movie running in the modes that ask for it,
// and moves to the next entry by the play mode when a movie has ended. Also the
// slider's own mouse handling: dragging seeks.
class PlaybackTick : public QObject {
  Q_OBJECT

 public:
  // An unreadable movie (no frames) counts as ended only after its notice has
  // been on screen this long, so a catalog of bad files neither flickers nor
  // spins.
  static constexpr int kUnreadableShownMs = 2000;
  // Likewise a movie that stands still, with one frame or stopped on its last
  // one (interactive movies usually are), counts as ended only after this long
  // on screen: it can be used in the modes that move on, and a catalog of them
  // does not reload movie after movie.
  static constexpr int kStillShownMs = 5000;

  PlaybackTick(const PlayerWidgets& widgets, catalog::CatalogModel& catalog,
               catalog::CatalogList& list, PlaybackCommands& commands, const TickState& state,
               platform::Platform& platform, QObject* owner);

  // The slider's right-button menu.
  void setSliderMenu(QMenu* menu) { MNUSLIDER_ = menu; }

  void tmrsld_Timer();

  void Sldflash_MouseDown(Qt::MouseButton button);
  void Sldflash_MouseMove();
  void Sldflash_MouseUp(Qt::MouseButton button, const QPoint& globalPos);
  bool dragging() const { return dragging_; }

 private:
  // One frame, or stopped on its last one.
  static bool standsStill(const MovieControl& movie);
  // A playing movie has ended at its last frame but one; an unreadable or a
  // still one once it has been shown for its time.
  static bool hasEnded(const MovieControl& movie);
  // Steps 8 to 12: the next entry by the play mode, loaded and playing.
  void changeEntry();

  PlayerWidgets w_;
  catalog::CatalogModel& catalog_;
  catalog::CatalogList& list_;
  PlaybackCommands& commands_;
  TickState state_;
  platform::Platform& platform_;
  QMenu* MNUSLIDER_ = nullptr;
  bool dragging_ = false;
};

}  // namespace quelvo::playback
