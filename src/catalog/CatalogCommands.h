#pragma once

#include <QObject>
#include <array>

class QAction;
class QMenu;
class QWidget;

namespace quelvo::catalog {

// The commands of the catalog: the popup menu MNULIST over the list, the File
// menu's add item, and the help command.
class CatalogCommands : public QObject {
  Q_OBJECT

 public:
  explicit CatalogCommands(QObject* owner);

  QAction* MNUFILEADD;
  QAction* MNUDEL;
  QAction* MNUUP;
  QAction* MNUDOWN;
  QAction* MNUADD;
  QAction* MNUCLE;
  QAction* MNULOAD;
  QAction* MNUSAVE;
  std::array<QAction*, 3> MNURUN{};  // elements 1 and 2
  QAction* MNUHELPHELP;

  QMenu* createListMenu(QWidget* parent) const;
};

}  // namespace quelvo::catalog
