#pragma once

#include <QObject>
#include <QString>

namespace quelvo::app {
class Form1;
}
namespace quelvo::platform {
class Platform;
}

namespace quelvo::catalog {

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
  explicit ShellCommands(app::Form1& form);

  // 1 run the selected entry, 2 open its folder.
  void MNURUN_Click(int index);
  // Opens readme.txt of the program folder.
  void MNUHELPHELP_Click();

 private:
  app::Form1& f_;
};

}  // namespace quelvo::catalog
