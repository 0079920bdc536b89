#pragma once

#include <QWidget>

class QComboBox;
class QFileSystemModel;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTreeView;

namespace quelvo::catalog {
class CatalogList;
class CatalogModel;
}  // namespace quelvo::catalog
namespace quelvo::platform {
class Platform;
}

namespace quelvo::search {

class ResultList;
class SearchRun;

// What the search window works with.
struct SearchContext {
  catalog::CatalogModel& catalog;
  catalog::CatalogList& catalogList;
  platform::Platform& platform;
};

// The search window "搜索 Flash": choose a place (Drive1, the folder tree Dir1
// or a typed path), walk it for movies, and send the results to the catalog.
// It is not modal; closing it stops a running search and releases it.
class Form3 : public QWidget {
  Q_OBJECT

 public:
  Form3(const SearchContext& context, QWidget* owner);
  ~Form3() override;

  QComboBox* Drive1 = nullptr;
  QLineEdit* Dir1Path = nullptr;
  QTreeView* Dir1 = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* Label1 = nullptr;
  QPushButton* Command1 = nullptr;
  QPushButton* Command3 = nullptr;
  QPushButton* Cmdmenu = nullptr;
  QPushButton* Command2 = nullptr;
  QMenu* Menucmd = nullptr;
  ResultList* results = nullptr;
  SearchRun* run = nullptr;

  // The start folder of the next search.
  QString folder() const { return folder_; }
  void setFolder(const QString& folder);

  // Searches, or stops the running search.
  void Command1_Click();
  void Cmdmenu_Click();
  void Drive1_Change(int index);

 signals:
  // A search has ended and its question has been answered.
  void searchEnded();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void createWidgets();
  void fillDrives();
  void endOfSearch();

  SearchContext context_;
  QFileSystemModel* folders_ = nullptr;
  QString folder_;
  int drive_ = 0;  // the last drive that could be searched
};

}  // namespace quelvo::search
