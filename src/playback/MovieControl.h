#pragma once

#include <QColor>
#include <QImage>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

#include "playback/MovieSound.h"
#include "swf/Player.h"
#include "swf/StreamClock.h"
#include "swf/model/Movie.h"
#include "swf/render/PainterRenderer.h"
#include "swf/runtime/FrameClock.h"

namespace quelvo::platform {
class Platform;
}

namespace quelvo::playback {

// The fixed properties an element takes over from the template element.
struct MovieControlSettings {
  int scaleMode = 0;  // 0 show all, 1 no border, 2 exact fit, 3 native size
  QString quality2 = QStringLiteral("best");
  QString wmode = QStringLiteral("Opaque");
  bool menu = false;
  QString scale = QStringLiteral("0");
  int volume = 100;  // 0 to 100
  bool muted = false;
};

// One element of the movie-control array: plays one SWF movie with the members
// the player's commands rely on. Frames are counted from 0. It draws a frame
// only when the picture changes (or its size, zoom or quality do) and runs no
// timer while paused: the clock runs while the user has not paused (Stop or a
// frame step) and the movie plays or has sprites still animating.
class MovieControl : public QWidget {
  Q_OBJECT

 public:
  MovieControl(platform::Platform& platform, const MovieControlSettings& settings,
               QWidget* parent = nullptr);
  ~MovieControl() override;

  // Setting a full path loads the movie and starts it; "" or "0" drops it.
  void setMovie(const QString& path);
  QString movie() const { return moviePath_; }

  void Play();
  void Stop();
  void Back();
  void Forward();
  void Rewind();
  void GotoFrame(int frame);
  int CurrentFrame() const;
  int FrameNum() const { return CurrentFrame(); }
  int TotalFrames() const;
  bool IsPlaying() const;
  void setPlaying(bool playing);
  void setLoop(bool loop);
  bool loop() const;

  // 50 doubles the magnification, 200 halves it, 0 shows the whole movie.
  void Zoom(int percent);
  void setScaleMode(int mode);
  int scaleMode() const { return settings_.scaleMode; }
  // 0 low, 1 high.
  void setQuality(int quality);
  // "low", "medium", "high", "best".
  void setQuality2(const QString& quality);
  QString quality2() const { return settings_.quality2; }
  void setWMode(const QString& wmode) { settings_.wmode = wmode; }
  void setMenu(bool menu) { settings_.menu = menu; }
  void setScale(const QString& scale) { settings_.scale = scale; }
  const MovieControlSettings& settings() const { return settings_; }
  double zoomFactor() const { return zoom_; }

  // Why the current file cannot be played (empty when it plays or none is set).
  QString notice() const { return notice_; }
  // How long the current file, its movie or its notice, has been on screen.
  qint64 shownForMs() const;
  std::shared_ptr<const swf::Movie> loadedMovie() const { return movie_; }

  // The movie's sound. Volume (0 to 100) and mute are properties a new
  // element takes over from the template.
  MovieSound& sound() { return sound_; }
  void setVolume(int percent);
  void setMuted(bool muted);

  // Runs the frame advances that are due by the platform clock.
  void tick();

 signals:
  void gotFocus();
  void frameChanged(int frame);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  // Tells the movie the view's new size (Stage.width and height under "noScale").
  void resizeEvent(QResizeEvent* event) override;
  // Keys the window's shortcuts leave, and the pointer over the movie, go to
  // the movie: its buttons and its scripts.
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  // Runs a frame step of the player (which stops it) and shows the new frame.
  void moveStopped(const std::function<bool()>& move);
  bool clockShouldRun() const;
  // How the movie's stream sound paces it while a device plays it.
  std::optional<swf::StreamPace> streamPace();
  void startClock();
  void scheduleNextFrame();
  // Shows the frame after a change: redraws when the picture changed and
  // reports when the root frame differs from before.
  void showChanges(bool pictureChanged, int frameBefore);
  QTransform stageToDevice(const QSize& deviceSize, double devicePixelRatio) const;
  swf::Quality quality() const;
  void redrawFrame();
  // Hands the pointer position to the player (in stage twips, undoing the
  // scale and zoom it is drawn with); returns whether the picture changed.
  bool movePointer(QPointF widgetPosition);
  // Redraws after pointer or key input and shows a hand over buttons.
  void showInputChanges(bool pictureChanged, int frameBefore);
  // A hand over buttons, the arrow elsewhere.
  void updateCursor();

  platform::Platform& platform_;
  MovieControlSettings settings_;
  QString moviePath_;
  std::shared_ptr<const swf::Movie> movie_;
  std::unique_ptr<swf::Player> player_;
  MovieSound sound_;                              // plays player_'s sounds; goes first
  std::optional<swf::PainterRenderer> renderer_;  // draws player_'s frames
  std::optional<swf::FrameClock> clock_;
  bool userPaused_ = false;
  bool userGesture_ = false;  // a click or key press is being handled
  QImage frame_;              // the drawn frame at device pixels
  bool frameStale_ = true;
  QTimer frameTimer_;
  QTimer temporaryNoticeTimer_;
  QString notice_;
  qint64 shownSinceMs_ = 0;
  QString temporaryNotice_;
  double zoom_ = 1.0;
};

}  // namespace quelvo::playback
