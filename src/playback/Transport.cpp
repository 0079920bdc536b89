#include "playback/Transport.h"

#include <QAction>
#include <QPushButton>
#include <QTimer>

#include "app/Form1.h"
#include "catalog/CatalogList.h"
#include "catalog/CatalogModel.h"
#include "platform/Platform.h"
#include "playback/Dispatcher.h"
#include "playback/FrameSlider.h"
#include "playback/MissingFile.h"
#include "playback/MovieControlArray.h"
#include "playback/PlayModes.h"
#include "playback/PlaybackCommands.h"
#include "playback/StatusBar.h"

namespace quelvo::playback {

Transport::Transport(app::Form1& form) : QObject(&form), f_(form) {
  for (int i = 0; i < 8; ++i) {
    connect(f_.Command1[i], &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
  }
  PlaybackCommands& pc = *f_.playback;
  connect(pc.MNUPLAY, &QAction::triggered, this, &Transport::MNUPLAY_Click);
  connect(pc.MNUREWIND, &QAction::triggered, this, [this] { Command1_Click(4); });
  connect(pc.MNUBACK, &QAction::triggered, this, [this] { Command1_Click(2); });
  connect(pc.MNUFORWORD, &QAction::triggered, this, [this] { Command1_Click(3); });
  connect(pc.MNUBACKONE, &QAction::triggered, this, &Transport::MNUBACKONE_Click);
  connect(pc.MNUNEXTONE, &QAction::triggered, this, &Transport::MNUNEXTONE_Click);
}

void Transport::MNUPLAY_Click() { Command1_Click(f_.Flash1->live().IsPlaying() ? 1 : 0); }

void Transport::Command1_Click(int index) {
  MovieControl& movie = f_.Flash1->live();
  if (index != 7 && movie.movie().size() <= 1) return;
  switch (index) {
    case 0:
      if (movie.IsPlaying()) return;
      f_.tmrsld->start();
      movie.Play();
      break;
    case 1:
      if (!movie.IsPlaying()) return;
      f_.tmrsld->stop();
      movie.Stop();
      break;
    case 2:
      movie.Back();
      f_.tmrsld->stop();
      break;
    case 3:
      movie.Forward();
      f_.tmrsld->stop();
      break;
    case 4:
      movie.Rewind();
      f_.tmrsld->stop();
      break;
    case 5:
    case 6:
      if (f_.catalog->count() < 2) return;
      stepEntry(index);
      if (f_.catalog->count() == 0) return;
      break;
    case 7:
      f_.dispatcher->MenuButtons(1);
      return;
    default:
      return;
  }
  tail();
}

void Transport::stepEntry(int button) {
  catalog::CatalogList& list = *f_.catalogList;
  f_.Flash1->live().Stop();
  int index = list.currentEntry();
  const int count = f_.catalog->count();
  if (f_.playModes->isChecked(1)) {
    index = PlayModes::randomPick(f_.environment().platform.random(), count);
  } else if (button == 5) {
    index = index >= 1 ? index - 1 : 0;
  } else if (index <= count - 2) {
    index = std::max(0, index + 1);
  }
  index = std::clamp(index, 0, count - 1);
  while (f_.catalog->count() > 0 && !isPlayableFile(f_.catalog->path(index))) {
    showMissingFile(f_.environment().platform, f_.catalog->path(index));
    f_.catalog->removeAt(index);
    list.ListRefresh();
    if (button == 6) index = index >= 1 ? index - 1 : 0;
    index = std::min(index, f_.catalog->count() - 1);
  }
  if (f_.catalog->count() > 0) loadEntry(index, button);
}

void Transport::loadEntry(int index, int focusButton) {
  f_.playback->NewFlash();
  QPushButton* focus = f_.Command1[focusButton];
  if (!f_.Frame1->isHidden() && focus->isEnabled()) focus->setFocus();
  MovieControl& movie = f_.Flash1->live();
  movie.setMovie(f_.catalog->path(index));
  f_.Sldflash->setEnabled(true);
  f_.Bar1->setPanel(4, QString::number(movie.TotalFrames()));
  if (movie.TotalFrames() > 1) f_.Sldflash->setRange(1, movie.TotalFrames());
  f_.tmrsld->start();
  f_.Sldflash->setValue(f_.Sldflash->minimum());
  f_.catalogList->setCurrentEntry(index);
}

void Transport::tail() {
  f_.Sldflash->setValue(f_.Flash1->live().FrameNum() + 1);
  f_.Bar1->setPanel(2, QString::number(f_.Sldflash->value()));
  f_.catalogList->selectRow(f_.catalogList->currentEntry());
}

}  // namespace quelvo::playback
