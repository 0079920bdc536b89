#include "playback/PlaybackCommands.h"

#include <QAction>
#include <QFrame>
#include <QTimer>

#include "catalog/CatalogList.h"
#include "catalog/CatalogModel.h"
#include "catalog/MissingFile.h"
#include "catalog/OpenDialog.h"
#include "core/Actions.h"
#include "core/Dispatcher.h"
#include "core/session/CurrentEntry.h"
#include "core/session/PlayMode.h"
#include "platform/Platform.h"
#include "playback/FrameSlider.h"
#include "playback/MovieControlArray.h"
#include "playback/PlayModes.h"
#include "playback/StatusBar.h"
#include "playback/ViewCommands.h"

namespace quelvo::playback {

using core::Command;
using core::makeAction;
using core::PlayMode;

PlaybackCommands::PlaybackCommands(const PlayerWidgets& widgets, catalog::CatalogModel& catalog,
                                   catalog::CatalogList& list, catalog::OpenDialog& openDialog,
                                   const PlaybackState& state, core::Dispatcher& dispatcher,
                                   platform::Platform& platform, QObject* owner)
    : QObject(owner),
      w_(widgets),
      catalog_(catalog),
      list_(list),
      openDialog_(openDialog),
      state_(state),
      platform_(platform) {
  MNUOPEN = makeAction(this, QStringLiteral("MNUOPEN"), QStringLiteral("打开(&O)...  Ctrl+O"));
  MNUCLOSE = makeAction(this, QStringLiteral("MNUCLOSE"), QStringLiteral("关闭        Ctrl+W"));
  MNUPLAY = makeAction(this, QStringLiteral("MNUPLAY"), QStringLiteral("播放/暂停  Ctrl+Enter"));
  MNUREWIND =
      makeAction(this, QStringLiteral("MNUREWIND"), QStringLiteral("返回           Ctrl+R"));
  MNUBACK = makeAction(this, QStringLiteral("MNUBACK"), QStringLiteral("上一帧        Ctrl+<-"));
  MNUFORWORD =
      makeAction(this, QStringLiteral("MNUFORWORD"), QStringLiteral("下一帧        Ctrl+->"));
  MNUHENG2 = core::makeSeparator(this, QStringLiteral("MNUHENG2"));
  MNUBACKONE =
      makeAction(this, QStringLiteral("MNUBACKONE"), QStringLiteral("上一首    Ctrl+PageUp"));
  MNUNEXTONE =
      makeAction(this, QStringLiteral("MNUNEXTONE"), QStringLiteral("下一首    Ctrl+PageDn"));
  MNUPIC = makeAction(this, QStringLiteral("MNUPIC"), QStringLiteral("抓图           Ctrl+P"));
  // Previous and next entry show only once several movies are open.
  for (QAction* hidden : {MNUHENG2, MNUBACKONE, MNUNEXTONE}) hidden->setVisible(false);
  dispatcher.bind(Command::Open, MNUOPEN, [this] { openCommand(); });
  dispatcher.bind(Command::Close, MNUCLOSE, [this] { MNUCLOSE_Click(); });
  dispatcher.bind(Command::Snapshot, MNUPIC, [this] { MNUPIC_Click(); });
  dispatcher.bindButton(Command::Open, w_.Command1[OpenButton]);
}

QList<QAction*> PlaybackCommands::movieCommands() const {
  return QList<QAction*>{MNUCLOSE, MNUPLAY, MNUREWIND, MNUBACK, MNUFORWORD, MNUPIC} +
         extraMovieCommands_;
}

void PlaybackCommands::showFrameCount() {
  const int total = w_.movie().TotalFrames();
  w_.Bar1->setPanel(StatusBar::Panel::TotalFrames, QString::number(total));
  if (total > 1) w_.Sldflash->setRange(1, total);
}

void PlaybackCommands::openCommand() {
  if (!openDialog_.Toopen()) return;
  NewFlash();
  catalog_.clear();
  for (QAction* item : movieCommands()) item->setEnabled(true);
  list_.appendSelection();
  if (catalog_.count() == 0) return;

  core::PlayModeState& modes = state_.playMode;
  int index = 0;
  if (modes.is(PlayMode::MultiRandom)) {
    index = PlayModes::randomPick(platform_.random(), catalog_.count());
  }
  while (!catalog::isPlayableFile(catalog_.path(index))) {
    catalog::showMissingFile(platform_, catalog_.path(index));
    catalog_.removeAt(index);
    if (catalog_.count() == 0) return;
    // The next entry moves into the place; after the last one, the one before it.
    index = std::min(index, catalog_.count() - 1);
  }

  startMovie(catalog_.path(index));
  MovieControl& movie = w_.movie();
  movie.setLoop(false);
  w_.enableButtons(PlayButton, RewindButton, true);

  const bool several = catalog_.count() > 1;
  w_.enableButtons(PreviousButton, NextButton, several);
  if (several) {
    for (QAction* item : {MNUNEXTONE, MNUBACKONE, MNUHENG2}) item->setVisible(true);
    modes.setEnabled(PlayMode::MultiContinuous, true);
    modes.setEnabled(PlayMode::MultiRandom, true);
  } else {
    modes.leaveMultiEntryModes();
  }
  state_.Labn.set(index);
  list_.selectRow(index);
  list_.ListRefresh();
  movie.Play();
}

void PlaybackCommands::playEntry(int row) {
  for (QAction* item : movieCommands()) item->setEnabled(true);
  NewFlash();
  startMovie(catalog_.path(row));
  w_.enableButtons(PlayButton, NextButton, true);
  w_.movie().Play();
}

void PlaybackCommands::startMovie(const QString& path) {
  w_.movie().setMovie(path);
  w_.Sldflash->setEnabled(true);
  w_.tmrsld->start();
  showFrameCount();
}

void PlaybackCommands::NewFlash() {
  w_.Flash1->reloadLive();
  MovieControl& movie = w_.movie();
  movie.setGeometry(w_.frmflash->contentsRect());
  movie.show();
}

void PlaybackCommands::MNUCLOSE_Click() {
  MovieControl& movie = w_.movie();
  movie.setMovie(QString());
  movie.setMovie(QStringLiteral("0"));
  movie.hide();
  w_.Sldflash->setValue(0);
  w_.Sldflash->setSelectRange(false);
  w_.tmrsld->stop();
  state_.Labn.set(0);
  for (QAction* item : movieCommands() + QList<QAction*>{MNUNEXTONE, MNUBACKONE}) {
    item->setEnabled(false);
  }
  ResetPlayControls();
}

void PlaybackCommands::ResetPlayControls() {
  w_.enableButtons(PlayButton, NextButton, false);
  w_.Sldflash->setEnabled(false);
  w_.Bar1->setPanel(StatusBar::Panel::CurrentFrame, QStringLiteral("0"));
  w_.Bar1->setPanel(StatusBar::Panel::TotalFrames, QStringLiteral("0"));
}

void PlaybackCommands::MNUPIC_Click() {
  if (!w_.movie().movie().isEmpty()) saveSnapshot(platform_, w_.frmflash);
}

}  // namespace quelvo::playback
