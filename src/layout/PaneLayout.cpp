#include "layout/PaneLayout.h"

#include <QAction>
#include <QEvent>
#include <QFrame>
#include <QListView>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <cmath>

#include "core/Actions.h"
#include "core/Dispatcher.h"
#include "core/DrawingLock.h"
#include "core/session/SkinScheme.h"

namespace quelvo::layout {

PaneLayout::PaneLayout(const PaneWidgets& widgets, const core::Twips& twips,
                       const core::SkinSchemeState& skin, core::Dispatcher& dispatcher,
                       QObject* owner)
    : QObject(owner), w_(widgets), twips_(twips), skin_(skin) {
  using core::Command;
  MNUBUTTON = core::makeCheckableAction(this, QStringLiteral("MNUBUTTON"),
                                        QStringLiteral("按扭栏     Ctrl+C"));
  MNUBAR = core::makeCheckableAction(this, QStringLiteral("MNUBAR"),
                                     QStringLiteral("状态栏     Ctrl+D"));
  MNUMU =
      core::makeCheckableAction(this, QStringLiteral("MNUMU"), QStringLiteral("目录栏     Ctrl+E"));
  MNUMENU = core::makeCheckableAction(this, QStringLiteral("MNUMENU"),
                                      QStringLiteral("菜单栏      Alt+M"), true);
  dispatcher.bind(Command::ButtonBar, MNUBUTTON, [this] { MNUBUTTON_Click(); });
  dispatcher.bind(Command::StatusBar, MNUBAR, [this] { MNUBAR_Click(); });
  dispatcher.bind(Command::CatalogPane, MNUMU, [this] { MNUMU_Click(); });
  dispatcher.bind(Command::MenuBar, MNUMENU, [this] { MNUMENU_Click(); });
  w_.client->installEventFilter(this);
  w_.Picture1->installEventFilter(this);
  w_.Frame1->installEventFilter(this);
}

double PaneLayout::innerWidth() const { return twips_.fromPixelsX(w_.client->width()); }

double PaneLayout::innerHeight() const { return twips_.fromPixelsY(w_.client->height()); }

double PaneLayout::heightOf(const QWidget* widget) const {
  return twips_.fromPixelsY(widget->height());
}

void PaneLayout::place(QWidget* widget, double left, double top, double width,
                       double height) const {
  widget->setGeometry(twips_.toPixels(left, top, std::max(0.0, width), std::max(0.0, height)));
}

void PaneLayout::SheZhi() {
  splitterLimit_ = innerWidth() - kMinPaneWidth;
  const bool buttonBar = !w_.Frame1->isHidden();
  const bool statusBar = !w_.Bar1->isHidden();
  const double barHeight = twips_.fromPixelsY(w_.Bar1->sizeHint().height());

  double H = innerHeight();
  if (buttonBar) H -= kButtonBarHeight;
  if (statusBar) H -= barHeight;
  movieFrameHeight_ = H;

  if (MNUMU->isChecked()) {
    splitterLeft_ = catalogWidth_;
    movieFrameLeft_ = splitterLeft_ + kSplitterWidth;
    movieFrameWidth_ = innerWidth() - catalogWidth_ - kSplitterWidth;
    w_.Picture1->show();
  } else {
    w_.Picture1->hide();
    movieFrameWidth_ = innerWidth();
    movieFrameLeft_ = 0;
  }
  place(w_.frmflash, movieFrameLeft_, 0, movieFrameWidth_, H);
  place(w_.frmlist, 0, 0, catalogWidth_, H);
  place(w_.Picture1, splitterLeft_, 0, kSplitterWidth, H);
  w_.movie()->setGeometry(w_.frmflash->contentsRect());

  const double buttonHeight = heightOf(w_.Cmdlist[0]);
  place(w_.List2, 0, 0, catalogWidth_, H - buttonHeight - 160);
  for (QPushButton* button : w_.Cmdlist) {
    const QRect g = button->geometry();
    button->move(g.x(), twips_.toPixelsY(H - buttonHeight - 70));
  }

  const double outerWidth = twips_.fromPixelsX(w_.window->frameGeometry().width());
  place(w_.Frame1, outerWidth / 2 - kButtonBarWidth / 2, H, kButtonBarWidth, kButtonBarHeight);
  if (statusBar) {
    w_.Bar1->setGeometry(0, w_.client->height() - w_.Bar1->sizeHint().height(), w_.client->width(),
                         w_.Bar1->sizeHint().height());
  }

  const bool border = movieFrameHasBorder();
  w_.frmflash->setFrameShape(border ? QFrame::StyledPanel : QFrame::NoFrame);
  w_.frmflash->setFrameShadow(QFrame::Sunken);
  w_.movie()->setGeometry(w_.frmflash->contentsRect());
}

bool PaneLayout::movieFrameHasBorder() const {
  return !w_.frmlist->isHidden() || !w_.Frame1->isHidden();
}

void PaneLayout::HIDEMENU(bool hide) {
  for (QMenu* menu : MENU_) menu->menuAction()->setVisible(!hide);
  w_.window->menuBar()->setVisible(!hide);
  MNUMENU->setChecked(!hide);
}

void PaneLayout::toggle(QAction* item, QWidget* pane) {
  core::DrawingLock lock(w_.window);
  item->setChecked(!item->isChecked());
  pane->setVisible(item->isChecked());
  SheZhi();
}

void PaneLayout::MNUBUTTON_Click() { toggle(MNUBUTTON, w_.Frame1); }

void PaneLayout::MNUBAR_Click() { toggle(MNUBAR, w_.Bar1); }

void PaneLayout::MNUMU_Click() { toggle(MNUMU, w_.frmlist); }

void PaneLayout::hideBars() {
  for (QAction* item : {MNUBUTTON, MNUBAR, MNUMU}) item->setChecked(false);
  w_.Frame1->hide();
  w_.Bar1->hide();
  w_.frmlist->hide();
  SheZhi();
}

void PaneLayout::MNUMENU_Click() {
  {
    core::DrawingLock lock(w_.window);
    MNUMENU->setChecked(!MNUMENU->isChecked());
    HIDEMENU(!MNUMENU->isChecked());
    if (menuBarToggled_) menuBarToggled_();
  }
  // The client area changed; lay out at once rather than waiting for the resize.
  SheZhi();
}

void PaneLayout::arrangeButtons() {
  const auto leftOf = [&](const QWidget* b) { return twips_.fromPixelsX(b->x()); };
  const auto widthOf = [&](const QWidget* b) { return twips_.fromPixelsX(b->width()); };
  const auto setLeft = [&](QWidget* b, double left) { b->move(twips_.toPixelsX(left), b->y()); };

  setLeft(w_.Cmdlist[0], 60);
  for (int i = 1; i < 5; ++i) {
    setLeft(w_.Cmdlist[i], leftOf(w_.Cmdlist[i - 1]) + widthOf(w_.Cmdlist[i - 1]) + 70);
  }
  setLeft(w_.Sldflash, kButtonBarWidth / 2 - widthOf(w_.Sldflash) / 2 - 60);
  for (int i = 1; i < 8; ++i) w_.Command1[i]->resize(w_.Command1[0]->size());
  catalogWidth_ = kCatalogWidth;
  const double buttonWidth = widthOf(w_.Command1[0]);
  setLeft(w_.Command1[0], 5400);
  setLeft(w_.Command1[7], kButtonBarWidth - buttonWidth - 5400 - 115);
  const double gap = (leftOf(w_.Command1[7]) - leftOf(w_.Command1[0]) - 7 * buttonWidth) / 7;
  for (int i = 1; i < 7; ++i) {
    setLeft(w_.Command1[i], leftOf(w_.Command1[i - 1]) + buttonWidth + gap);
  }
}

void PaneLayout::applyCatalogWidth() {
  place(w_.frmlist, 0, 0, catalogWidth_, movieFrameHeight_);
  w_.List2->resize(twips_.toPixelsX(catalogWidth_), w_.List2->height());
}

void PaneLayout::Form_Resize() {
  if (skin_.SkinOn() || w_.window->isMinimized()) return;
  if (splitterLeft_ >= innerWidth() - kMinPaneWidth) {
    splitterLeft_ = innerWidth() - kMinPaneWidth;
  }
  catalogWidth_ = splitterLeft_;
  SheZhi();
}

void PaneLayout::SaveWindowState() {
  if (skin_.SkinOn()) return;
  snapshot_ =
      WindowSnapshot{w_.window->geometry(),   MNUMENU->isChecked(),
                     MNUMU->isChecked(),      MNUBUTTON->isChecked(),
                     MNUBAR->isChecked(),     fullScreenItem_ && fullScreenItem_->isChecked(),
                     w_.window->isMaximized()};
}

void PaneLayout::RestoreWindowState() {
  if (!snapshot_) return;
  const WindowSnapshot& s = *snapshot_;
  w_.window->setGeometry(s.geometry);
  // Full screen remembers the menu-bar state it finds, so show it first.
  if (storedDefault_ && !storedDefault_()) HIDEMENU(false);
  const std::pair<QAction*, void (PaneLayout::*)()> bars[] = {
      {MNUMU, &PaneLayout::MNUMU_Click},
      {MNUBUTTON, &PaneLayout::MNUBUTTON_Click},
      {MNUBAR, &PaneLayout::MNUBAR_Click}};
  const bool stored[] = {s.catalog, s.buttons, s.status};
  for (int i = 0; i < 3; ++i) {
    bars[i].first->setChecked(!stored[i]);
    (this->*bars[i].second)();
  }
  if (s.fullScreen && fullScreenItem_ && fullScreenToggle_) {
    fullScreenItem_->setChecked(false);
    fullScreenToggle_();
  }
  MNUMENU->setChecked(!s.menu);
  HIDEMENU(!s.menu);
  if (s.maximised) {
    w_.window->showMaximized();
  } else if (w_.window->isVisible()) {
    w_.window->showNormal();
  }
}

void PaneLayout::splitterPressed(double xInSplitter) {
  dragging_ = true;
  grabOffset_ = std::round(xInSplitter);
  w_.Picture1->setBackgroundRole(QPalette::Dark);
}

void PaneLayout::splitterMoved(double xInSplitter) {
  if (!dragging_) return;
  splitterLeft_ += xInSplitter - grabOffset_;
  w_.Picture1->move(twips_.toPixelsX(splitterLeft_), w_.Picture1->y());
}

void PaneLayout::splitterReleased() {
  if (splitterLeft_ <= kMinPaneWidth) splitterLeft_ = kMinPaneWidth + 0.0001;
  if (splitterLeft_ >= splitterLimit_) splitterLeft_ = splitterLimit_ - 0.0001;
  catalogWidth_ = splitterLeft_;
  applyCatalogWidth();
  movieFrameLeft_ = splitterLeft_ + kSplitterWidth;
  movieFrameWidth_ = innerWidth() - splitterLeft_ - kSplitterWidth;
  place(w_.frmflash, movieFrameLeft_, 0, movieFrameWidth_, movieFrameHeight_);
  w_.Picture1->move(twips_.toPixelsX(splitterLeft_), w_.Picture1->y());
  w_.movie()->setGeometry(w_.frmflash->contentsRect());
  dragging_ = false;
  w_.Picture1->setBackgroundRole(QPalette::Window);
}

bool PaneLayout::eventFilter(QObject* watched, QEvent* event) {
  if (watched == w_.client && event->type() == QEvent::Resize) {
    Form_Resize();
  } else if (watched == w_.Frame1 && event->type() == QEvent::MouseButtonDblClick) {
    MNUBUTTON_Click();
  } else if (watched == w_.Picture1) {
    const auto* mouse = dynamic_cast<QMouseEvent*>(event);
    if (mouse) {
      const double x = twips_.fromPixelsX(static_cast<int>(mouse->position().x()));
      if (event->type() == QEvent::MouseButtonPress && mouse->button() == Qt::LeftButton) {
        splitterPressed(x);
      } else if (event->type() == QEvent::MouseMove) {
        splitterMoved(x);
      } else if (event->type() == QEvent::MouseButtonRelease) {
        splitterReleased();
      }
    }
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace quelvo::layout
