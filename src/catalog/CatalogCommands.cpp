#include "catalog/CatalogCommands.h"

#include <QAction>
#include <QMenu>

#include "core/Actions.h"

namespace quelvo::catalog {

using core::makeAction;

CatalogCommands::CatalogCommands(QObject* owner) : QObject(owner) {
  MNUFILEADD = makeAction(this, QStringLiteral("MNUFILEADD"), QStringLiteral("添加(&A)..."));
  MNUDEL = makeAction(this, QStringLiteral("MNUDEL"), QStringLiteral("删除(&D)"), false);
  MNUUP = makeAction(this, QStringLiteral("MNUUP"), QStringLiteral("上移"), false);
  MNUDOWN = makeAction(this, QStringLiteral("MNUDOWN"), QStringLiteral("下移"), false);
  MNUADD = makeAction(this, QStringLiteral("MNUADD"), QStringLiteral("添加(&A)"));
  MNUCLE = makeAction(this, QStringLiteral("MNUCLE"), QStringLiteral("清空"), false);
  MNULOAD = makeAction(this, QStringLiteral("MNULOAD"), QStringLiteral("导入(&L)..."));
  MNUSAVE = makeAction(this, QStringLiteral("MNUSAVE"), QStringLiteral("导出(&S)..."), false);
  MNURUN[1] = makeAction(this, core::arrayName(QStringLiteral("MNURUN"), 1),
                         QStringLiteral("运行(&R)"), false);
  MNURUN[2] = makeAction(this, core::arrayName(QStringLiteral("MNURUN"), 2),
                         QStringLiteral("打开文件夹"), false);
  MNUHELPHELP = makeAction(this, QStringLiteral("MNUHELPHELP"),
                           QStringLiteral("相关说明...                 F1"));
}

QMenu* CatalogCommands::createListMenu(QWidget* parent) const {
  QMenu* menu = core::makeMenu(parent, QStringLiteral("MNULIST"), QStringLiteral("目录"));
  menu->addAction(MNUDEL);
  core::addNamedSeparator(menu, QStringLiteral("L1"));
  menu->addAction(MNUUP);
  menu->addAction(MNUDOWN);
  core::addNamedSeparator(menu, QStringLiteral("L2"));
  menu->addAction(MNUADD);
  menu->addAction(MNUCLE);
  core::addNamedSeparator(menu, QStringLiteral("L3"));
  menu->addAction(MNULOAD);
  menu->addAction(MNUSAVE);
  core::addNamedSeparator(menu, QStringLiteral("HENG3"));
  menu->addAction(MNURUN[1]);
  menu->addAction(MNURUN[2]);
  return menu;
}

}  // namespace quelvo::catalog
