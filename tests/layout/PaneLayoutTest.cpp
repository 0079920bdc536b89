#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QFrame>
#include <QListView>
#include <QMenu>
#include <QMouseEvent>

#include "core/Twips.h"
#include "layout/FullScreen.h"
#include "layout/PaneLayout.h"
#include "layout/WindowCommands.h"
#include "layout/WindowPlacement.h"
#include "playback/MovieControlArray.h"
#include "playback/StatusBar.h"
#include "support/PlayerFixture.h"

namespace quelvo::test {
namespace {

class PaneLayoutTest : public PlayerFixture {
 protected:
  void SetUp() override {
    writeSettings("[EXIT]\r\nWIN1=1\r\n[WINDOWS]\r\nWIDTH=9000\r\nHEIGHT=6000\r\nLIST=True\r\n");
    ASSERT_TRUE(start());
    form().show();
  }
  layout::PaneLayout& panes() { return part<layout::PaneLayout>(); }
  double twipsLeft(const QWidget* w) { return form().twips().fromPixelsX(w->x()); }
  double twipsWidth(const QWidget* w) { return form().twips().fromPixelsX(w->width()); }
};

TEST_F(PaneLayoutTest, CatalogPaneSitsLeftOfTheSplitterAndMovieFrame) {
  EXPECT_DOUBLE_EQ(panes().catalogWidth(), 1590);
  EXPECT_EQ(named<QWidget>(QStringLiteral("frmlist"))->width(), 106);
  EXPECT_EQ(named<QWidget>(QStringLiteral("Picture1"))->x(), 106);
  EXPECT_EQ(named<QFrame>(QStringLiteral("frmflash"))->x(),
            named<QWidget>(QStringLiteral("Picture1"))->x() +
                named<QWidget>(QStringLiteral("Picture1"))->width());
  EXPECT_EQ(named<QFrame>(QStringLiteral("frmflash"))->x() +
                named<QFrame>(QStringLiteral("frmflash"))->width(),
            named<QWidget>(QStringLiteral("client"))->width());
  EXPECT_EQ(movie().size(), named<QFrame>(QStringLiteral("frmflash"))->contentsRect().size());
}

TEST_F(PaneLayoutTest, HidingTheCatalogKeepsItsWidthForNextTime) {
  panes().MNUMU_Click();
  EXPECT_TRUE(named<QWidget>(QStringLiteral("frmlist"))->isHidden());
  EXPECT_TRUE(named<QWidget>(QStringLiteral("Picture1"))->isHidden());
  EXPECT_EQ(named<QFrame>(QStringLiteral("frmflash"))->x(), 0);
  EXPECT_EQ(named<QFrame>(QStringLiteral("frmflash"))->width(),
            named<QWidget>(QStringLiteral("client"))->width());
  panes().MNUMU_Click();
  EXPECT_DOUBLE_EQ(panes().catalogWidth(), 1590);
  EXPECT_FALSE(named<QWidget>(QStringLiteral("Picture1"))->isHidden());
}

TEST_F(PaneLayoutTest, MovieFrameHasABorderOnlyBesideACatalogOrButtonBar) {
  EXPECT_EQ(named<QFrame>(QStringLiteral("frmflash"))->frameShape(), QFrame::StyledPanel);
  panes().MNUMU_Click();
  EXPECT_EQ(named<QFrame>(QStringLiteral("frmflash"))->frameShape(), QFrame::NoFrame);
  panes().MNUBUTTON_Click();
  EXPECT_EQ(named<QFrame>(QStringLiteral("frmflash"))->frameShape(), QFrame::StyledPanel);
}

TEST_F(PaneLayoutTest, ButtonAndStatusBarsTakeTheirHeightFromTheMovieFrame) {
  const int full = named<QFrame>(QStringLiteral("frmflash"))->height();
  panes().MNUBUTTON_Click();
  EXPECT_EQ(named<QFrame>(QStringLiteral("frmflash"))->height(),
            full - form().twips().toPixelsY(800));
  EXPECT_EQ(named<QWidget>(QStringLiteral("Frame1"))->y(),
            named<QFrame>(QStringLiteral("frmflash"))->height());
  panes().MNUBAR_Click();
  EXPECT_LT(named<QFrame>(QStringLiteral("frmflash"))->height(),
            full - form().twips().toPixelsY(800));
  EXPECT_EQ(bar().geometry().bottom(), named<QWidget>(QStringLiteral("client"))->height() - 1);
}

TEST_F(PaneLayoutTest, SplitterDragIsClampedToEitherEdge) {
  panes().splitterPressed(0);
  panes().splitterMoved(-5000);
  panes().splitterReleased();
  EXPECT_DOUBLE_EQ(panes().catalogWidth(), 360.0001);

  panes().splitterPressed(0);
  panes().splitterMoved(100000);
  panes().splitterReleased();
  EXPECT_DOUBLE_EQ(panes().catalogWidth(), panes().innerWidth() - 360 - 0.0001);
  EXPECT_EQ(named<QFrame>(QStringLiteral("frmflash"))->x(),
            named<QWidget>(QStringLiteral("Picture1"))->x() +
                named<QWidget>(QStringLiteral("Picture1"))->width());
}

TEST_F(PaneLayoutTest, ReleaseWithoutMoveReappliesTheClamps) {
  panes().setCatalogWidth(100);
  panes().SheZhi();
  panes().splitterPressed(10);
  panes().splitterReleased();
  EXPECT_DOUBLE_EQ(panes().catalogWidth(), 360.0001);
}

TEST_F(PaneLayoutTest, NarrowingPullsTheSplitterInAndWideningDoesNotPushItOut) {
  panes().splitterPressed(0);
  panes().splitterMoved(5000);
  panes().splitterReleased();
  const double wide = panes().catalogWidth();
  form().resize(form().minimumSize());
  EXPECT_DOUBLE_EQ(panes().catalogWidth(), panes().innerWidth() - 360);
  const double narrowed = panes().catalogWidth();
  EXPECT_LT(narrowed, wide);
  form().resize(900, 600);
  EXPECT_DOUBLE_EQ(panes().catalogWidth(), narrowed);
}

TEST_F(PaneLayoutTest, MenuBarToggleFollowsItsMark) {
  panes().MNUMENU_Click();
  EXPECT_FALSE(panes().MNUMENU->isChecked());
  EXPECT_TRUE(named<QMenu>(QStringLiteral("MENU[0]"))->menuAction()->isVisible() == false);
  panes().MNUMENU_Click();
  EXPECT_TRUE(panes().MNUMENU->isChecked());
  EXPECT_TRUE(named<QMenu>(QStringLiteral("MENU[0]"))->menuAction()->isVisible());
}

TEST_F(PaneLayoutTest, ClickingAMenuItemFlipsItsMarkOnce) {
  part<layout::PaneLayout>().MNUBAR->trigger();
  EXPECT_TRUE(panes().MNUBAR->isChecked());
  EXPECT_FALSE(bar().isHidden());
}

}  // namespace
}  // namespace quelvo::test

