#include "catalog/CatalogModel.h"

#include <algorithm>

namespace quelvo::catalog {

int CatalogModel::append(const std::vector<Entry>& entries) {
  const int room = kMaxEntries - count();
  const int added = std::clamp(static_cast<int>(entries.size()), 0, room);
  if (added == 0) return 0;
  beginInsertRows({}, count(), count() + added - 1);
  entries_.insert(entries_.end(), entries.begin(), entries.begin() + added);
  endInsertRows();
  return added;
}

void CatalogModel::removeAt(int row) {
  if (row < 0 || row >= count()) return;
  beginRemoveRows({}, row, row);
  entries_.erase(entries_.begin() + row);
  endRemoveRows();
}

void CatalogModel::swap(int a, int b) {
  if (a < 0 || b < 0 || a >= count() || b >= count() || a == b) return;
  std::swap(entries_[static_cast<size_t>(a)], entries_[static_cast<size_t>(b)]);
  emit dataChanged(index(std::min(a, b)), index(std::max(a, b)));
}

void CatalogModel::clear() {
  if (entries_.empty()) return;
  beginResetModel();
  entries_.clear();
  endResetModel();
}

int CatalogModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : count();
}

QVariant CatalogModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= count()) return {};
  const Entry& entry = at(index.row());
  if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole) return entry.displayText;
  if (role == kPathRole) return entry.path;
  return {};
}

}  // namespace quelvo::catalog
