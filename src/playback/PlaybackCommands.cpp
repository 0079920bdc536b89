#include "playback/PlaybackCommands.h"

#include <QAction>
#include <QFrame>
#include <QPushButton>
#include <QTimer>

#include "core/Actions.h"
#include "playback/FrameSlider.h"
#include "playback/MovieControlArray.h"
#include "playback/PlayModes.h"
#include "playback/StatusBar.h"

namespace quelvo::playback {

using core::makeAction;

PlaybackCommands::PlaybackCommands(const PlaybackWidgets& widgets, QObject* owner)
    : QObject(owner), w_(widgets) {
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
  connect(MNUCLOSE, &QAction::triggered, this, &PlaybackCommands::MNUCLOSE_Click);
}

QList<QAction*> PlaybackCommands::movieCommands() const {
  return QList<QAction*>{MNUCLOSE, MNUPLAY, MNUREWIND, MNUBACK, MNUFORWORD, MNUPIC} +
         extraMovieCommands_;
}

void PlaybackCommands::NewFlash() {
  w_.Flash1->reloadLive();
  MovieControl& movie = w_.Flash1->live();
  movie.setGeometry(w_.frmflash->contentsRect());
  movie.show();
}

void PlaybackCommands::MNUCLOSE_Click() {
  MovieControl& movie = w_.Flash1->live();
  movie.setMovie(QString());
  movie.setMovie(QStringLiteral("0"));
  movie.hide();
  w_.Sldflash->setValue(0);
  w_.Sldflash->setSelectRange(false);
  w_.tmrsld->stop();
  *w_.Labn = QStringLiteral("0");
  for (QAction* item : movieCommands() + QList<QAction*>{MNUNEXTONE, MNUBACKONE}) {
    item->setEnabled(false);
  }
  // The skinned faces show an empty movie area in their own colour.
  if (w_.skinChecked(3)) {
    w_.frmflash->setStyleSheet(QStringLiteral("QFrame#frmflash { background: rgb(0,204,255); }"));
  } else if (w_.skinChecked(2)) {
    w_.frmflash->setStyleSheet(QStringLiteral("QFrame#frmflash { background: black; }"));
  }
  ResetPlayControls();
}

void PlaybackCommands::ResetPlayControls() {
  for (int i = 0; i <= 6; ++i) w_.Command1[i]->setEnabled(false);
  w_.Sldflash->setEnabled(false);
  w_.Bar1->setPanel(2, QStringLiteral("0"));
  w_.Bar1->setPanel(4, QStringLiteral("0"));
  if (w_.modes->checked() >= 0) w_.Bar1->setPanel(6, w_.modes->checkedCaption());
}

}  // namespace quelvo::playback
