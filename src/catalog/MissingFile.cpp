#include "catalog/MissingFile.h"

#include "platform/FileNames.h"
#include "platform/Platform.h"

namespace quelvo::catalog {

void showMissingFile(platform::Platform& platform, const QString& path) {
  platform::MessageRequest message;
  message.title = QStringLiteral("不好意思！");
  message.text = QStringLiteral("找不着此文件：“") + path + QStringLiteral("”") + QChar(13) +
                 QStringLiteral("可能已被移动或修改。");
  message.icon = platform::MessageIcon::Exclamation;
  platform.message(message);
}

bool isPlayableFile(const QString& path) {
  return platform::isFile(path) && !platform::isHidden(path);
}

}  // namespace quelvo::catalog
