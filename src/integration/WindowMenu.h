#pragma once

#include <QObject>

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

namespace quelvo::integration {

// The window menu: the program's own items of the window's system menu, as a
// popup opened by a right click on the movie area or by Alt+Space. It is
// rebuilt from the on-top state, the skin scheme and the menu bar each time
// it opens, so it shows what holds at that moment.
class WindowMenu : public QObject {
  Q_OBJECT

 public:
  // The items' identifiers.
  enum Item { AlwaysInFront = 0, About = 2, MenuBar = 3 };

  // MNUABOUT: the about command the "关于..." item runs.
  WindowMenu(core::OnTopState& Label1, const core::SkinSchemeState& skin, layout::PaneLayout& panes,
             QAction* MNUABOUT, QWidget* window, QObject* owner);

  QMenu* menu() const { return menu_; }
  // Opens the menu at a point of the screen; its items are made as it opens.
  void popup(const QPoint& globalPos);
  // Opens it at the window's top-left corner, where a system menu opens.
  void popupAtWindow();
  // Runs an item's command.
  void SysMenuProc(Item item);

 private:
  void rebuild();
  QAction* addItem(Item item, const QString& caption);

  core::OnTopState& Label1_;
  const core::SkinSchemeState& skin_;
  layout::PaneLayout& panes_;
  QAction* MNUABOUT_;
  QWidget* window_;
  QMenu* menu_;
};

}  // namespace quelvo::integration
