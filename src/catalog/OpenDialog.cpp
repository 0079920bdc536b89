#include "catalog/OpenDialog.h"

#include "core/Paths.h"
#include "core/session/LastFolders.h"
#include "core/settings/SettingsStore.h"
#include "platform/Platform.h"

namespace quelvo::catalog {

OpenDialog::OpenDialog(platform::Platform& platform, const core::SettingsStore& settings,
                       core::LastFolders& folders)
    : platform_(platform), settings_(settings), folders_(folders) {}

bool OpenDialog::Toopen() {
  ++toopenCalls_;
  if (toopenCalls_ == 1) {
    const QString stored = settings_.ReadSetting(QStringLiteral("PATH"), QStringLiteral("OPEN"));
    folders_.setOpen(stored.isEmpty() ? core::kDefaultDialogFolder : stored);
  }
  platform::FileDialogRequest request;
  request.title = QStringLiteral("Flash动画");
  request.filter = QStringLiteral("Flash动画(*.swf;*.qvl)|*.swf;*.qvl");
  request.initialFolder = folders_.open();
  const QStringList chosen = platform_.openFiles(request);
  if (chosen.isEmpty()) return false;
  selection_ = GetDlgSelectFileInfo(chosen);
  folders_.setOpen(selection_.folder);
  return true;
}

}  // namespace quelvo::catalog
