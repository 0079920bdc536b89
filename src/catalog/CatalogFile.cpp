#include "catalog/CatalogFile.h"

#include <QAction>

#include "catalog/CatalogCommands.h"
#include "catalog/CatalogList.h"
#include "catalog/CatalogModel.h"
#include "catalog/CatalogText.h"
#include "core/Paths.h"
#include "core/session/LastFolders.h"
#include "core/settings/SettingsStore.h"
#include "platform/Platform.h"

namespace quelvo::catalog {

namespace {

platform::FileDialogRequest catalogDialog(const QString& folder) {
  platform::FileDialogRequest request;
  request.title = QStringLiteral("Flash目录");
  request.filter = QStringLiteral("Flash目录(*.qvl)|*.qvl");
  request.initialFolder = folder;
  return request;
}

}  // namespace

CatalogFile::CatalogFile(CatalogModel& catalog, CatalogList& list, CatalogCommands& commands,
                         core::LastFolders& folders, const core::SettingsStore& settings,
                         platform::Platform& platform, std::function<void()> closeMovie,
                         QObject* owner)
    : QObject(owner),
      catalog_(catalog),
      list_(list),
      folders_(folders),
      settings_(settings),
      platform_(platform),
      closeMovie_(std::move(closeMovie)) {
  connect(commands.MNULOAD, &QAction::triggered, this, &CatalogFile::MNULOAD_Click);
  connect(commands.MNUSAVE, &QAction::triggered, this, &CatalogFile::MNUSAVE_Click);
}

QString CatalogFile::startFolder() {
  if (!firstImportDone_) {
    firstImportDone_ = true;
    const QString stored = settings_.ReadSetting(QStringLiteral("PATH"), QStringLiteral("LOAD"));
    folders_.setCatalog(stored.isEmpty() ? core::kDefaultDialogFolder : stored);
  }
  return folders_.catalog();
}

void CatalogFile::MNULOAD_Click() {
  const QString chosen = platform_.openFile(catalogDialog(startFolder()));
  if (chosen.isEmpty()) return;
  folders_.setCatalog(core::folderOf(chosen));
  closeMovie_();
  catalog_.clear();
  // Whatever could be read stays, even when the file gives out part-way.
  if (const auto entries = readCatalogFile(chosen)) list_.appendEntries(*entries);
  if (catalog_.count() > 0) list_.selectRow(0);
}

void CatalogFile::MNUSAVE_Click() {
  const QString chosen = platform_.saveFile(catalogDialog(folders_.catalog()));
  if (chosen.isEmpty()) return;
  folders_.setCatalog(core::folderOf(chosen));
  writeCatalogFile(chosen, catalog_.entries());
}

}  // namespace quelvo::catalog
