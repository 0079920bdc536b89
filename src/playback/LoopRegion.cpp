#include "playback/LoopRegion.h"

#include <QAction>
#include <QMenu>

#include "app/Form1.h"
#include "core/Actions.h"
#include "layout/PaneLayout.h"
#include "layout/Twips.h"
#include "playback/FrameSlider.h"
#include "playback/PlayModes.h"
#include "playback/StatusBar.h"

namespace quelvo::playback {

LoopRegion::LoopRegion(app::Form1& form) : QObject(&form), f_(form) {
  MNUSEL = core::makeCheckableAction(this, QStringLiteral("MNUSEL"), QStringLiteral("区域可选"));
  MNUSELSTART =
      core::makeAction(this, QStringLiteral("MNUSELSTART"), QStringLiteral("选定开始点"), false);
  MNUSELEND =
      core::makeAction(this, QStringLiteral("MNUSELEND"), QStringLiteral("选定结束点"), false);
  core::connectToggle(MNUSEL, this, [this] { MNUSEL_Click(); });
  connect(MNUSELSTART, &QAction::triggered, this, &LoopRegion::MNUSELSTART_Click);
  connect(MNUSELEND, &QAction::triggered, this, &LoopRegion::MNUSELEND_Click);
}

QMenu* LoopRegion::createMenu(QWidget* parent) {
  auto* menu = new QMenu(QStringLiteral("选择循环"), parent);
  menu->setObjectName(QStringLiteral("MNUSLIDER"));
  menu->addAction(MNUSEL);
  menu->addAction(MNUSELSTART);
  menu->addAction(MNUSELEND);
  MNUSLIDER = menu->menuAction();
  MNUSLIDER->setObjectName(QStringLiteral("MNUSLIDER"));
  return menu;
}

void LoopRegion::setSliderHeight(double twips) {
  f_.Sldflash->resize(f_.Sldflash->width(), f_.twips->toPixelsY(twips));
}

void LoopRegion::MNUSEL_Click() {
  MNUSEL->setChecked(!MNUSEL->isChecked());
  FrameSlider& slider = *f_.Sldflash;
  if (MNUSEL->isChecked()) {
    setSliderHeight(kSliderHeightWithRegion);
    slider.setSelectRange(true);
    slider.setSelection(slider.minimum(), slider.maximum() - slider.minimum());
    if (f_.Frame1->isHidden()) f_.panes->MNUBUTTON_Click();
    if (f_.Bar1->isHidden()) f_.panes->MNUBAR_Click();
    MNUSELSTART->setEnabled(true);
    MNUSELEND->setEnabled(true);
    f_.Bar1->setPanel(6, regionText());
  } else {
    setSliderHeight(kSliderHeight);
    slider.setSelectRange(false);
    MNUSELSTART->setEnabled(false);
    MNUSELEND->setEnabled(false);
    if (f_.playModes->checked() >= 0) f_.Bar1->setPanel(6, f_.playModes->checkedCaption());
  }
}

void LoopRegion::MNUSELSTART_Click() {
  FrameSlider& slider = *f_.Sldflash;
  const int end = slider.selStart() + slider.selLength();
  const int value = slider.value();
  slider.setSelection(value, value < end ? end - value : 0);
  f_.Bar1->setPanel(6, regionText());
}

void LoopRegion::MNUSELEND_Click() {
  FrameSlider& slider = *f_.Sldflash;
  const int value = slider.value();
  if (slider.selStart() < value) {
    slider.setSelection(slider.selStart(), value - slider.selStart());
  } else {
    slider.setSelection(value, 0);
  }
  f_.Bar1->setPanel(6, regionText());
}

QString LoopRegion::regionText() const {
  const FrameSlider& slider = *f_.Sldflash;
  return QStringLiteral("循环选择区域: %1帧-%2帧")
      .arg(slider.selStart())
      .arg(slider.selStart() + slider.selLength());
}

}  // namespace quelvo::playback
