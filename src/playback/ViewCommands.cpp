#include "playback/ViewCommands.h"

#include <QAction>
#include <QImage>
#include <QMenu>
#include <QWidget>

#include "core/Actions.h"
#include "core/Dispatcher.h"
#include "platform/Platform.h"
#include "playback/MovieControlArray.h"

namespace quelvo::playback {

using core::makeAction;

ViewCommands::ViewCommands(MovieControlArray& flash, core::Dispatcher& dispatcher, QObject* owner)
    : QObject(owner), flash_(flash) {
  using core::Command;
  MNUSHOWALL =
      makeAction(this, QStringLiteral("MNUSHOWALL"), QStringLiteral("全部显示     Ctrl+A"));
  Mnu100 = makeAction(this, QStringLiteral("Mnu100"), QStringLiteral("原大小      Shift+A"));
  MNUZOOMIN = makeAction(this, QStringLiteral("MNUZOOMIN"), QStringLiteral("放大(&I)      Ctrl+Z"));
  MNUZOOMOUT =
      makeAction(this, QStringLiteral("MNUZOOMOUT"), QStringLiteral("缩小(&O)     Shift+Z"));
  const char* const qualities[3] = {"低  Ctrl+L", "中  Ctrl+M", "高  Ctrl+H"};
  const Command qualityCommands[3] = {Command::QualityLow, Command::QualityMedium,
                                      Command::QualityHigh};
  for (int i = 0; i < 3; ++i) {
    MNUQUA[i] = makeAction(this, core::arrayName(QStringLiteral("MNUQUA"), i),
                           QString::fromUtf8(qualities[i]));
    dispatcher.bind(qualityCommands[i], MNUQUA[i], [this, i] { MNUQUA_Click(i); });
  }
  dispatcher.bind(Command::ShowAll, MNUSHOWALL, [this] { MNUSHOWALL_Click(); });
  dispatcher.bind(Command::NativeSize, Mnu100, [this] { Mnu100_Click(); });
  dispatcher.bind(Command::ZoomIn, MNUZOOMIN, [this] { MNUZOOMIN_Click(); });
  dispatcher.bind(Command::ZoomOut, MNUZOOMOUT, [this] { MNUZOOMOUT_Click(); });
}

QMenu* ViewCommands::createQualityMenu(QWidget* parent) {
  QMenu* menu =
      core::makeMenu(parent, QStringLiteral("MNUQUALITY"), QStringLiteral("播放质量(&Q)"));
  for (QAction* item : MNUQUA) menu->addAction(item);
  MNUQUALITY = menu->menuAction();
  MNUQUALITY->setObjectName(QStringLiteral("MNUQUALITY"));
  return menu;
}

void saveSnapshot(platform::Platform& platform, QWidget* movieArea) {
  const QImage picture = movieArea->grab().toImage();
  platform::FileDialogRequest request;
  request.title = QStringLiteral("保存图象");
  request.filter = QStringLiteral("位图(*.bmp)|*.bmp");
  const QString path = platform.saveFile(request);
  // Saved under the name exactly as chosen; a failed write ends silently.
  if (!path.isEmpty()) picture.save(path, "BMP");
}

void ViewCommands::MNUSHOWALL_Click() {
  flash_.live().setScaleMode(0);
  flash_.templateElement().setScaleMode(0);
  flash_.live().Zoom(0);
}

void ViewCommands::Mnu100_Click() {
  flash_.live().setScaleMode(3);
  flash_.templateElement().setScaleMode(3);
}

void ViewCommands::MNUZOOMIN_Click() { flash_.live().Zoom(50); }

void ViewCommands::MNUZOOMOUT_Click() { flash_.live().Zoom(200); }

void ViewCommands::MNUQUA_Click(int index) {
  if (index == 1) {
    flash_.live().setQuality2(QStringLiteral("medium"));
  } else {
    flash_.live().setQuality(index == 0 ? 0 : 1);
  }
}

}  // namespace quelvo::playback
