#pragma once

#include <QObject>

namespace quelvo::app {
class Form1;
}

namespace quelvo::catalog {

// Import and export of the whole catalog as a catalog file (.qvl).
class CatalogFile : public QObject {
  Q_OBJECT

 public:
  explicit CatalogFile(app::Form1& form);

  // Replaces the catalog with the entries of a chosen catalog file.
  void MNULOAD_Click();
  // Writes the whole catalog to a chosen file (after the overwrite prompt).
  void MNUSAVE_Click();

 private:
  // Dialog start folder: the last catalog folder, from the settings on first use.
  QString startFolder();

  app::Form1& f_;
  bool firstImportDone_ = false;
};

}  // namespace quelvo::catalog
