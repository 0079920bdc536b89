#include "core/OptionsDialog.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStringView>
#include <algorithm>

#include "core/Actions.h"
#include "core/Fonts.h"
#include "core/Naming.h"
#include "core/Twips.h"
#include "core/settings/SettingValue.h"
#include "core/settings/SettingsStore.h"
#include "platform/Platform.h"

namespace quelvo::core {

namespace {

const QString kSection = QStringLiteral("EXIT");
const QString kSaveKey = QStringLiteral("SAVE");

struct SwitchDesign {
  QStringView caption;
  QStringView toolTip;
  QStringView key;
};

// In the order of the boxes (row by row, left then right), which is also the order of the keys
// in the file.
constexpr std::array<SwitchDesign, Opt::kSwitchCount> kSwitches{{
    {u"打开添加路径", u"最后打开/添加文件的路径", u"OPEN"},
    {u"导入导出路径", u"最后导入/导出目录栏文件的路径", u"LOAD"},
    {u"播放选项", u"多首连续播放、单首循环播放……最后一次设置", u"OPTI"},
    {u"控制栏", u"播放栏、目录栏……最后一次是否可见", u"CONT"},
    {u"窗体大小", u"窗体大小", u"WIN1"},
    {u"窗体位置", u"窗体位置", u"WIN2"},
    {u"皮肤模式", u"关闭程序时所用皮肤方案", u"SKIN"},
    {u"目录栏内容", u"下次打开时显示最后一次目录栏内容", u"FILE"},
}};

// Ticked when there is no settings file yet: boxes 1, 2 and 7.
constexpr std::array<bool, Opt::kSwitchCount> kDesignedTicks{true,  true,  false, false,
                                                             false, false, true,  false};

// Box positions within Frame1, in twips.
constexpr std::array<int, 2> kSwitchLefts{525, 2400};
constexpr std::array<int, 4> kSwitchTops{525, 850, 1175, 1500};

void place(QWidget* widget, const Twips& twips, int left, int top, int width, int height) {
  widget->setGeometry(twips.toPixels(left, top, width, height));
}

// An option button or check box at its designed place, grown where the designed size would clip
// its caption in the font at hand: as wide as the caption needs, and as tall as a line of text
// (the size hint's focus margins would reach into the next row).
void placeToggle(QWidget* toggle, const Twips& twips, int left, int top, int width, int height) {
  QRect rect = twips.toPixels(left, top, width, height);
  rect.setWidth(std::max(rect.width(), toggle->sizeHint().width()));
  rect.setHeight(std::max(rect.height(), toggle->fontMetrics().height()));
  toggle->setGeometry(rect);
}

// The stored switch value as a check state: 0, 1 and 2 as they are; anything else clears the box.
Qt::CheckState switchState(const QString& text) {
  switch (countValue(text)) {
    case 1:
      return Qt::Checked;
    case 2:
      return Qt::PartiallyChecked;
    default:
      return Qt::Unchecked;
  }
}

QString switchText(Qt::CheckState state) {
  switch (state) {
    case Qt::Checked:
      return QStringLiteral("1");
    case Qt::PartiallyChecked:
      return QStringLiteral("2");
    case Qt::Unchecked:
      break;
  }
  return QStringLiteral("0");
}

// The grey third state comes only from the file: a box shows it until the user first clicks it.
void setSwitch(QCheckBox* box, Qt::CheckState state) {
  box->setTristate(state == Qt::PartiallyChecked);
  box->setCheckState(state);
}

}  // namespace

Opt::Opt(SettingsStore& settings, const Twips& twips, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint),
      settings_(settings) {
  setObjectName(QStringLiteral("Opt"));
  setWindowTitle(QStringLiteral("选项..."));
  setAccessibleName(windowTitle());
  setFont(songtiFont(9));
  setFixedSize(twips.toPixelsX(4545), twips.toPixelsY(3375));
  createWidgets(twips);

  const QScreen* screen = parent != nullptr ? parent->screen() : QGuiApplication::primaryScreen();
  if (screen != nullptr) move(screen->geometry().center() - rect().center());

  Form_Load();
}

void Opt::MNUOPT_Click(QWidget* parent, SettingsStore& settings, const Twips& twips,
                       platform::Platform& platform) {
  Opt dialog(settings, twips, parent);
  platform.showModal(dialog);
}

QCheckBox* Opt::ChkFile(int index) const { return switches_.at(index - 1); }

void Opt::createWidgets(const Twips& twips) {
  const std::array<QString, 2> saveCaptions{QStringLiteral("退出时不保存设置"),
                                            QStringLiteral("退出时保存最后设置")};
  for (int i = 0; i < 2; ++i) {
    OptSave[i] = core::named(new QRadioButton(saveCaptions[i], this),
                             arrayName(QStringLiteral("OptSave"), i), saveCaptions[i]);
    connect(OptSave[i], &QRadioButton::toggled, this, [this, i](bool checked) {
      if (checked) OptSave_Click(i);
    });
  }
  placeToggle(OptSave[0], twips, 319, 300, 1740, 240);
  placeToggle(OptSave[1], twips, 2261, 300, 1965, 240);

  Frame1 = core::named(new QGroupBox(this), QStringLiteral("Frame1"),
                       QStringLiteral("退出时保存的设置"));
  place(Frame1, twips, 130, 675, 4290, 2040);
  for (int i = 0; i < kSwitchCount; ++i) {
    const SwitchDesign& design = kSwitches[i];
    QCheckBox* box =
        core::named(new QCheckBox(design.caption.toString(), Frame1),
                    arrayName(QStringLiteral("ChkFile"), i + 1), design.caption.toString());
    box->setToolTip(design.toolTip.toString());
    placeToggle(box, twips, kSwitchLefts[i % 2], kSwitchTops[i / 2], 1515, 180);
    connect(box, &QCheckBox::clicked, box, [box] { box->setTristate(false); });
    switches_[i] = box;
  }

  const std::array<QString, 2> buttonCaptions{QStringLiteral("确定(&O)"),
                                              QStringLiteral("取消(&C)")};
  const std::array<QString, 2> buttonNames{QStringLiteral("确定"), QStringLiteral("取消")};
  for (int i = 0; i < 2; ++i) {
    CmdOk[i] = core::named(new QPushButton(buttonCaptions[i], this),
                           arrayName(QStringLiteral("CmdOk"), i), buttonNames[i]);
    place(CmdOk[i], twips, i == 0 ? 2415 : 3465, 2925, 915, 315);
    connect(CmdOk[i], &QPushButton::clicked, this, [this, i] { CmdOk_Click(i); });
  }
  CmdOk[0]->setDefault(true);
}

void Opt::Form_Load() {
  if (settings_.exists()) {
    const ProfileDocument document = settings_.load();
    for (int i = 0; i < kSwitchCount; ++i) {
      setSwitch(switches_[i], switchState(document.read(kSection, kSwitches[i].key.toString())));
    }
    OptSave[savesOnExit(document.read(kSection, kSaveKey)) ? 1 : 0]->setChecked(true);
  } else {
    for (int i = 0; i < kSwitchCount; ++i) {
      setSwitch(switches_[i], kDesignedTicks[i] ? Qt::Checked : Qt::Unchecked);
    }
    OptSave[1]->setChecked(true);
  }
}

void Opt::OptSave_Click(int index) { Frame1->setEnabled(index == 1); }

void Opt::CmdOk_Click(int index) {
  if (index == 1) {
    reject();
    return;
  }
  ProfileDocument document = settings_.load();
  const bool saveOnExit = OptSave[1]->isChecked();
  document.set(kSection, kSaveKey, formatBoolean(saveOnExit));
  if (saveOnExit) {
    for (int i = 0; i < kSwitchCount; ++i) {
      document.set(kSection, kSwitches[i].key.toString(), switchText(switches_[i]->checkState()));
    }
  }
  settings_.save(document);
  accept();
}

}  // namespace quelvo::core
