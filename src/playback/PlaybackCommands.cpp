#include "playback/PlaybackCommands.h"

#include <QAction>
#include <QFrame>
#include <QPushButton>
#include <QTimer>

#include "app/Form1.h"
#include "catalog/CatalogList.h"
#include "catalog/CatalogModel.h"
#include "core/Actions.h"
#include "core/settings/SettingsStore.h"
#include "platform/Platform.h"
#include "playback/Dispatcher.h"
#include "playback/FrameSlider.h"
#include "playback/MissingFile.h"
#include "playback/MovieControlArray.h"
#include "playback/PlayModes.h"
#include "playback/StatusBar.h"
#include "playback/Transport.h"
#include "skins/SkinSwitcher.h"

namespace quelvo::playback {

using core::makeAction;

namespace {
// The literal folder the dialogs start in when none is stored.
const QString kDefaultFolder = QStringLiteral("%USERPROFILE%\\My Documents");
}  // namespace

PlaybackCommands::PlaybackCommands(app::Form1& form) : QObject(&form), f_(form) {
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
  connect(MNUOPEN, &QAction::triggered, this, [this] { f_.dispatcher->MenuButtons(1); });
  connect(MNUCLOSE, &QAction::triggered, this, &PlaybackCommands::MNUCLOSE_Click);
}

QList<QAction*> PlaybackCommands::movieCommands() const {
  return QList<QAction*>{MNUCLOSE, MNUPLAY, MNUREWIND, MNUBACK, MNUFORWORD, MNUPIC} +
         extraMovieCommands_;
}

bool PlaybackCommands::Toopen() {
  ++toopenCalls_;
  QString stored =
      f_.environment().settings.ReadSetting(QStringLiteral("PATH"), QStringLiteral("OPEN"));
  if (stored.isEmpty()) stored = kDefaultFolder;
  if (toopenCalls_ == 1) f_.lastOpenFolder = stored;

  platform::FileDialogRequest request;
  request.title = QStringLiteral("Flash动画");
  request.filter = QStringLiteral("Flash动画(*.swf;*.qvl)|*.swf;*.qvl");
  request.initialFolder = f_.lastOpenFolder;
  const QStringList chosen = f_.environment().platform.openFiles(request);
  if (chosen.isEmpty()) return false;
  f_.fileSelection = GetDlgSelectFileInfo(chosen);
  f_.lastOpenFolder = f_.fileSelection.folder;
  return true;
}

void PlaybackCommands::openCommand() {
  if (!Toopen()) return;
  NewFlash();
  f_.catalog->clear();
  for (QAction* item : movieCommands()) item->setEnabled(true);

  catalog::CatalogList& list = *f_.catalogList;
  const FileSelection& selection = f_.fileSelection;
  for (int i = 0; i < selection.count(); ++i) {
    f_.fileSelection.position = i;
    if (selection.names[i].right(3) == QStringLiteral("qvl")) {
      list.LoadFlash();
    } else {
      list.appendEntries(
          {catalog::CatalogList::entryForFile(selection.folder, selection.names[i])});
    }
  }
  if (f_.catalog->count() == 0) return;

  PlayModes& modes = *f_.playModes;
  int index = 0;
  if (modes.isChecked(1)) {
    index = PlayModes::randomPick(f_.environment().platform.random(), f_.catalog->count());
  }
  while (!isPlayableFile(f_.catalog->path(index))) {
    showMissingFile(f_.environment().platform, f_.catalog->path(index));
    f_.catalog->removeAt(index);
    if (f_.catalog->count() == 0) return;
    // The next entry moves into the place; after the last one, the one before it.
    index = std::min(index, f_.catalog->count() - 1);
  }

  MovieControl& movie = f_.Flash1->live();
  movie.setMovie(f_.catalog->path(index));
  movie.setLoop(false);
  f_.tmrsld->start();
  f_.Sldflash->setEnabled(true);
  f_.Bar1->setPanel(4, QString::number(movie.TotalFrames()));
  if (movie.TotalFrames() > 1) f_.Sldflash->setRange(1, movie.TotalFrames());
  for (int i = 0; i <= 4; ++i) f_.Command1[i]->setEnabled(true);

  if (f_.catalog->count() > 1) {
    f_.multipleEntries = true;
    f_.Command1[5]->setEnabled(true);
    f_.Command1[6]->setEnabled(true);
    for (QAction* item : {MNUNEXTONE, MNUBACKONE, MNUHENG2}) item->setVisible(true);
    modes.MnuOptions(0)->setEnabled(true);
    modes.MnuOptions(1)->setEnabled(true);
  } else {
    f_.multipleEntries = false;
    modes.leaveMultiEntryModes();
    f_.Command1[5]->setEnabled(false);
    f_.Command1[6]->setEnabled(false);
  }
  list.setCurrentEntry(index);
  list.selectRow(index);
  list.ListRefresh();
  movie.Play();
}

void PlaybackCommands::NewFlash() {
  f_.Flash1->reloadLive();
  MovieControl& movie = f_.Flash1->live();
  movie.setGeometry(f_.frmflash->contentsRect());
  movie.show();
}

void PlaybackCommands::MNUCLOSE_Click() {
  MovieControl& movie = f_.Flash1->live();
  movie.setMovie(QString());
  movie.setMovie(QStringLiteral("0"));
  movie.hide();
  f_.Sldflash->setValue(0);
  f_.Sldflash->setSelectRange(false);
  f_.tmrsld->stop();
  f_.Labn = QStringLiteral("0");
  for (QAction* item : movieCommands() + QList<QAction*>{MNUNEXTONE, MNUBACKONE}) {
    item->setEnabled(false);
  }
  // The skinned faces show an empty movie area in their own colour.
  if (f_.skins->isChecked(3)) {
    f_.frmflash->setStyleSheet(QStringLiteral("QFrame#frmflash { background: rgb(0,204,255); }"));
  } else if (f_.skins->isChecked(2)) {
    f_.frmflash->setStyleSheet(QStringLiteral("QFrame#frmflash { background: black; }"));
  }
  ResetPlayControls();
}

void PlaybackCommands::ResetPlayControls() {
  for (int i = 0; i <= 6; ++i) f_.Command1[i]->setEnabled(false);
  f_.Sldflash->setEnabled(false);
  f_.Bar1->setPanel(2, QStringLiteral("0"));
  f_.Bar1->setPanel(4, QStringLiteral("0"));
  if (f_.playModes->checked() >= 0) f_.Bar1->setPanel(6, f_.playModes->checkedCaption());
}

}  // namespace quelvo::playback
