#pragma once

#include <QList>
#include <QObject>

#include "playback/PlayerWidgets.h"

class QAction;

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
class OpenDialog;
}  // namespace quelvo::catalog

namespace quelvo::playback {

// What opening and closing act on besides the widgets.
struct PlaybackState {
  core::CurrentEntry& Labn;
  core::PlayModeState& playMode;
};

// Opening and closing movies: the open command that replaces the catalog with
// the chosen files, NewFlash, playing a catalog entry, and close with the idle
// state. Also the snapshot command.
class PlaybackCommands : public QObject {
  Q_OBJECT

 public:
  PlaybackCommands(const PlayerWidgets& widgets, catalog::CatalogModel& catalog,
                   catalog::CatalogList& list, catalog::OpenDialog& openDialog,
                   const PlaybackState& state, core::Dispatcher& dispatcher,
                   platform::Platform& platform, QObject* owner);

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

  // Command 1: replaces the catalog with the chosen files and plays one.
  void openCommand();
  // Unloads element 1 of the movie control and loads it afresh from the
  // template, visible and filling the movie frame.
  void NewFlash();
  // Loads and plays the catalog entry at a row.
  void playEntry(int row);
  // Drops the movie and puts every playback control into its idle state.
  void MNUCLOSE_Click();
  void ResetPlayControls();
  // Command 13: a picture of the movie area into a bitmap file, with a movie loaded.
  void MNUPIC_Click();

  // Menu items that are enabled exactly while a movie is loaded.
  QList<QAction*> movieCommands() const;
  // Commands owned elsewhere that belong to the same group (quality, zoom, ...).
  void addMovieCommands(const QList<QAction*>& actions) { extraMovieCommands_ += actions; }

  // Loads a movie into the live control, with the slider, panel 4 and the
  // tick following it.
  void startMovie(const QString& path);

 private:
  // Total frames of the movie into panel 4 and the slider's range.
  void showFrameCount();

  PlayerWidgets w_;
  catalog::CatalogModel& catalog_;
  catalog::CatalogList& list_;
  catalog::OpenDialog& openDialog_;
  PlaybackState state_;
  platform::Platform& platform_;
  QList<QAction*> extraMovieCommands_;
};

}  // namespace quelvo::playback
