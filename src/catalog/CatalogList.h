#pragma once

#include <QObject>
#include <QString>

class QPoint;

namespace quelvo::app {
class Form1;
}

namespace quelvo::catalog {

struct Entry;

// The catalog pane's commands: add, delete, hide, move up and down, clear,
// double-click to play, and ListRefresh, which brings every command that
// depends on the catalog into line after each change.
class CatalogList : public QObject {
  Q_OBJECT

 public:
  explicit CatalogList(app::Form1& form);

  // index 0 add, 1 delete, 2 hide, 3 move up, 4 move down.
  void Cmdlist_Click(int index);
  void MNUCLE_Click();
  void ListRefresh();
  void List2_Click() { ListRefresh(); }
  void List2_DblClick();
  // Mouse release over the list at a point in its viewport.
  void List2_MouseUp(Qt::MouseButton button, const QPoint& pos, const QPoint& globalPos);
  // Pointer moved over the list without a button: the entry's path as tool tip.
  void List2_MouseMove(const QPoint& pos);

  // Appends the entries of the catalog file at the file selection's current
  // position; selects the first entry when the catalog is not empty.
  void LoadFlash();

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

  // The current-entry index, read from its label text (0 for non-numbers).
  int currentEntry() const;
  void setCurrentEntry(int index);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void commonTail();
  void addFiles();
  void deleteSelected();
  void moveUp();
  void moveDown();
  void playMissing(int row);

  app::Form1& f_;
};

}  // namespace quelvo::catalog
