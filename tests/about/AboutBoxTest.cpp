#include <gtest/gtest.h>

#include <QAccessible>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QToolButton>

#include "about/Form2.h"
#include "about/GameView.h"
#include "core/PanelBar.h"
#include "integration/WindowMenu.h"
#include "support/Accessibility.h"
#include "support/PlayerFixture.h"

namespace quelvo::test {
namespace {

using about::Form2;
using about::GameView;

class AboutBoxTest : public PlayerFixture {
 protected:
  void SetUp() override {
    ASSERT_TRUE(start());
    form().show();
  }
  // Opens the about box from the Help menu; `use` runs while it is open.
  void withAboutBox(const std::function<void(Form2&)>& use) {
    platform.whileDialog = [use](QDialog& dialog) { use(static_cast<Form2&>(dialog)); };
    action(QStringLiteral("MNUABOUT"))->trigger();
  }
  static void releaseOnIcon(Form2& box, Qt::KeyboardModifiers modifiers) {
    const QPointF at = box.ImgIcon->rect().center();
    QMouseEvent release(QEvent::MouseButtonRelease, at, box.ImgIcon->mapToGlobal(at),
                        Qt::LeftButton, Qt::NoButton, modifiers);
    QCoreApplication::sendEvent(box.ImgIcon, &release);
  }
  static void findGame(Form2& box) {
    releaseOnIcon(box, Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
  }
  static void press(GameView& game, Qt::Key key) {
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(game.Picture1, &event);
  }
  // Runs the clock until the game ends; returns the final score.
  static int playOut(GameView& game) {
    for (int ticks = 0; game.Timer1->isActive() && ticks < 100000; ++ticks) game.Timer1_Timer();
    EXPECT_FALSE(game.Timer1->isActive());
    return game.game()->score();
  }
  // Finds the game, starts it with "开始" and plays it to the end.
  static int playWholeGame(Form2& box) {
    findGame(box);
    box.game().Labaction->click();
    return playOut(box.game());
  }
  static QString spoken(QWidget* widget) {
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
  }
  QString stored(const QString& key) { return settings->ReadSetting(QStringLiteral("GAME"), key); }
};

TEST_F(AboutBoxTest, OpensCentredAboveOthersAndItsCardOpensAndCloses) {
  bool seen = false;
  withAboutBox([&](Form2& box) {
    seen = true;
    EXPECT_EQ(box.windowTitle(), QStringLiteral("关于..."));
    EXPECT_TRUE(box.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    const QRect main = form().frameGeometry();
    EXPECT_EQ(box.x(), main.left() + main.width() / 2 - box.width() / 2);
    EXPECT_EQ(box.y(), main.top() + main.height() / 2 - box.height() / 2);
    EXPECT_FALSE(box.FrmMe->isVisible());
    EXPECT_EQ(box.Label1->text(), QStringLiteral("▼"));
    const int closedHeight = box.height();

    box.Label1->click();
    EXPECT_TRUE(box.FrmMe->isVisible());
    EXPECT_EQ(box.Label1->text(), QStringLiteral("▲"));
    EXPECT_EQ(spoken(box.Label1), QStringLiteral("收起个人简介"));
    EXPECT_EQ(box.height(), 216);  // 3240 twips of client
    box.Label1->click();
    EXPECT_FALSE(box.FrmMe->isVisible());
    EXPECT_EQ(box.height(), closedHeight);

    box.ImgMe->click();
    EXPECT_EQ(platform.shellTargets, QStringList{folder.filePath(QStringLiteral("readme.txt"))});
    box.cmdexit->click();
    EXPECT_FALSE(box.isVisible());
  });
  EXPECT_TRUE(seen);
}

TEST_F(AboutBoxTest, ClosesWhenAnotherApplicationBecomesActive) {
  withAboutBox([](Form2& box) {
    findGame(box);
    emit qApp->applicationStateChanged(Qt::ApplicationInactive);
    EXPECT_FALSE(box.isVisible());
  });
}

TEST_F(AboutBoxTest, WindowMenuOpensItUnderAPictureSkin) {
  session().skin.setScheme(core::SkinScheme::Canvas);
  part<integration::WindowMenu>().SysMenuProc(integration::WindowMenu::About);
  EXPECT_EQ(platform.dialogTitles, QStringList{QStringLiteral("关于...")});
}

TEST_F(AboutBoxTest, OnlyShiftCtrlAltOnTheIconFindsTheGameWithTheStoredRecord) {
  writeSettings("[GAME]\r\nSCORE=7\r\nNAME=一二三四五六七八九十十一\r\n");
  withAboutBox([&](Form2& box) {
    GameView& game = box.game();
    releaseOnIcon(box, Qt::ControlModifier | Qt::AltModifier);
    releaseOnIcon(box,
                  Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    EXPECT_FALSE(game.Picture1->isVisible());
    EXPECT_TRUE(box.ImgIcon->isVisible());

    findGame(box);
    EXPECT_TRUE(game.Picture1->isVisible());
    EXPECT_FALSE(box.ImgIcon->isVisible());
    EXPECT_EQ(box.windowTitle(), QStringLiteral("恭喜您找到游戏！"));
    EXPECT_EQ(game.Labaction->text(), QStringLiteral("开始"));
    EXPECT_TRUE(game.LabJie->text().contains(QStringLiteral("游戏说明")));
    EXPECT_EQ(game.Bar1->panelText(2), QStringLiteral("一二三四五六七八九十"));
    EXPECT_EQ(game.Bar1->panelText(4), QStringLiteral("7"));
    auto* holder = game.Bar1->findChild<QLabel*>(QStringLiteral("Bar1.Panels(2)"));
    EXPECT_EQ(spoken(holder), QStringLiteral("一二三四五六七八九十"));
    EXPECT_EQ(unnamedParts(box).join(QStringLiteral(", ")).toStdString(), "");
  });
}

TEST_F(AboutBoxTest, AnEmptyHolderShowsNone) {
  withAboutBox([&](Form2& box) {
    findGame(box);
    EXPECT_EQ(box.game().Bar1->panelText(2), QStringLiteral("无"));
    EXPECT_EQ(box.game().Bar1->panelText(4), QStringLiteral("0"));
  });
}

TEST_F(AboutBoxTest, ARecordAsksForTheNameAndATieReplacesTheHolder) {
  int firstScore = 0;
  platform.inputAnswers = {QStringLiteral("甲"), QStringLiteral("乙乙乙乙乙乙乙乙乙乙乙乙")};
  bool openDuringPrompt = false;
  platform.whileModal = [&] {
    auto* box = form().findChild<Form2*>(QStringLiteral("Form2"));
    openDuringPrompt = box != nullptr && box->isVisible();
  };
  withAboutBox([&](Form2& box) {
    findGame(box);
    box.game().Labaction->click();
    EXPECT_FALSE(box.game().Labaction->isVisible());
    EXPECT_TRUE(box.game().Timer1->isActive());
    firstScore = playOut(box.game());
    ASSERT_GT(firstScore, 0);
    EXPECT_EQ(box.windowTitle(), QStringLiteral("分数：%1").arg(firstScore));
    EXPECT_EQ(box.game().LabJie->text(), QStringLiteral("ＧＡＭＥ　ＯＶＥＲ"));
    EXPECT_TRUE(box.game().LabJie->isVisible());
    EXPECT_TRUE(box.isVisible());
  });
  EXPECT_TRUE(openDuringPrompt);
  EXPECT_EQ(platform.inputTitles, QStringList{QStringLiteral("龙虎榜")});
  EXPECT_EQ(platform.inputPrompts,
            QStringList{QStringLiteral("当前最高分: %1\n请输入您的姓名:").arg(firstScore)});
  EXPECT_EQ(stored(QStringLiteral("NAME")), QStringLiteral("甲"));
  EXPECT_EQ(stored(QStringLiteral("SCORE")), QString::number(firstScore));

  // The same game again ties the record.
  withAboutBox([&](Form2& box) {
    EXPECT_EQ(playWholeGame(box), firstScore);
    EXPECT_EQ(box.game().Bar1->panelText(2), QStringLiteral("乙乙乙乙乙乙乙乙乙乙"));
  });
  EXPECT_EQ(platform.inputPrompts.size(), 2);
  EXPECT_EQ(stored(QStringLiteral("NAME")), QStringLiteral("乙乙乙乙乙乙乙乙乙乙乙乙"));
}

TEST_F(AboutBoxTest, CancelledPromptStoresTheScoreWithAnEmptyName) {
  writeSettings("[GAME]\r\nNAME=old\r\n");
  withAboutBox([&](Form2& box) {
    playWholeGame(box);
    EXPECT_EQ(box.game().Bar1->panelText(2), QString());
  });
  EXPECT_EQ(platform.inputPrompts.size(), 1);
  EXPECT_EQ(stored(QStringLiteral("NAME")), QString());
  EXPECT_NE(stored(QStringLiteral("SCORE")), QStringLiteral("0"));
}

TEST_F(AboutBoxTest, LowerOrZeroScoresNeverAsk) {
  writeSettings("[GAME]\r\nSCORE=32767\r\nNAME=champion\r\n");
  withAboutBox([](Form2& box) { playWholeGame(box); });
  // The keys start the game too; with the plank far right nothing is caught.
  writeSettings("");
  withAboutBox([&](Form2& box) {
    findGame(box);
    GameView& game = box.game();
    const int plankX = game.ImgHeng->x();
    press(game, Qt::Key_Right);
    EXPECT_GT(game.ImgHeng->x(), plankX);
    EXPECT_TRUE(game.Timer1->isActive());
    EXPECT_FALSE(game.Labaction->isVisible());
    for (int i = 0; i < 30; ++i) press(game, Qt::Key_Right);
    EXPECT_EQ(playOut(game), 0);
  });
  EXPECT_TRUE(platform.inputPrompts.isEmpty());
  EXPECT_EQ(stored(QStringLiteral("SCORE")), QString());
}

}  // namespace
}  // namespace quelvo::test