namespace quelvo::test {
namespace {

TEST_F(PaneLayoutTest, ButtonBarDoubleClickHidesIt) {
  panes().MNUBUTTON_Click();
  QMouseEvent doubleClick(QEvent::MouseButtonDblClick, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(named(QStringLiteral("Frame1")), &doubleClick);
  EXPECT_FALSE(panes().MNUBUTTON->isChecked());
  EXPECT_TRUE(named<QWidget>(QStringLiteral("Frame1"))->isHidden());
}

TEST_F(PaneLayoutTest, FullScreenKeepsTheMenuBarStateItFound) {
  panes().MNUMENU_Click();
  part<layout::FullScreen>().MNUFULL_Click();
  EXPECT_TRUE(part<layout::WindowCommands>().MNUFULL->isChecked());
  EXPECT_FALSE(panes().MNUMENU->isChecked());
  part<layout::FullScreen>().MNUFULL_Click();
  EXPECT_FALSE(panes().MNUMENU->isChecked());
  EXPECT_FALSE(form().isFullScreen());

  panes().MNUMENU_Click();
  part<layout::FullScreen>().MNUFULL_Click();
  EXPECT_FALSE(panes().MNUMENU->isChecked());
  EXPECT_TRUE(named<QWidget>(QStringLiteral("frmlist"))->isVisible());
  part<layout::FullScreen>().MNUFULL_Click();
  EXPECT_TRUE(panes().MNUMENU->isChecked());
}

TEST_F(PaneLayoutTest, WindowStateSnapshotRestoresBarsAndGeometry) {
  panes().MNUBAR_Click();
  const QRect before = form().geometry();
  panes().SaveWindowState();
  panes().MNUBAR_Click();
  panes().MNUMU_Click();
  panes().MNUMENU_Click();
  form().setGeometry(10, 10, 500, 400);
  panes().RestoreWindowState();
  EXPECT_EQ(form().geometry(), before);
  EXPECT_TRUE(panes().MNUBAR->isChecked());
  EXPECT_TRUE(panes().MNUMU->isChecked());
  EXPECT_TRUE(panes().MNUMENU->isChecked());
  EXPECT_FALSE(bar().isHidden());
}

}  // namespace
}  // namespace quelvo::test

namespace quelvo::test {
namespace {

TEST_F(PaneLayoutTest, RestoreHidesTheBarsAndCentresTheDefaultWindow) {
  panes().MNUBUTTON_Click();
  panes().MNUBAR_Click();
  panes().MNUMENU_Click();
  part<layout::WindowPlacement>().MNUDEFAULT_Click();
  EXPECT_FALSE(panes().MNUBUTTON->isChecked());
  EXPECT_FALSE(panes().MNUBAR->isChecked());
  EXPECT_FALSE(panes().MNUMU->isChecked());
  EXPECT_TRUE(panes().MNUMENU->isChecked());
  EXPECT_DOUBLE_EQ(panes().catalogWidth(), 1575);
  // 8333 x 6500 twips, centred by the size the window really got.
  EXPECT_EQ(form().frameGeometry(), QRect(362, 184, 556, 433));
  EXPECT_EQ(session().Label1.value(), false);
}

TEST_F(PaneLayoutTest, CornerModeDocksASmallBarlessWindowOnTop) {
  part<layout::WindowPlacement>().MNUDIR_Click(2);
  EXPECT_TRUE(form().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  EXPECT_EQ(session().Label1.value(), true);
  EXPECT_FALSE(panes().MNUMENU->isChecked());
  EXPECT_TRUE(named<QWidget>(QStringLiteral("frmlist"))->isHidden());
  const QRect frame = form().frameGeometry();
  EXPECT_EQ(frame.right() + 1, 1280);
  EXPECT_EQ(frame.bottom() + 1, 800);
  part<layout::WindowPlacement>().MNUDIR_Click(3);
  EXPECT_EQ(form().frameGeometry().topLeft(), QPoint(0, 0));
  part<layout::WindowPlacement>().MNUDEFAULT_Click();
  EXPECT_FALSE(form().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

}  // namespace
}  // namespace quelvo::test
