#pragma once

#include <QObject>
#include <array>

class QAction;
class QListWidget;
class QMenu;
class QPushButton;
class QWidget;

namespace quelvo::catalog {
class CatalogList;
class CatalogModel;
}  // namespace quelvo::catalog
namespace quelvo::platform {
class Platform;
}

namespace quelvo::search {

// The search results List1 (full paths in the order found, extended selection)
// with its popup MNULIST, and adding results to the catalog.
class ResultList : public QObject {
  Q_OBJECT

 public:
  ResultList(QWidget* parent, QPushButton* Command3, catalog::CatalogModel& catalog,
             catalog::CatalogList& catalogList, platform::Platform& platform);

  QListWidget* List1 = nullptr;
  QMenu* MNULIST = nullptr;
  QAction* MNUADD = nullptr;
  QAction* MNUALL = nullptr;
  QAction* MNUOTHERS = nullptr;
  QAction* MNUDEL = nullptr;
  QAction* MNUCLE = nullptr;
  std::array<QAction*, 3> MNUOPEN{};  // 1 run, 2 open folder
  // "添加时删除所选": the added results leave the list.
  QAction* MNUCMDDEL = nullptr;

  void append(const QStringList& paths);
  int count() const;
  void selectLast();

  // Brings the add button and the popup's items into line with the list.
  void ListText();
  // Adds the selected results (Command3, MNUADD).
  void Command3_Click();
  // Adds every result, as the end of a search does.
  void addAll();
  void MNUDEL_Click();
  void MNUALL_Click();
  void MNUOTHERS_Click();
  void MNUCLE_Click();
  void MNUOPEN_Click(int index);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Adds these rows; false, after telling the user, when one of them is gone.
  bool add(const QList<int>& rows, bool tellMissing);
  QList<int> selectedRows() const;
  // Run (1) or open the folder of (2) one result.
  void openRow(int row, int index);
  void createMenu(QWidget* parent);

  void report();

  QPushButton* Command3_;
  catalog::CatalogModel& catalog_;
  catalog::CatalogList& catalogList_;
  platform::Platform& platform_;
};

}  // namespace quelvo::search
