#pragma once

#include <QObject>
#include <QString>

class QAction;

namespace quelvo::app {
class Form1;
}

namespace quelvo::playback {

// Opening and closing movies: the open dialog, the open command that replaces
// the catalog with the chosen files, NewFlash, and close with the idle state.
class PlaybackCommands : public QObject {
  Q_OBJECT

 public:
  explicit PlaybackCommands(app::Form1& form);

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

  // Shows the multi-select open dialog; on success fills the window's file
  // selection and last open folder and returns true. Cancel changes nothing.
  bool Toopen();
  // Command 1: replaces the catalog with the chosen files and plays one.
  void openCommand();
  // Unloads element 1 of the movie control and loads it afresh from the
  // template, visible and filling the movie frame.
  void NewFlash();
  // Drops the movie and puts every playback control into its idle state.
  void MNUCLOSE_Click();
  void ResetPlayControls();

  // Menu items that are enabled exactly while a movie is loaded.
  QList<QAction*> movieCommands() const;
  // Commands owned elsewhere that belong to the same group (quality, zoom, ...).
  void addMovieCommands(const QList<QAction*>& actions) { extraMovieCommands_ += actions; }

 private:
  int toopenCalls_ = 0;
  app::Form1& f_;
  QList<QAction*> extraMovieCommands_;
};

}  // namespace quelvo::playback
