#pragma once

#include <QObject>
#include <memory>
#include <vector>

#include "platform/SystemMenu.h"

class QAction;
class QMenu;
class QPoint;
class QWidget;

namespace quelvo::core {
class OnTopState;
class SkinSchemeState;
}  // namespace quelvo::core
namespace quelvo::layout {
class PaneLayout;
}
namespace quelvo::platform {
class Platform;
}

namespace quelvo::integration {

// The program's own items of the window's system menu. Where the system has a
// native system menu they go there and follow every change of the on-top
// state, the skin scheme and the menu bar. Elsewhere they form a popup window
// menu, opened by a right click on the movie area or by Alt+Space and rebuilt
// each time it opens, so it shows what holds at that moment.
class WindowMenu : public QObject {
  Q_OBJECT

 public:
  // The items' identifiers.
  enum Item { AlwaysInFront = 0, About = 2, MenuBar = 3 };

  // MNUABOUT: the about command the "关于..." item runs.
  WindowMenu(core::OnTopState& Label1, const core::SkinSchemeState& skin, layout::PaneLayout& panes,
             QAction* MNUABOUT, QWidget* window, platform::Platform& platform, QObject* owner);
  ~WindowMenu() override;

  // The items that hold now, in their order.
  std::vector<platform::SystemMenuItem> items() const;
  // The popup; null where the native system menu is used.
  QMenu* menu() const { return menu_; }
  // Opens the popup at a point of the screen; its items are made as it opens.
  void popup(const QPoint& globalPos);
  // Opens the popup at the window's top-left corner, where a system menu
  // opens. False where the system opens its own menu.
  bool popupAtWindow();
  // Runs an item's command.
  void SysMenuProc(Item item);

 private:
  void rebuildPopup();
  void updateNative();

  core::OnTopState& Label1_;
  const core::SkinSchemeState& skin_;
  layout::PaneLayout& panes_;
  QAction* MNUABOUT_;
  QWidget* window_;
  std::unique_ptr<platform::SystemMenu> native_;
  QMenu* menu_ = nullptr;
};

}  // namespace quelvo::integration
