#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <functional>

#include "catalog/CatalogCommands.h"
#include "core/Actions.h"
#include "playback/PlayModes.h"
#include "support/PlayerFixture.h"

namespace quelvo::test {
namespace {

using MenuTree = PlayerFixture;

void forEachAction(QMenu* menu, const std::function<void(QAction*)>& visit) {
  for (QAction* action : menu->actions()) {
    visit(action);
    if (action->menu()) forEachAction(action->menu(), visit);
  }
}

QStringList texts(QMenu* menu) {
  QStringList result;
  for (QAction* action : menu->actions()) {
    result << (action->isSeparator() ? QStringLiteral("-") : action->text());
  }
  return result;
}

TEST(MenuText, MovesTheKeyTextIntoTheShortcutColumn) {
  EXPECT_EQ(core::menuText(QStringLiteral("打开(&O)...  Ctrl+O")),
            QStringLiteral("打开(&O)...\tCtrl+O"));
  EXPECT_EQ(core::menuText(QStringLiteral("关闭        Ctrl+W")), QStringLiteral("关闭\tCtrl+W"));
  EXPECT_EQ(core::menuText(QStringLiteral("下一帧        Ctrl+->")),
            QStringLiteral("下一帧\tCtrl+->"));
  EXPECT_EQ(core::menuText(QStringLiteral("相关说明...                 F1")),
            QStringLiteral("相关说明...\tF1"));
  EXPECT_EQ(core::menuText(QStringLiteral("选项(&O)...")), QStringLiteral("选项(&O)..."));
}

TEST_F(MenuTree, TopLevelMenusCarryTheirCaptionsInOrder) {
  ASSERT_TRUE(start());
  QStringList titles;
  for (QAction* action : form().menuBar()->actions()) titles << action->text();
  EXPECT_EQ(titles, (QStringList{QStringLiteral("文件(&F)"), QStringLiteral("查看(&V)"),
                                 QStringLiteral("控制(&C)"), QStringLiteral("窗口(&W)"),
                                 QStringLiteral("帮助(&H)")}));
  EXPECT_EQ(
      texts(named<QMenu>(QStringLiteral("MENU[0]"))),
      (QStringList{QStringLiteral("打开(&O)...\tCtrl+O"), QStringLiteral("添加(&A)..."),
                   QStringLiteral("关闭\tCtrl+W"), QStringLiteral("-"), QStringLiteral("搜索..."),
                   QStringLiteral("-"), QStringLiteral("退出(&X)\tCtrl+Q")}));
}

TEST_F(MenuTree, PlayOptionsAreItemElevenOfTheControlMenu) {
  ASSERT_TRUE(start());
  const QList<QAction*> items = named<QMenu>(QStringLiteral("MENU[2]"))->actions();
  ASSERT_GT(items.size(), 11);
  EXPECT_EQ(items[11]->menu()->objectName(), QStringLiteral("MNUPLAYCON"));
  EXPECT_EQ(items[11]->text(), QStringLiteral("播放选项"));
}

TEST_F(MenuTree, NoCommandRegistersARealShortcutAndEveryOneIsNamed) {
  ASSERT_TRUE(start());
  QList<QMenu*> menus;
  for (const char* name :
       {"MENU[0]", "MENU[1]", "MENU[2]", "MENU[3]", "MENU[4]", "MNULIST", "MNUSLIDER"}) {
    menus << named<QMenu>(QString::fromLatin1(name));
  }
  menus << named(QStringLiteral("FrmMnu"))->findChild<QMenu*>();
  int count = 0;
  for (QMenu* menu : menus) {
    forEachAction(menu, [&](QAction* action) {
      ++count;
      EXPECT_TRUE(action->shortcut().isEmpty()) << action->text().toStdString();
      EXPECT_FALSE(action->objectName().isEmpty()) << action->text().toStdString();
    });
  }
  EXPECT_GT(count, 50);
}

TEST_F(MenuTree, StatusBarPopupSharesThePlayModeActions) {
  ASSERT_TRUE(start());
  EXPECT_EQ(named(QStringLiteral("FrmMnu"))->findChild<QMenu*>()->actions(),
            named<QMenu>(QStringLiteral("MENU[2]"))
                ->findChild<QMenu*>(QStringLiteral("MNUPLAYCON"))
                ->actions());
  named(QStringLiteral("FrmMnu"))->findChild<QMenu*>()->actions()[5]->trigger();
  EXPECT_EQ(session().playMode.mode(), core::PlayMode::SingleNormal);
  EXPECT_TRUE(named<QMenu>(QStringLiteral("MENU[2]"))
                  ->findChild<QMenu*>(QStringLiteral("MNUPLAYCON"))
                  ->actions()[5]
                  ->isChecked());
  EXPECT_FALSE(named<QMenu>(QStringLiteral("MENU[2]"))
                   ->findChild<QMenu*>(QStringLiteral("MNUPLAYCON"))
                   ->actions()[0]
                   ->isChecked());
}

TEST_F(MenuTree, CatalogPopupStartsWithOnlyAddImportEnabled) {
  ASSERT_TRUE(start());
  QStringList enabled;
  for (QAction* action : named<QMenu>(QStringLiteral("MNULIST"))->actions()) {
    if (!action->isSeparator() && action->isEnabled()) enabled << action->objectName();
  }
  EXPECT_EQ(enabled, (QStringList{QStringLiteral("MNUADD"), QStringLiteral("MNULOAD")}));
}

TEST_F(MenuTree, MovieCommandsAreDisabledWithoutAMovie) {
  ASSERT_TRUE(start());
  for (const char* name : {"MNUCLOSE", "MNUPLAY", "MNUREWIND", "MNUBACK", "MNUFORWORD", "MNUPIC",
                           "MNUSHOWALL", "Mnu100", "MNUZOOMIN", "MNUZOOMOUT", "MNUQUALITY",
                           "MNUSLIDER", "MNUBACKONE", "MNUNEXTONE"}) {
    QAction* action = form().findChild<QAction*>(QString::fromLatin1(name));
    ASSERT_NE(action, nullptr) << name;
    EXPECT_FALSE(action->isEnabled()) << name;
  }
  EXPECT_TRUE(form().findChild<QAction*>(QStringLiteral("MNUOPEN"))->isEnabled());
}

TEST_F(MenuTree, OptionsAndAboutOpenTheirDialogsModally) {
  ASSERT_TRUE(start());
  action(QStringLiteral("MNUOPT"))->trigger();
  action(QStringLiteral("MNUABOUT"))->trigger();
  EXPECT_EQ(platform.dialogTitles,
            (QStringList{QStringLiteral("选项..."), QStringLiteral("关于...")}));
}

}  // namespace
}  // namespace quelvo::test
