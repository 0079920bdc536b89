#pragma once

#include <QObject>
#include <QString>
#include <array>
#include <functional>
#include <vector>

class QListView;
class QMenu;
class QPoint;
class QPushButton;
class QWidget;

namespace quelvo::platform {
class Platform;
}
namespace quelvo::core {
class CurrentEntry;
class LoopRegionState;
class PlayModeState;
class SkinSchemeState;
}  // namespace quelvo::core

namespace quelvo::catalog {

class CatalogCommands;
class CatalogModel;
class OpenDialog;
struct Entry;

// The catalog pane's widgets.
struct CatalogWidgets {
  QWidget* frmflash = nullptr;
  QWidget* frmlist = nullptr;
  QListView* List2 = nullptr;
  std::array<QPushButton*, 5> Cmdlist{};
};

// The player routines the catalog's commands run.
struct CatalogLinks {
  // MNUCLOSE_Click: drops the movie.
  std::function<void()> closeMovie;
  // Loads and plays the entry at a row, the catalog left as it is.
  std::function<void(int row)> playEntry;
  // MNUMU_Click: shows or hides the catalog pane.
  std::function<void()> MNUMU_Click;
  // Brings previous/next entry in line with the number of entries.
  std::function<void(int count)> updateEntrySteps;
};

// What the catalog's commands act on besides the catalog itself.
struct CatalogState {
  core::CurrentEntry& Labn;
  core::PlayModeState& playMode;
  core::LoopRegionState& loopRegion;
  const core::SkinSchemeState& skin;
};

// The catalog pane's commands: add, delete, hide, move up and down, clear,
// double-click to play, and ListRefresh, which brings every command that
// depends on the catalog into line after each change.
class CatalogList : public QObject {
  Q_OBJECT

 public:
  // The catalog buttons Cmdlist(0..4).
  enum Button { Add = 0, Delete = 1, Hide = 2, MoveUp = 3, MoveDown = 4 };

  CatalogList(CatalogModel& catalog, const CatalogWidgets& widgets, CatalogCommands& commands,
              OpenDialog& openDialog, const CatalogState& state, CatalogLinks links,
              platform::Platform& platform, QObject* owner);

  void Cmdlist_Click(int index);
  void MNUCLE_Click();
  void ListRefresh();
  void List2_Click() { ListRefresh(); }
  void List2_DblClick();
  // Mouse release over the list at a point in its viewport.
  void List2_MouseUp(Qt::MouseButton button, const QPoint& pos, const QPoint& globalPos);
  // Pointer moved over the list without a button: the entry's path as tool tip.
  void List2_MouseMove(const QPoint& pos);
  // The popup over the list, MNULIST.
  void setListMenu(QMenu* menu) { MNULIST_ = menu; }

  // Appends the entries of the catalog file at the file selection's current
  // position; selects the first entry when the catalog is not empty.
  void LoadFlash();
  // Appends the chosen files in dialog order: movies as entries, catalog
  // files through LoadFlash.
  void appendSelection();

  // Adds entries at the end, refusing what cannot be stored and stopping at
  // the catalog's limit with a message. Returns false when something was left out.
  bool appendEntries(const std::vector<Entry>& entries);
  // The entry for a chosen movie file: its path, and its name less the extension.
  static Entry entryForFile(const QString& folder, const QString& name);

  // Selected row of the visible list, -1 when none.
  int selectedRow() const;
  void selectRow(int row);
  // Entry under a point of the list's viewport, -1 below the last entry.
  int rowAt(const QPoint& pos) const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void commonTail();
  void addFiles();
  void deleteSelected();
  void moveUp();
  void moveDown();
  void playMissing(int row);
  void enableMultiEntryModes(bool enabled);

  CatalogModel& catalog_;
  CatalogWidgets w_;
  CatalogCommands& commands_;
  OpenDialog& openDialog_;
  CatalogState state_;
  CatalogLinks links_;
  platform::Platform& platform_;
  QMenu* MNULIST_ = nullptr;
};

}  // namespace quelvo::catalog
