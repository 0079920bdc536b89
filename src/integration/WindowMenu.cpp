#include "integration/WindowMenu.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

#include "core/Actions.h"
#include "core/session/OnTopState.h"
#include "core/session/SkinScheme.h"
#include "layout/PaneLayout.h"
#include "platform/Platform.h"

namespace quelvo::integration {

WindowMenu::WindowMenu(core::OnTopState& Label1, const core::SkinSchemeState& skin,
                       layout::PaneLayout& panes, QAction* MNUABOUT, QWidget* window,
                       platform::Platform& platform, QObject* owner)
    : QObject(owner),
      Label1_(Label1),
      skin_(skin),
      panes_(panes),
      MNUABOUT_(MNUABOUT),
      window_(window),
      native_(platform.systemMenu(window, [this](int id) { SysMenuProc(static_cast<Item>(id)); })) {
  if (native_) {
    connect(&Label1, &core::OnTopState::changed, this, &WindowMenu::updateNative);
    connect(&skin, &core::SkinSchemeState::schemeChanged, this, &WindowMenu::updateNative);
    connect(panes.MNUMENU, &QAction::toggled, this, &WindowMenu::updateNative);
    updateNative();
    return;
  }
  menu_ = core::makeMenu(window, QStringLiteral("SysMenu"), QStringLiteral("窗口菜单"));
  connect(menu_, &QMenu::aboutToShow, this, &WindowMenu::rebuildPopup);
}

WindowMenu::~WindowMenu() = default;

std::vector<platform::SystemMenuItem> WindowMenu::items() const {
  std::vector<platform::SystemMenuItem> items{
      {AlwaysInFront, QStringLiteral("窗体始终在前"), true, Label1_.value()}};
  const bool defaultSkin = skin_.is(core::SkinScheme::Default);
  if (!defaultSkin) items.push_back({About, QStringLiteral("关于...")});
  if (defaultSkin && !panes_.MNUMENU->isChecked()) {
    items.push_back({MenuBar, QStringLiteral("菜单栏")});
  }
  return items;
}

void WindowMenu::updateNative() { native_->setItems(items()); }

// The popup has no system items before the program's, so its first item needs
// no separator.
void WindowMenu::rebuildPopup() {
  menu_->clear();
  for (const platform::SystemMenuItem& item : items()) {
    if (!menu_->isEmpty()) menu_->addSeparator();
    QAction* action = menu_->addAction(item.caption);
    action->setObjectName(QStringLiteral("SysMenu[%1]").arg(item.id));
    action->setCheckable(item.checkable);
    action->setChecked(item.checked);
    const auto id = static_cast<Item>(item.id);
    connect(action, &QAction::triggered, this, [this, id] { SysMenuProc(id); });
  }
}

void WindowMenu::popup(const QPoint& globalPos) {
  if (menu_ != nullptr) menu_->popup(globalPos);
}

bool WindowMenu::popupAtWindow() {
  if (menu_ == nullptr) return false;
  popup(window_->mapToGlobal(QPoint(0, 0)));
  return true;
}

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
