#include "layout/WindowPlacement.h"

#include <QAction>
#include <QWidget>

#include "core/Dispatcher.h"
#include "core/DrawingLock.h"
#include "core/Twips.h"
#include "core/session/OnTopState.h"
#include "layout/FullScreen.h"
#include "layout/PaneLayout.h"
#include "layout/WindowCommands.h"
#include "platform/Platform.h"

namespace quelvo::layout {

WindowPlacement::WindowPlacement(QWidget* window, WindowCommands& commands, PaneLayout& panes,
                                 FullScreen& fullScreen, core::OnTopState& Label1,
                                 const core::Twips& twips, core::Dispatcher& dispatcher,
                                 platform::Platform& platform, QObject* owner)
    : QObject(owner),
      window_(window),
      panes_(panes),
      fullScreen_(fullScreen),
      Label1_(Label1),
      twips_(twips),
      platform_(platform) {
  dispatcher.bind(core::Command::RestoreWindow, commands.MNUDEFAULT,
                  [this] { MNUDEFAULT_Click(); });
  dispatcher.bind(core::Command::DockTopRight, commands.MNUDIR[1], [this] { MNUDIR_Click(1); });
  for (int i = 2; i <= 4; ++i) {
    connect(commands.MNUDIR[i], &QAction::triggered, this, [this, i] { MNUDIR_Click(i); });
  }
  connect(&Label1_, &core::OnTopState::changed, this, &WindowPlacement::followOnTop);
}

void WindowPlacement::followOnTop(bool onTop) {
  if (window_->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == onTop) return;
  const bool visible = window_->isVisible();
  window_->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
  if (visible) window_->show();
}

void WindowPlacement::leaveFullScreenAndMaximised() {
  if (fullScreen_.isOn()) fullScreen_.MNUFULL_Click();
  if (window_->isMaximized()) window_->showNormal();
}

void WindowPlacement::MNUDEFAULT_Click() {
  core::DrawingLock lock(window_);
  leaveFullScreenAndMaximised();
  // The menu bar comes back first, so the size set below is the one that stays.
  panes_.HIDEMENU(false);
  const platform::ScreenMetrics screen = platform_.screen();
  const bool wide = screen.widthTwips > 12000;
  core::resizeOuter(
      window_, QSize(twips_.toPixelsX(wide ? 8333 : 6666), twips_.toPixelsY(wide ? 6500 : 5000)));
  const QSize outer = window_->frameGeometry().size();
  window_->move(twips_.toPixelsX((screen.widthTwips - twips_.fromPixelsX(outer.width())) / 2),
                twips_.toPixelsY((screen.heightTwips - twips_.fromPixelsY(outer.height())) / 2));
  panes_.setCatalogWidth(1575);
  if (panes_.MNUBUTTON->isChecked()) panes_.MNUBUTTON_Click();
  if (panes_.MNUBAR->isChecked()) panes_.MNUBAR_Click();
  if (panes_.MNUMU->isChecked()) panes_.MNUMU_Click();
  Label1_.set(false);
  panes_.SheZhi();
}

void WindowPlacement::MNUDIR_Click(int index) {
  core::DrawingLock lock(window_);
  leaveFullScreenAndMaximised();
  Label1_.set(true);
  panes_.hideBars();
  if (!panes_.MNUMENU->isChecked()) panes_.MNUMENU->setChecked(true);
  panes_.MNUMENU_Click();
  // The smallest size the window allows; the corner uses the size obtained.
  core::resizeOuter(window_, QSize(twips_.toPixelsX(1000), twips_.toPixelsY(1000)));
  const platform::ScreenMetrics screen = platform_.screen();
  const int screenW = twips_.toPixelsX(screen.widthTwips);
  const int screenH = twips_.toPixelsY(screen.heightTwips);
  const QSize outer = window_->frameGeometry().size();
  const bool right = index == 1 || index == 2;
  const bool bottom = index == 2 || index == 4;
  window_->move(right ? screenW - outer.width() : 0, bottom ? screenH - outer.height() : 0);
}

}  // namespace quelvo::layout
