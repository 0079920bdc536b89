#pragma once

#include <QObject>

class QAction;
class QMenu;
class QWidget;

namespace quelvo::core {
class LoopRegionState;
class Twips;
}  // namespace quelvo::core
namespace quelvo::layout {
class PaneLayout;
}

namespace quelvo::playback {

class FrameSlider;

// The slider's right-button menu "选择循环": the loop-region switch and its
// ends. The slider shows the region and the menu's marks follow it.
class LoopRegion : public QObject {
  Q_OBJECT

 public:
  static constexpr double kSliderHeight = 320;
  static constexpr double kSliderHeightWithRegion = 350;

  // Frame1 and Bar1 are the button and status bars the region needs shown.
  LoopRegion(core::LoopRegionState& state, FrameSlider& slider, QWidget* Frame1, QWidget* Bar1,
             layout::PaneLayout& panes, const core::Twips& twips, QObject* owner);

  QAction* MNUSEL;
  QAction* MNUSELSTART;
  QAction* MNUSELEND;
  // The popup menu MNUSLIDER; its menu action carries the enabled state.
  QMenu* createMenu(QWidget* parent);
  QAction* MNUSLIDER = nullptr;

  void MNUSEL_Click();
  void MNUSELSTART_Click();
  void MNUSELEND_Click();

 private:
  void followState();

  core::LoopRegionState& state_;
  FrameSlider& slider_;
  QWidget* Frame1_;
  QWidget* Bar1_;
  layout::PaneLayout& panes_;
  const core::Twips& twips_;
};

}  // namespace quelvo::playback
