#include "playback/LoopRegion.h"

#include <QAction>
#include <QMenu>

#include "core/Actions.h"

namespace quelvo::playback {

LoopRegion::LoopRegion(QObject* owner) : QObject(owner) {
  MNUSEL = core::makeCheckableAction(this, QStringLiteral("MNUSEL"), QStringLiteral("区域可选"));
  MNUSELSTART =
      core::makeAction(this, QStringLiteral("MNUSELSTART"), QStringLiteral("选定开始点"), false);
  MNUSELEND =
      core::makeAction(this, QStringLiteral("MNUSELEND"), QStringLiteral("选定结束点"), false);
}

QMenu* LoopRegion::createMenu(QWidget* parent) {
  auto* menu = new QMenu(QStringLiteral("选择循环"), parent);
  menu->setObjectName(QStringLiteral("MNUSLIDER"));
  menu->addAction(MNUSEL);
  menu->addAction(MNUSELSTART);
  menu->addAction(MNUSELEND);
  MNUSLIDER = menu->menuAction();
  MNUSLIDER->setObjectName(QStringLiteral("MNUSLIDER"));
  return menu;
}

}  // namespace quelvo::playback
