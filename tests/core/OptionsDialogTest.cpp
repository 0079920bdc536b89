#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <algorithm>
#include <memory>

#include "core/OptionsDialog.h"
#include "core/Twips.h"
#include "core/settings/SettingsStore.h"
#include "support/TempProgramFolder.h"

namespace quelvo::core {
namespace {

const QString kName = QStringLiteral("Quelvo.ini");

class OptionsDialogTest : public ::testing::Test {
 protected:
  test::TempProgramFolder folder;
  SettingsStore store{folder.settingsPath()};
  core::Twips twips{platform::ScreenMetrics{}};

  std::unique_ptr<Opt> open() { return std::make_unique<Opt>(store, twips); }

  static void press(Opt& dialog, Qt::Key key) {
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(&dialog, &event);
  }

  static std::vector<Qt::CheckState> states(const Opt& dialog) {
    std::vector<Qt::CheckState> result;
    for (int i = 1; i <= Opt::kSwitchCount; ++i) result.push_back(dialog.ChkFile(i)->checkState());
    return result;
  }
};

constexpr Qt::CheckState kOff = Qt::Unchecked;
constexpr Qt::CheckState kOn = Qt::Checked;
constexpr Qt::CheckState kGrey = Qt::PartiallyChecked;

TEST_F(OptionsDialogTest, WithoutAFileShowsTheDesignedChoiceAndOkWritesIt) {
  auto dialog = open();
  EXPECT_TRUE(dialog->OptSave[1]->isChecked());
  EXPECT_TRUE(dialog->Frame1->isEnabled());
  EXPECT_EQ(states(*dialog), (std::vector{kOn, kOn, kOff, kOff, kOff, kOff, kOn, kOff}));

  dialog->CmdOk[0]->click();
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
  EXPECT_EQ(folder.readFile(kName),
            "[EXIT]\r\nSAVE=True\r\nOPEN=1\r\nLOAD=1\r\nOPTI=0\r\nCONT=0\r\nWIN1=0\r\nWIN2=0\r\n"
            "SKIN=1\r\nFILE=0\r\n");
}

TEST_F(OptionsDialogTest, NotSavingDisablesTheSwitchesAndOkKeepsTheStoredOnes) {
  const QByteArray before =
      "[WIN]\r\nW=9000\r\n[EXIT]\r\nSAVE=True\r\nOPEN=0\r\nLOAD=1\r\nSKIN=1\r\n";
  folder.writeFile(kName, before);
  auto dialog = open();
  dialog->ChkFile(1)->click();
  dialog->OptSave[0]->click();
  EXPECT_FALSE(dialog->Frame1->isEnabled());
  for (int i = 1; i <= Opt::kSwitchCount; ++i) EXPECT_FALSE(dialog->ChkFile(i)->isEnabled()) << i;
  EXPECT_EQ(dialog->ChkFile(1)->checkState(), kOn);  // values are kept while disabled
  dialog->CmdOk[0]->click();
  QByteArray after = before;
  EXPECT_EQ(folder.readFile(kName), after.replace("SAVE=True", "SAVE=False"));

  dialog = open();
  EXPECT_TRUE(dialog->OptSave[0]->isChecked());
  EXPECT_FALSE(dialog->ChkFile(2)->isEnabled());
  EXPECT_EQ(states(*dialog), (std::vector{kOff, kOn, kOff, kOff, kOff, kOff, kOn, kOff}));
  dialog->OptSave[1]->click();
  EXPECT_TRUE(dialog->ChkFile(2)->isEnabled());
}

TEST_F(OptionsDialogTest, StoredValuesRoundToAStateAndOutOfRangeClears) {
  folder.writeFile(kName,
                   "[EXIT]\r\nSAVE=false\r\nOPEN=2\r\nLOAD=1.0\r\nOPTI=1.6\r\nCONT=0.5\r\n"
                   "WIN1=3\r\nWIN2=-1\r\nSKIN=abc\r\n");
  auto dialog = open();
  // Only the exact text "False" turns saving off.
  EXPECT_TRUE(dialog->OptSave[1]->isChecked());
  EXPECT_EQ(states(*dialog), (std::vector{kGrey, kOn, kGrey, kOff, kOff, kOff, kOff, kOff}));

  dialog->CmdOk[0]->click();
  EXPECT_EQ(folder.readFile(kName),
            "[EXIT]\r\nSAVE=True\r\nOPEN=2\r\nLOAD=1\r\nOPTI=2\r\nCONT=0\r\nWIN1=0\r\nWIN2=0\r\n"
            "SKIN=0\r\nFILE=0\r\n");
}

TEST_F(OptionsDialogTest, ClickingAGreyBoxOnlyTogglesBetweenCheckedAndClear) {
  folder.writeFile(kName, "[EXIT]\r\nOPEN=2\r\n");
  auto dialog = open();
  QCheckBox* grey = dialog->ChkFile(1);
  grey->click();
  EXPECT_EQ(grey->checkState(), kOn);
  grey->click();
  EXPECT_EQ(grey->checkState(), kOff);
  grey->click();
  EXPECT_EQ(grey->checkState(), kOn);
}

TEST_F(OptionsDialogTest, CancelEscAndCloseWriteNothing) {
  const QByteArray before = "[EXIT]\nSAVE = True\nOPEN=1\n";
  folder.writeFile(kName, before);
  const auto changeEverything = [](Opt& dialog) {
    for (int i = 1; i <= Opt::kSwitchCount; ++i) dialog.ChkFile(i)->click();
    dialog.OptSave[0]->click();
  };

  auto dialog = open();
  changeEverything(*dialog);
  dialog->CmdOk[1]->click();
  EXPECT_EQ(dialog->result(), QDialog::Rejected);

  dialog = open();
  dialog->show();
  changeEverything(*dialog);
  press(*dialog, Qt::Key_Escape);
  EXPECT_FALSE(dialog->isVisible());

  dialog = open();
  dialog->show();
  changeEverything(*dialog);
  dialog->close();
  EXPECT_EQ(folder.readFile(kName), before);
}

TEST_F(OptionsDialogTest, EnterPressesOk) {
  auto dialog = open();
  dialog->show();
  press(*dialog, Qt::Key_Return);
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
  EXPECT_TRUE(store.exists());
}

TEST_F(OptionsDialogTest, CaptionsTipsAndGeometryAtFifteenTwipsPerPixel) {
  auto dialog = open();
  EXPECT_EQ(dialog->windowTitle(), u"选项...");
  EXPECT_EQ(dialog->size(), QSize(303, 225));
  EXPECT_EQ(dialog->minimumSize(), dialog->maximumSize());
  const Qt::WindowFlags flags = dialog->windowFlags();
  EXPECT_TRUE(flags.testFlag(Qt::WindowStaysOnTopHint));
  EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
  EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
  const QScreen* screen = QApplication::primaryScreen();
  EXPECT_LE((dialog->geometry().center() - screen->geometry().center()).manhattanLength(), 2);

  const auto expectNamed = [](QWidget* widget, const QString& name, const QString& caption) {
    EXPECT_EQ(widget->objectName(), name);
    EXPECT_EQ(widget->accessibleName(), caption);
  };
  // Option buttons and check boxes keep their place and grow only to fit the caption.
  const auto expectToggle = [](QAbstractButton* toggle, QRect designed, QRect room) {
    SCOPED_TRACE(toggle->objectName().toStdString());
    EXPECT_EQ(toggle->pos(), designed.topLeft());
    EXPECT_GE(toggle->width(), std::max(designed.width(), toggle->sizeHint().width()));
    EXPECT_GE(toggle->height(), std::max(designed.height(), toggle->fontMetrics().height()));
    EXPECT_TRUE(room.contains(toggle->geometry())) << toggle->geometry().bottom();
  };
  expectNamed(dialog->OptSave[0], u"OptSave[0]"_qs, u"退出时不保存设置"_qs);
  expectNamed(dialog->OptSave[1], u"OptSave[1]"_qs, u"退出时保存最后设置"_qs);
  expectToggle(dialog->OptSave[0], {21, 20, 116, 16}, {0, 0, 151, 45});
  expectToggle(dialog->OptSave[1], {151, 20, 131, 16}, {151, 0, 152, 45});

  expectNamed(dialog->Frame1, u"Frame1"_qs, u"退出时保存的设置"_qs);
  EXPECT_EQ(dialog->Frame1->geometry(), QRect(9, 45, 286, 136));
  expectNamed(dialog->CmdOk[0], u"CmdOk[0]"_qs, u"确定"_qs);
  expectNamed(dialog->CmdOk[1], u"CmdOk[1]"_qs, u"取消"_qs);
  EXPECT_EQ(dialog->CmdOk[0]->geometry(), QRect(161, 195, 61, 21));
  EXPECT_EQ(dialog->CmdOk[1]->geometry(), QRect(231, 195, 61, 21));
  EXPECT_EQ(dialog->CmdOk[0]->text(), u"确定(&O)");
  EXPECT_EQ(dialog->CmdOk[1]->text(), u"取消(&C)");
  EXPECT_TRUE(dialog->CmdOk[0]->isDefault());

  const QString captions[] = {u"打开添加路径"_qs, u"导入导出路径"_qs, u"播放选项"_qs,
                              u"控制栏"_qs,       u"窗体大小"_qs,     u"窗体位置"_qs,
                              u"皮肤模式"_qs,     u"目录栏内容"_qs};
  // Rows 325 twips apart within the frame: each box stays above the next row.
  const int tops[] = {35, 57, 78, 100, 136};
  for (int i = 1; i <= Opt::kSwitchCount; ++i) {
    QCheckBox* box = dialog->ChkFile(i);
    const int left = i % 2 == 1 ? 35 : 160;
    const int row = (i - 1) / 2;
    expectNamed(box, QStringLiteral("ChkFile[%1]").arg(i), captions[i - 1]);
    EXPECT_EQ(box->parentWidget(), dialog->Frame1);
    expectToggle(box, {left, tops[row], 101, 12},
                 QRect(QPoint(left, tops[row]), QPoint(i % 2 == 1 ? 159 : 285, tops[row + 1] - 1)));
  }
  EXPECT_EQ(dialog->ChkFile(3)->toolTip(), u"多首连续播放、单首循环播放……最后一次设置");
  EXPECT_EQ(dialog->ChkFile(8)->toolTip(), u"下次打开时显示最后一次目录栏内容");
}

}  // namespace
}  // namespace quelvo::core
