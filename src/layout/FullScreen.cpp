#include "layout/FullScreen.h"

#include <QAction>

#include "app/Form1.h"
#include "core/Actions.h"
#include "core/DrawingLock.h"
#include "layout/PaneLayout.h"
#include "layout/WindowCommands.h"

namespace quelvo::layout {

FullScreen::FullScreen(app::Form1& form) : QObject(&form), f_(form) {
  core::connectToggle(f_.windowCommands->MNUFULL, this, [this] { MNUFULL_Click(); });
}

void FullScreen::MNUFULL_Click() {
  core::DrawingLock lock(&f_);
  QAction* full = f_.windowCommands->MNUFULL;
  PaneLayout& panes = *f_.panes;
  full->setChecked(!full->isChecked());
  if (full->isChecked()) {
    savedMenuBar_ = panes.MNUMENU->isChecked();
    f_.setWindowFlag(Qt::FramelessWindowHint, true);
    panes.MNUMENU->setChecked(true);
    panes.MNUMENU_Click();
    f_.showFullScreen();
  } else {
    f_.setWindowFlag(Qt::FramelessWindowHint, false);
    f_.showNormal();
    panes.MNUMENU->setChecked(!savedMenuBar_);
    panes.MNUMENU_Click();
  }
  f_.activateWindow();
  panes.SheZhi();
}

}  // namespace quelvo::layout
