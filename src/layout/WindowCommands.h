#pragma once

#include <QObject>
#include <array>

class QAction;
class QMenu;
class QWidget;

namespace quelvo::layout {

// Commands that move or reshape the whole window: full screen, restore, and
// docking to a screen corner ("黄金状态").
class WindowCommands : public QObject {
  Q_OBJECT

 public:
  explicit WindowCommands(QObject* owner);

  QAction* MNUFULL;
  QAction* MNUDEFAULT;
  std::array<QAction*, 5> MNUDIR{};  // elements 1 to 4

  // The "窗体控制" submenu with restore and the corner submenu MNUTOP.
  QMenu* createWindowControlMenu(QWidget* parent) const;
};

}  // namespace quelvo::layout
