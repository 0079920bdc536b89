#pragma once

#include <QObject>

class QPoint;

namespace quelvo::app {
class Form1;
}

namespace quelvo::playback {

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

  explicit PlaybackTick(app::Form1& form);

  void tmrsld_Timer();

  void Sldflash_MouseDown(Qt::MouseButton button);
  void Sldflash_MouseMove();
  void Sldflash_MouseUp(Qt::MouseButton button, const QPoint& globalPos);
  bool dragging() const { return dragging_; }

 private:
  // Steps 8 to 12: the next entry by the play mode, loaded and playing.
  void changeEntry();

  app::Form1& f_;
  bool dragging_ = false;
};

}  // namespace quelvo::playback
