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

}  // namespace
}  // namespace quelvo::test
