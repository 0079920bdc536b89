#include "playback/PlaybackTick.h"

#include <QMenu>
#include <QTimer>

#include "catalog/CatalogList.h"
#include "catalog/CatalogModel.h"
#include "catalog/MissingFile.h"
#include "core/session/CurrentEntry.h"
#include "core/session/LoopRegionState.h"
#include "core/session/PlayMode.h"
#include "platform/Platform.h"
#include "playback/FrameSlider.h"
#include "playback/MovieControlArray.h"
#include "playback/PlayModes.h"
#include "playback/PlaybackCommands.h"
#include "playback/StatusBar.h"

namespace quelvo::playback {

using core::PlayMode;
using Panel = StatusBar::Panel;

PlaybackTick::PlaybackTick(const PlayerWidgets& widgets, catalog::CatalogModel& catalog,
                           catalog::CatalogList& list, PlaybackCommands& commands,
                           const TickState& state, platform::Platform& platform, QObject* owner)
    : QObject(owner),
      w_(widgets),
      catalog_(catalog),
      list_(list),
      commands_(commands),
      state_(state),
      platform_(platform) {
  connect(w_.tmrsld, &QTimer::timeout, this, &PlaybackTick::tmrsld_Timer);
  connect(w_.Sldflash, &FrameSlider::mousePressed, this, &PlaybackTick::Sldflash_MouseDown);
  connect(w_.Sldflash, &FrameSlider::mouseMoved, this, &PlaybackTick::Sldflash_MouseMove);
  connect(w_.Sldflash, &FrameSlider::mouseReleased, this, &PlaybackTick::Sldflash_MouseUp);
}

void PlaybackTick::tmrsld_Timer() {
  MovieControl& movie = w_.movie();
  FrameSlider& slider = *w_.Sldflash;
  slider.setValue(movie.CurrentFrame() + 1);
  if (!w_.Bar1->isHidden() && w_.Bar1->panel(Panel::TotalFrames) != QStringLiteral("0")) {
    w_.Bar1->setPanel(Panel::CurrentFrame, QString::number(slider.value()));
  }
  const core::LoopRegionState& region = state_.loopRegion;
  if (region.on()) {
    if (movie.FrameNum() >= region.end() - 1) {
      movie.GotoFrame(region.start() - 1);
      movie.Play();
    }
    return;
  }
  const core::PlayModeState& modes = state_.playMode;
  if (modes.is(PlayMode::SingleContinuous)) {
    movie.setPlaying(true);
    return;
  }
  if (modes.is(PlayMode::SingleNormal)) return;
  // A still movie is left as it stands: playing it again would restart one
  // stopped on its last frame.
  if ((modes.is(PlayMode::MultiContinuous) || modes.is(PlayMode::MultiRandom)) &&
      !standsStill(movie)) {
    movie.setPlaying(true);
  }
  if (hasEnded(movie)) changeEntry();
}

bool PlaybackTick::standsStill(const MovieControl& movie) {
  const int lastFrame = movie.TotalFrames() - 1;
  return lastFrame == 0 || (!movie.IsPlaying() && movie.FrameNum() == lastFrame);
}

bool PlaybackTick::hasEnded(const MovieControl& movie) {
  if (movie.TotalFrames() == 0) return movie.shownForMs() >= kUnreadableShownMs;
  if (standsStill(movie)) return movie.shownForMs() >= kStillShownMs;
  return movie.FrameNum() >= movie.TotalFrames() - 2;
}

void PlaybackTick::changeEntry() {
  MovieControl& movie = w_.movie();
  int index = state_.Labn.value();
  movie.setLoop(false);
  const core::PlayModeState& modes = state_.playMode;
  const int count = catalog_.count();
  if (count == 0) return;
  if (modes.is(PlayMode::MultiContinuous) || modes.is(PlayMode::MultiNormal)) {
    index = index <= count - 2 ? index + 1 : 0;
  }
  if (modes.is(PlayMode::MultiRandom)) index = PlayModes::randomPick(platform_.random(), count);
  index = std::clamp(index, 0, count - 1);

  while (!catalog::isPlayableFile(catalog_.path(index))) {
    catalog::showMissingFile(platform_, catalog_.path(index));
    catalog_.removeAt(index);
    if (index == catalog_.count()) --index;
    list_.ListRefresh();
    if (catalog_.count() == 0) return;
  }

  commands_.NewFlash();
  MovieControl& next = w_.movie();
  next.setMovie(catalog_.path(index));
  state_.Labn.set(index);
  w_.Bar1->setPanel(Panel::TotalFrames, QString::number(next.TotalFrames()));
  if (next.TotalFrames() >= 2) {
    w_.Sldflash->setEnabled(true);
    w_.Sldflash->setRange(1, next.TotalFrames());
  } else {
    w_.Sldflash->setEnabled(false);
  }
  list_.selectRow(index);
  next.Play();
}

void PlaybackTick::Sldflash_MouseDown(Qt::MouseButton button) {
  if (button != Qt::LeftButton) return;
  dragging_ = true;
  w_.movie().Stop();
  w_.tmrsld->stop();
}

void PlaybackTick::Sldflash_MouseMove() {
  if (!dragging_) return;
  w_.movie().GotoFrame(w_.Sldflash->value() - 1);
  w_.Bar1->setPanel(Panel::CurrentFrame, QString::number(w_.Sldflash->value()));
}

void PlaybackTick::Sldflash_MouseUp(Qt::MouseButton button, const QPoint& globalPos) {
  if (button == Qt::LeftButton) w_.tmrsld->start();
  dragging_ = false;
  if (button == Qt::RightButton && MNUSLIDER_) MNUSLIDER_->popup(globalPos);
}

}  // namespace quelvo::playback
