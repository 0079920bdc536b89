#pragma once

#include <QObject>
#include <QString>
#include <array>
#include <functional>

class QAction;
class QFrame;
class QPushButton;
class QTimer;

namespace quelvo::playback {

class FrameSlider;
class MovieControlArray;
class PlayModes;
class StatusBar;

// What the open and close commands act on.
struct PlaybackWidgets {
  MovieControlArray* Flash1 = nullptr;
  QFrame* frmflash = nullptr;
  FrameSlider* Sldflash = nullptr;
  StatusBar* Bar1 = nullptr;
  QTimer* tmrsld = nullptr;
  std::array<QPushButton*, 8> Command1{};
  PlayModes* modes = nullptr;
  QString* Labn = nullptr;
  // Scheme check marks read by close for the movie frame's background.
  std::function<bool(int)> skinChecked;
};

// Commands of the control and file menus that load, drop and drive the movie.
class PlaybackCommands : public QObject {
  Q_OBJECT

 public:
  PlaybackCommands(const PlaybackWidgets& widgets, QObject* owner);

  QAction* MNUOPEN;
  QAction* MNUCLOSE;
  QAction* MNUPLAY;
  QAction* MNUREWIND;
  QAction* MNUBACK;
  QAction* MNUFORWORD;
  QAction* MNUHENG2;
  QAction* MNUBACKONE;
  QAction* MNUNEXTONE;
  QAction* MNUPIC;

  // Unloads element 1 of the movie control and loads it afresh from the
  // template, visible and filling the movie frame.
  void NewFlash();
  // Drops the movie and puts every playback control into its idle state.
  void MNUCLOSE_Click();
  void ResetPlayControls();

  // Menu items that are enabled exactly while a movie is loaded (close also
  // disables previous/next entry).
  QList<QAction*> movieCommands() const;
  // Other commands in the same enabled group, owned elsewhere (quality, zoom, ...).
  void addMovieCommands(const QList<QAction*>& actions) { extraMovieCommands_ += actions; }

 private:
  PlaybackWidgets w_;
  QList<QAction*> extraMovieCommands_;
};

}  // namespace quelvo::playback
