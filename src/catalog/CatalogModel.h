#pragma once

#include <QAbstractListModel>
#include <QString>
#include <vector>

namespace quelvo::catalog {

struct Entry {
  QString path;
  QString displayText;
};

// The catalog: one ordered list of entries. The list List2 shows the display
// texts; the paths (the hidden list List1) are a role of the same rows, so the
// two can never fall out of step and assistive technology sees only what the
// user sees.
class CatalogModel : public QAbstractListModel {
  Q_OBJECT

 public:
  // The role of an entry's path: List1.
  static constexpr int kPathRole = Qt::UserRole + 1;
  // Positions are 16-bit in the catalog's file and list formats.
  static constexpr int kMaxEntries = 32767;

  using QAbstractListModel::QAbstractListModel;

  int count() const { return static_cast<int>(entries_.size()); }
  const Entry& at(int row) const { return entries_.at(static_cast<size_t>(row)); }
  QString path(int row) const { return at(row).path; }
  QString displayText(int row) const { return at(row).displayText; }
  const std::vector<Entry>& entries() const { return entries_; }

  // Appends as many entries as fit under the limit; returns how many were added.
  int append(const std::vector<Entry>& entries);
  bool append(const Entry& entry) { return append(std::vector<Entry>{entry}) == 1; }
  void removeAt(int row);
  void swap(int a, int b);
  void clear();

  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;

 private:
  std::vector<Entry> entries_;
};

}  // namespace quelvo::catalog
