#pragma once

#include <QObject>
#include <functional>

namespace quelvo::platform {
class Platform;
}
namespace quelvo::core {
class LastFolders;
class SettingsStore;
}  // namespace quelvo::core

namespace quelvo::catalog {

class CatalogCommands;
class CatalogList;
class CatalogModel;

// Import and export of the whole catalog as a catalog file (.qvl).
class CatalogFile : public QObject {
  Q_OBJECT

 public:
  CatalogFile(CatalogModel& catalog, CatalogList& list, CatalogCommands& commands,
              core::LastFolders& folders, const core::SettingsStore& settings,
              platform::Platform& platform, std::function<void()> closeMovie, QObject* owner);

  // Replaces the catalog with the entries of a chosen catalog file.
  void MNULOAD_Click();
  // Writes the whole catalog to a chosen file (after the overwrite prompt).
  void MNUSAVE_Click();

 private:
  // Dialog start folder: the last catalog folder, from the settings on first use.
  QString startFolder();

  CatalogModel& catalog_;
  CatalogList& list_;
  core::LastFolders& folders_;
  const core::SettingsStore& settings_;
  platform::Platform& platform_;
  std::function<void()> closeMovie_;
  bool firstImportDone_ = false;
};

}  // namespace quelvo::catalog
