#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <vector>

namespace quelvo::catalog {

struct Entry {
  QString path;
  QString displayText;
};

// The catalog: one ordered list of entries. The visible list List2 shows the
// display-text column, the hidden list List1 the path column, so the two can
// never fall out of step.
class CatalogModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  static constexpr int kDisplayColumn = 0;
  static constexpr int kPathColumn = 1;
  // Positions are 16-bit in the catalog's file and list formats.
  static constexpr int kMaxEntries = 32767;

  using QAbstractTableModel::QAbstractTableModel;

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
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;

 private:
  std::vector<Entry> entries_;
};

}  // namespace quelvo::catalog
