#include "layout/WindowCommands.h"

#include <QAction>
#include <QMenu>

#include "core/Actions.h"

namespace quelvo::layout {

WindowCommands::WindowCommands(QObject* owner) : QObject(owner) {
  MNUFULL = core::makeCheckableAction(this, QStringLiteral("MNUFULL"),
                                      QStringLiteral("全屏播放(&S)  Ctrl+F"));
  MNUDEFAULT =
      core::makeAction(this, QStringLiteral("MNUDEFAULT"), QStringLiteral("窗体复原  Ctrl+G"));
  const char* const corners[5] = {"", "右上  Ctrl+T", "右下", "左上", "左下"};
  for (int i = 1; i <= 4; ++i) {
    MNUDIR[i] = core::makeAction(this, core::arrayName(QStringLiteral("MNUDIR"), i),
                                 QString::fromUtf8(corners[i]));
  }
}

QMenu* WindowCommands::createWindowControlMenu(QWidget* parent) const {
  QMenu* menu =
      core::makeMenu(parent, QStringLiteral("MNUWINDOWCONTROL"), QStringLiteral("窗体控制"));
  menu->addAction(MNUDEFAULT);
  QMenu* corners = core::addNamedMenu(
      menu, core::makeMenu(menu, QStringLiteral("MNUTOP"), QStringLiteral("黄金状态")));
  for (int i = 1; i <= 4; ++i) corners->addAction(MNUDIR[i]);
  return menu;
}

}  // namespace quelvo::layout
