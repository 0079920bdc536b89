#include "layout/FullScreen.h"

#include <QAction>
#include <QWidget>

#include "core/Dispatcher.h"
#include "core/DrawingLock.h"
#include "layout/PaneLayout.h"

namespace quelvo::layout {

FullScreen::FullScreen(QWidget* window, QAction* MNUFULL, PaneLayout& panes,
                       core::Dispatcher& dispatcher, QObject* owner)
    : QObject(owner), window_(window), MNUFULL_(MNUFULL), panes_(panes) {
  dispatcher.bind(core::Command::FullScreen, MNUFULL_, [this] { MNUFULL_Click(); });
}

bool FullScreen::isOn() const { return MNUFULL_->isChecked(); }

void FullScreen::MNUFULL_Click() {
  core::DrawingLock lock(window_);
  MNUFULL_->setChecked(!MNUFULL_->isChecked());
  if (MNUFULL_->isChecked()) {
    savedMenuBar_ = panes_.MNUMENU->isChecked();
    panes_.MNUMENU->setChecked(true);
    panes_.MNUMENU_Click();
    window_->showFullScreen();
  } else {
    window_->showNormal();
    panes_.MNUMENU->setChecked(!savedMenuBar_);
    panes_.MNUMENU_Click();
  }
  window_->activateWindow();
  panes_.SheZhi();
}

}  // namespace quelvo::layout
