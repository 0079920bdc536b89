#include "catalog/CatalogFile.h"

#include <QAction>

#include "app/Form1.h"
#include "catalog/CatalogCommands.h"
#include "catalog/CatalogList.h"
#include "catalog/CatalogModel.h"
#include "catalog/CatalogText.h"
#include "core/Paths.h"
#include "core/settings/SettingsStore.h"
#include "platform/Platform.h"
#include "playback/PlaybackCommands.h"

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

CatalogFile::CatalogFile(app::Form1& form) : QObject(&form), f_(form) {
  connect(f_.catalogCommands->MNULOAD, &QAction::triggered, this, &CatalogFile::MNULOAD_Click);
  connect(f_.catalogCommands->MNUSAVE, &QAction::triggered, this, &CatalogFile::MNUSAVE_Click);
}

QString CatalogFile::startFolder() {
  if (!firstImportDone_) {
    firstImportDone_ = true;
    f_.lastCatalogFolder =
        f_.environment().settings.ReadSetting(QStringLiteral("PATH"), QStringLiteral("LOAD"));
    if (f_.lastCatalogFolder.isEmpty()) {
      f_.lastCatalogFolder = QStringLiteral("%USERPROFILE%\\My Documents");
    }
  }
  return f_.lastCatalogFolder;
}

void CatalogFile::MNULOAD_Click() {
  const QString chosen = f_.environment().platform.openFile(catalogDialog(startFolder()));
  if (chosen.isEmpty()) return;
  f_.lastCatalogFolder = core::folderOf(chosen);
  f_.playback->MNUCLOSE_Click();
  f_.catalog->clear();
  // Whatever could be read stays, even when the file gives out part-way.
  if (const auto entries = readCatalogFile(chosen)) f_.catalogList->appendEntries(*entries);
  if (f_.catalog->count() > 0) f_.catalogList->selectRow(0);
}

void CatalogFile::MNUSAVE_Click() {
  const QString chosen = f_.environment().platform.saveFile(catalogDialog(f_.lastCatalogFolder));
  if (chosen.isEmpty()) return;
  f_.lastCatalogFolder = core::folderOf(chosen);
  writeCatalogFile(chosen, f_.catalog->entries());
}

}  // namespace quelvo::catalog
