#pragma once

#include <QObject>

class QAction;
class QMenu;
class QWidget;

namespace quelvo::playback {

// The slider's right-button menu "选择循环": the loop-region switch and its ends.
class LoopRegion : public QObject {
  Q_OBJECT

 public:
  explicit LoopRegion(QObject* owner);

  QAction* MNUSEL;
  QAction* MNUSELSTART;
  QAction* MNUSELEND;
  // The popup menu MNUSLIDER; its menu action carries the enabled state.
  QMenu* createMenu(QWidget* parent);
  QAction* MNUSLIDER = nullptr;
};

}  // namespace quelvo::playback
