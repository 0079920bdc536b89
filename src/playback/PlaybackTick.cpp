#include "playback/PlaybackTick.h"

#include <QAction>
#include <QMenu>
#include <QTimer>

#include "app/Form1.h"
#include "catalog/CatalogList.h"
#include "catalog/CatalogModel.h"
#include "platform/Platform.h"
#include "playback/FrameSlider.h"
#include "playback/LoopRegion.h"
#include "playback/MissingFile.h"
#include "playback/MovieControlArray.h"
#include "playback/PlayModes.h"
#include "playback/PlaybackCommands.h"
#include "playback/StatusBar.h"

namespace quelvo::playback {

PlaybackTick::PlaybackTick(app::Form1& form) : QObject(&form), f_(form) {
  connect(f_.tmrsld, &QTimer::timeout, this, &PlaybackTick::tmrsld_Timer);
  connect(f_.Sldflash, &FrameSlider::mousePressed, this, &PlaybackTick::Sldflash_MouseDown);
  connect(f_.Sldflash, &FrameSlider::mouseMoved, this, &PlaybackTick::Sldflash_MouseMove);
  connect(f_.Sldflash, &FrameSlider::mouseReleased, this, &PlaybackTick::Sldflash_MouseUp);
}

void PlaybackTick::tmrsld_Timer() {
  MovieControl& movie = f_.Flash1->live();
  FrameSlider& slider = *f_.Sldflash;
  slider.setValue(movie.CurrentFrame() + 1);
  if (!f_.Bar1->isHidden() && f_.Bar1->panel(4) != QStringLiteral("0")) {
    f_.Bar1->setPanel(2, QString::number(slider.value()));
  }
  if (f_.loopRegion->MNUSEL->isChecked()) {
    if (movie.FrameNum() >= slider.selStart() + slider.selLength() - 1) {
      movie.GotoFrame(slider.selStart() - 1);
      movie.Play();
    }
    return;
  }
  const PlayModes& modes = *f_.playModes;
  if (modes.isChecked(4)) {
    movie.setPlaying(true);
    return;
  }
  if (modes.isChecked(5)) return;
  if (modes.isChecked(0) || modes.isChecked(1)) movie.setPlaying(true);
  if (movie.FrameNum() < movie.TotalFrames() - 2) return;
  if (movie.TotalFrames() == 0 && movie.noticeAgeMs() < kUnreadableShownMs) return;
  changeEntry();
}

void PlaybackTick::changeEntry() {
  catalog::CatalogList& list = *f_.catalogList;
  MovieControl& movie = f_.Flash1->live();
  int index = list.currentEntry();
  movie.setLoop(false);
  const PlayModes& modes = *f_.playModes;
  const int count = f_.catalog->count();
  if (count == 0) return;
  if (modes.isChecked(0)) index = index <= count - 2 ? index + 1 : 0;
  if (modes.isChecked(1)) index = PlayModes::randomPick(f_.environment().platform.random(), count);
  if (modes.isChecked(2)) index = index <= count - 2 ? index + 1 : 0;
  index = std::clamp(index, 0, count - 1);

  while (!isPlayableFile(f_.catalog->path(index))) {
    showMissingFile(f_.environment().platform, f_.catalog->path(index));
    f_.catalog->removeAt(index);
    if (index == f_.catalog->count()) --index;
    list.ListRefresh();
    if (f_.catalog->count() == 0) return;
  }

  f_.playback->NewFlash();
  MovieControl& next = f_.Flash1->live();
  next.setMovie(f_.catalog->path(index));
  list.setCurrentEntry(index);
  f_.Bar1->setPanel(4, QString::number(next.TotalFrames()));
  if (next.TotalFrames() >= 2) {
    f_.Sldflash->setEnabled(true);
    f_.Sldflash->setRange(1, next.TotalFrames());
  } else {
    f_.Sldflash->setEnabled(false);
  }
  list.selectRow(index);
  next.Play();
}

void PlaybackTick::Sldflash_MouseDown(Qt::MouseButton button) {
  if (button != Qt::LeftButton) return;
  dragging_ = true;
  f_.Flash1->live().Stop();
  f_.tmrsld->stop();
}

void PlaybackTick::Sldflash_MouseMove() {
  if (!dragging_) return;
  f_.Flash1->live().GotoFrame(f_.Sldflash->value() - 1);
  f_.Bar1->setPanel(2, QString::number(f_.Sldflash->value()));
}

void PlaybackTick::Sldflash_MouseUp(Qt::MouseButton button, const QPoint& globalPos) {
  if (button == Qt::LeftButton) f_.tmrsld->start();
  dragging_ = false;
  if (button == Qt::RightButton) f_.MNUSLIDER->popup(globalPos);
}

}  // namespace quelvo::playback
