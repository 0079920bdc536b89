#include "integration/WindowMenu.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

#include "core/session/OnTopState.h"
#include "core/session/SkinScheme.h"
#include "layout/PaneLayout.h"

namespace quelvo::integration {

WindowMenu::WindowMenu(core::OnTopState& Label1, const core::SkinSchemeState& skin,
                       layout::PaneLayout& panes, QAction* MNUABOUT, QWidget* window,
                       QObject* owner)
    : QObject(owner),
      Label1_(Label1),
      skin_(skin),
      panes_(panes),
      MNUABOUT_(MNUABOUT),
      window_(window),
      menu_(new QMenu(QStringLiteral("窗口菜单"), window)) {
  menu_->setObjectName(QStringLiteral("SysMenu"));
  connect(menu_, &QMenu::aboutToShow, this, &WindowMenu::rebuild);
}

QAction* WindowMenu::addItem(Item item, const QString& caption) {
  QAction* action = menu_->addAction(caption);
  action->setObjectName(QStringLiteral("SysMenu[%1]").arg(item));
  connect(action, &QAction::triggered, this, [this, item] { SysMenuProc(item); });
  return action;
}

void WindowMenu::rebuild() {
  menu_->clear();
  QAction* front = addItem(AlwaysInFront, QStringLiteral("窗体始终在前"));
  front->setCheckable(true);
  front->setChecked(Label1_.value());
  if (!skin_.is(core::SkinScheme::Default)) {
    menu_->addSeparator();
    addItem(About, QStringLiteral("关于..."));
  }
  if (skin_.is(core::SkinScheme::Default) && !panes_.MNUMENU->isChecked()) {
    menu_->addSeparator();
    addItem(MenuBar, QStringLiteral("菜单栏"));
  }
}

void WindowMenu::popup(const QPoint& globalPos) { menu_->popup(globalPos); }

void WindowMenu::popupAtWindow() { popup(window_->mapToGlobal(QPoint(0, 0))); }

void WindowMenu::SysMenuProc(Item item) {
  switch (item) {
    case AlwaysInFront:
      Label1_.set(!Label1_.value());
      break;
    case About:
      MNUABOUT_->trigger();
      break;
    case MenuBar:
      panes_.HIDEMENU(false);
      break;
  }
}

}  // namespace quelvo::integration
