#include "catalog/ShellOpen.h"

#include <QAction>

#include "catalog/CatalogCommands.h"
#include "catalog/CatalogList.h"
#include "catalog/CatalogModel.h"
#include "core/Dispatcher.h"
#include "core/Paths.h"
#include "platform/FileNames.h"
#include "platform/Platform.h"

namespace quelvo::catalog {

namespace {

// What a directory lookup of the target finds: a file, or a file inside a
// folder target that ends in a separator.
bool lookupFinds(const QString& target) {
  if (target.endsWith(QLatin1Char('/')) || target.endsWith(QLatin1Char('\\'))) {
    return platform::isFolder(target);
  }
  return platform::exists(target);
}

}  // namespace

QString shellFailureMessage(int code) {
  switch (code) {
    case 2:
      return QStringLiteral("文件没有找到");
    case 3:
      return QStringLiteral("路径没有找到");
    case 5:
      return QStringLiteral("该文件被拒绝访问");
    case 8:
      return QStringLiteral("内存溢出");
    case 11:
      return QStringLiteral("无效的文件格式");
    case 26:
      return QStringLiteral("A sharing violation occurred");
    case 27:
      return QStringLiteral("无效的文件连接");
    case 28:
      return QStringLiteral("DDE连接超时");
    case 29:
      return QStringLiteral("DDE传递错误");
    case 30:
      return QStringLiteral("DDE忙");
    case 31:
      return QStringLiteral("没有相应的文件连接");
    case 32:
      return QStringLiteral("DLL文件没有找到");
    default:
      return QStringLiteral("其他未知错误");
  }
}

int StartDoc(platform::Platform& platform, const QString& docName) {
  return platform.shellOpen(docName);
}

void runShellCommand(platform::Platform& platform, const QString& shownText, const QString& path,
                     int index) {
  if (shownText.isEmpty()) return;
  QString target = path;
  if (index == 2 && platform::isFile(path)) target = core::folderOf(path);
  if (!lookupFinds(target)) return;
  const int result = StartDoc(platform, target);
  if (result <= 32) {
    platform::tell(platform, QStringLiteral("Quelvo"), shellFailureMessage(result),
                   platform::MessageIcon::None);
  }
}

ShellCommands::ShellCommands(const CatalogModel& catalog, const CatalogList& list,
                             CatalogCommands& c, core::Dispatcher& dispatcher,
                             platform::Platform& platform, QString programFolder, QObject* owner)
    : QObject(owner),
      catalog_(catalog),
      list_(list),
      platform_(platform),
      programFolder_(std::move(programFolder)) {
  connect(c.MNURUN[1], &QAction::triggered, this, [this] { MNURUN_Click(1); });
  connect(c.MNURUN[2], &QAction::triggered, this, [this] { MNURUN_Click(2); });
  dispatcher.bind(core::Command::Help, c.MNUHELPHELP, [this] { MNUHELPHELP_Click(); });
}

void ShellCommands::MNURUN_Click(int index) {
  const int row = list_.selectedRow();
  if (row < 0) return;
  runShellCommand(platform_, catalog_.displayText(row), catalog_.path(row), index);
}

void ShellCommands::MNUHELPHELP_Click() {
  const QString path = core::userGuidePath(programFolder_);
  if (!platform::isFile(path)) {
    platform::tell(platform_, QStringLiteral("提示"), QStringLiteral("不好意思，没找着。"),
                   platform::MessageIcon::Exclamation);
    return;
  }
  StartDoc(platform_, path);
}

}  // namespace quelvo::catalog
