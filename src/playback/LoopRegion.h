#pragma once

#include <QObject>

class QAction;
class QMenu;
class QWidget;

namespace quelvo::app {
class Form1;
}

namespace quelvo::playback {

// The slider's right-button menu "选择循环": the loop-region switch and its
// ends, kept as the slider's selection in 1-based frame numbers.
class LoopRegion : public QObject {
  Q_OBJECT

 public:
  static constexpr double kSliderHeight = 320;
  static constexpr double kSliderHeightWithRegion = 350;

  explicit LoopRegion(app::Form1& form);

  QAction* MNUSEL;
  QAction* MNUSELSTART;
  QAction* MNUSELEND;
  // The popup menu MNUSLIDER; its menu action carries the enabled state.
  QMenu* createMenu(QWidget* parent);
  QAction* MNUSLIDER = nullptr;

  void MNUSEL_Click();
  void MNUSELSTART_Click();
  void MNUSELEND_Click();
  // "循环选择区域: 10帧-40帧"
  QString regionText() const;

 private:
  void setSliderHeight(double twips);

  app::Form1& f_;
};

}  // namespace quelvo::playback
