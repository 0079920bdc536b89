#pragma once

#include <QObject>
#include <QString>

namespace quelvo::platform {
class Platform;
}
namespace quelvo::core {
class Dispatcher;
}

namespace quelvo::catalog {

class CatalogCommands;
class CatalogList;
class CatalogModel;

// The message for a failed shell open, by its failure code (32 or less).
QString shellFailureMessage(int code);

// Opens a document or folder with the system's associated program; the
// platform's result code (above 32 on success).
int StartDoc(platform::Platform& platform, const QString& docName);

// Run and open-folder on a catalog entry, reporting failures; the target of
// "open folder" is the folder holding the file.
void runShellCommand(platform::Platform& platform, const QString& shownText, const QString& path,
                     int index);

// The catalog's run/open-folder commands and the help command.
class ShellCommands : public QObject {
  Q_OBJECT

 public:
  ShellCommands(const CatalogModel& catalog, const CatalogList& list, CatalogCommands& commands,
                core::Dispatcher& dispatcher, platform::Platform& platform, QString programFolder,
                QObject* owner);

  // 1 run the selected entry, 2 open its folder.
  void MNURUN_Click(int index);
  // Opens readme.txt of the program folder.
  void MNUHELPHELP_Click();

 private:
  const CatalogModel& catalog_;
  const CatalogList& list_;
  platform::Platform& platform_;
  QString programFolder_;
};

}  // namespace quelvo::catalog
