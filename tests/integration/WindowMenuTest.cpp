#include <gtest/gtest.h>

#include <QAction>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QWindow>

#include "integration/WindowMenu.h"
#include "layout/PaneLayout.h"
#include "support/PlayerFixture.h"

namespace quelvo::test {
namespace {

class WindowMenuTest : public PlayerFixture {
 protected:
  void SetUp() override {
    ASSERT_TRUE(start());
    form().show();
  }
  QMenu* menu() { return part<integration::WindowMenu>().menu(); }
  // Opens the menu as a user does and lists its items' captions.
  QStringList openedItems() {
    part<integration::WindowMenu>().popupAtWindow();
    QStringList captions;
    for (QAction* item : menu()->actions()) {
      captions << (item->isSeparator() ? QStringLiteral("-") : item->text());
    }
    menu()->hide();
    return captions;
  }
  QAction* item(int id) {
    return menu()->findChild<QAction*>(QStringLiteral("SysMenu[%1]").arg(id));
  }
};

TEST_F(WindowMenuTest, AlwaysInFrontAlternatesTheOnTopStateAndItsMark) {
  EXPECT_EQ(openedItems(), QStringList{QStringLiteral("窗体始终在前")});
  EXPECT_FALSE(item(0)->isChecked());
  item(0)->trigger();
  EXPECT_TRUE(session().Label1.value());
  EXPECT_TRUE(form().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  openedItems();
  EXPECT_TRUE(item(0)->isChecked());
  item(0)->trigger();
  EXPECT_FALSE(session().Label1.value());
  EXPECT_FALSE(form().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

TEST_F(WindowMenuTest, MenuBarItemShowsWhileTheBarIsHiddenAndBringsItBack) {
  run(core::Command::MenuBar);
  ASSERT_FALSE(action(QStringLiteral("MNUMENU"))->isChecked());
  EXPECT_EQ(openedItems(), (QStringList{QStringLiteral("窗体始终在前"), QStringLiteral("-"),
                                        QStringLiteral("菜单栏")}));
  item(3)->trigger();
  EXPECT_TRUE(action(QStringLiteral("MNUMENU"))->isChecked());
  EXPECT_FALSE(form().menuBar()->isHidden());
  EXPECT_EQ(openedItems(), QStringList{QStringLiteral("窗体始终在前")});
}

TEST_F(WindowMenuTest, PictureSkinOffersTheAboutItem) {
  int abouts = 0;
  QObject::connect(action(QStringLiteral("MNUABOUT")), &QAction::triggered, [&] { ++abouts; });
  session().skin.setScheme(core::SkinScheme::Canvas);
  EXPECT_EQ(openedItems(), (QStringList{QStringLiteral("窗体始终在前"), QStringLiteral("-"),
                                        QStringLiteral("关于...")}));
  item(2)->trigger();
  EXPECT_EQ(abouts, 1);
}

TEST_F(WindowMenuTest, RightClickOnTheMovieAreaAndAltSpaceOpenIt) {
  QWidget* area = named(QStringLiteral("frmflash"));
  QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5), area->mapToGlobal(QPoint(5, 5)));
  QCoreApplication::sendEvent(area, &click);
  EXPECT_TRUE(menu()->isVisible());
  menu()->hide();

  QKeyEvent altSpace(QEvent::KeyPress, Qt::Key_Space, Qt::AltModifier);
  QCoreApplication::sendEvent(form().windowHandle(), &altSpace);
  EXPECT_TRUE(menu()->isVisible());
  menu()->hide();
}

// Where the system has a native system menu (Windows), the items go there.
class NativeWindowMenuTest : public PlayerFixture {
 protected:
  void SetUp() override {
    platform.nativeSystemMenu = true;
    ASSERT_TRUE(start());
    form().show();
  }
  QStringList items() {
    QStringList listed;
    for (const platform::SystemMenuItem& item : platform.systemMenuShown->items) {
      listed << QStringLiteral("%1 %2%3").arg(item.id).arg(item.caption, item.checked ? "✓" : "");
    }
    return listed;
  }
};

TEST_F(NativeWindowMenuTest, ItemsFollowTheStateAndChoosingThemRunsTheirCommands) {
  ASSERT_NE(platform.systemMenuShown, nullptr);
  EXPECT_EQ(part<integration::WindowMenu>().menu(), nullptr);
  EXPECT_FALSE(part<integration::WindowMenu>().popupAtWindow());
  EXPECT_EQ(items(), QStringList{QStringLiteral("0 窗体始终在前")});

  platform.chooseSystemMenuItem(integration::WindowMenu::AlwaysInFront);
  EXPECT_TRUE(session().Label1.value());
  EXPECT_EQ(items(), QStringList{QStringLiteral("0 窗体始终在前✓")});

  run(core::Command::MenuBar);
  EXPECT_EQ(items(), (QStringList{QStringLiteral("0 窗体始终在前✓"), QStringLiteral("3 菜单栏")}));
  platform.chooseSystemMenuItem(integration::WindowMenu::MenuBar);
  EXPECT_TRUE(action(QStringLiteral("MNUMENU"))->isChecked());
  EXPECT_EQ(items(), QStringList{QStringLiteral("0 窗体始终在前✓")});

  session().skin.setScheme(core::SkinScheme::Love);
  EXPECT_EQ(items(), (QStringList{QStringLiteral("0 窗体始终在前✓"), QStringLiteral("2 关于...")}));
  platform.chooseSystemMenuItem(integration::WindowMenu::About);
  EXPECT_EQ(platform.dialogTitles, QStringList{QStringLiteral("关于...")});
}

}  // namespace
}  // namespace quelvo::test
