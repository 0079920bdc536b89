#include "layout/WindowPlacement.h"

#include <QAction>

#include "app/Form1.h"
#include "core/DrawingLock.h"
#include "layout/FullScreen.h"
#include "layout/PaneLayout.h"
#include "layout/Twips.h"
#include "layout/WindowCommands.h"
#include "platform/Platform.h"
#include "playback/StatusBar.h"

namespace quelvo::layout {

WindowPlacement::WindowPlacement(app::Form1& form) : QObject(&form), f_(form) {
  WindowCommands& w = *f_.windowCommands;
  connect(w.MNUDEFAULT, &QAction::triggered, this, &WindowPlacement::MNUDEFAULT_Click);
  for (int i = 1; i <= 4; ++i) {
    connect(w.MNUDIR[i], &QAction::triggered, this, [this, i] { MNUDIR_Click(i); });
  }
}

void WindowPlacement::setOnTop(bool onTop) {
  f_.Label1 = onTop ? QStringLiteral("1") : QStringLiteral("2");
  if (f_.windowFlags().testFlag(Qt::WindowStaysOnTopHint) == onTop) return;
  const bool visible = f_.isVisible();
  f_.setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
  if (visible) f_.show();
}

void WindowPlacement::MNUDEFAULT_Click() {
  core::DrawingLock lock(&f_);
  if (f_.windowCommands->MNUFULL->isChecked()) f_.fullScreen->MNUFULL_Click();
  if (f_.isMaximized()) f_.showNormal();
  PaneLayout& panes = *f_.panes;
  // The menu bar comes back first, so the size set below is the one that stays.
  panes.HIDEMENU(false);
  const platform::ScreenMetrics screen = f_.environment().platform.screen();
  const Twips& t = *f_.twips;
  const bool wide = screen.widthTwips > 12000;
  resizeOuter(&f_, QSize(t.toPixelsX(wide ? 8333 : 6666), t.toPixelsY(wide ? 6500 : 5000)));
  const QSize outer = f_.frameGeometry().size();
  f_.move(t.toPixelsX((screen.widthTwips - t.fromPixelsX(outer.width())) / 2),
          t.toPixelsY((screen.heightTwips - t.fromPixelsY(outer.height())) / 2));
  panes.setCatalogWidth(1575);
  if (panes.MNUBUTTON->isChecked()) panes.MNUBUTTON_Click();
  if (panes.MNUBAR->isChecked()) panes.MNUBAR_Click();
  if (panes.MNUMU->isChecked()) panes.MNUMU_Click();
  setOnTop(false);
  panes.SheZhi();
}

void WindowPlacement::MNUDIR_Click(int index) {
  core::DrawingLock lock(&f_);
  if (f_.windowCommands->MNUFULL->isChecked()) f_.fullScreen->MNUFULL_Click();
  if (f_.isMaximized()) f_.showNormal();
  setOnTop(true);
  PaneLayout& panes = *f_.panes;
  for (QAction* item : {panes.MNUBUTTON, panes.MNUBAR, panes.MNUMU}) item->setChecked(false);
  f_.Frame1->hide();
  f_.Bar1->hide();
  f_.frmlist->hide();
  panes.SheZhi();
  if (!panes.MNUMENU->isChecked()) panes.MNUMENU->setChecked(true);
  panes.MNUMENU_Click();
  // The smallest size the window allows; the corner uses the size obtained.
  const Twips& t = *f_.twips;
  resizeOuter(&f_, QSize(t.toPixelsX(1000), t.toPixelsY(1000)));
  const platform::ScreenMetrics screen = f_.environment().platform.screen();
  const int screenW = t.toPixelsX(screen.widthTwips);
  const int screenH = t.toPixelsY(screen.heightTwips);
  const QSize outer = f_.frameGeometry().size();
  const bool right = index == 1 || index == 2;
  const bool bottom = index == 2 || index == 4;
  f_.move(right ? screenW - outer.width() : 0, bottom ? screenH - outer.height() : 0);
}

}  // namespace quelvo::layout
