#include "playback/LoopRegion.h"

#include <QAction>
#include <QMenu>

#include "core/Actions.h"
#include "core/Twips.h"
#include "core/session/LoopRegionState.h"
#include "layout/PaneLayout.h"
#include "playback/FrameSlider.h"

namespace quelvo::playback {

LoopRegion::LoopRegion(core::LoopRegionState& state, FrameSlider& slider, QWidget* Frame1,
                       QWidget* Bar1, layout::PaneLayout& panes, const core::Twips& twips,
                       QObject* owner)
    : QObject(owner),
      state_(state),
      slider_(slider),
      Frame1_(Frame1),
      Bar1_(Bar1),
      panes_(panes),
      twips_(twips) {
  MNUSEL = core::makeCheckableAction(this, QStringLiteral("MNUSEL"), QStringLiteral("区域可选"));
  MNUSELSTART =
      core::makeAction(this, QStringLiteral("MNUSELSTART"), QStringLiteral("选定开始点"), false);
  MNUSELEND =
      core::makeAction(this, QStringLiteral("MNUSELEND"), QStringLiteral("选定结束点"), false);
  core::connectToggle(MNUSEL, this, [this] { MNUSEL_Click(); });
  connect(MNUSELSTART, &QAction::triggered, this, &LoopRegion::MNUSELSTART_Click);
  connect(MNUSELEND, &QAction::triggered, this, &LoopRegion::MNUSELEND_Click);
  connect(&state_, &core::LoopRegionState::changed, this, &LoopRegion::followState);
}

QMenu* LoopRegion::createMenu(QWidget* parent) {
  QMenu* menu = core::makeMenu(parent, QStringLiteral("MNUSLIDER"), QStringLiteral("选择循环"));
  menu->addAction(MNUSEL);
  menu->addAction(MNUSELSTART);
  menu->addAction(MNUSELEND);
  MNUSLIDER = menu->menuAction();
  MNUSLIDER->setObjectName(QStringLiteral("MNUSLIDER"));
  return menu;
}

void LoopRegion::followState() {
  const bool on = state_.on();
  MNUSEL->setChecked(on);
  slider_.resize(slider_.width(), twips_.toPixelsY(on ? kSliderHeightWithRegion : kSliderHeight));
  slider_.setSelectRange(on);
  slider_.setSelection(state_.start(), state_.length());
  MNUSELSTART->setEnabled(on);
  MNUSELEND->setEnabled(on);
}

void LoopRegion::MNUSEL_Click() {
  if (state_.on()) {
    state_.setOn(false);
    return;
  }
  // The region starts as the whole movie, on the bars that show it.
  state_.setRange(slider_.minimum(), slider_.maximum() - slider_.minimum());
  if (Frame1_->isHidden()) panes_.MNUBUTTON_Click();
  if (Bar1_->isHidden()) panes_.MNUBAR_Click();
  state_.setOn(true);
}

void LoopRegion::MNUSELSTART_Click() {
  const int end = state_.end();
  const int value = slider_.value();
  state_.setRange(value, value < end ? end - value : 0);
}

void LoopRegion::MNUSELEND_Click() {
  const int value = slider_.value();
  if (state_.start() < value) {
    state_.setRange(state_.start(), value - state_.start());
  } else {
    state_.setRange(value, 0);
  }
}

}  // namespace quelvo::playback
