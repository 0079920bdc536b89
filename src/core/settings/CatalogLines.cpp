#include "core/settings/CatalogLines.h"

#include <algorithm>

#include "core/settings/SettingValue.h"

namespace quelvo::core {

namespace {

const QString kListSection = QStringLiteral("LIST");
const QString kCountKey = QStringLiteral("SUM");

}  // namespace

std::optional<CatalogEntry> decodeSettingsCatalogLine(QStringView line) {
  const qsizetype bar = line.indexOf(u'|');
  if (bar < 0) return std::nullopt;
  return CatalogEntry{line.first(bar).toString(), line.sliced(bar + 1).toString()};
}

QString encodeCatalogLine(const CatalogEntry& entry) {
  return entry.path + u'|' + entry.displayText;
}

std::vector<CatalogEntry> readSettingsCatalog(const ProfileDocument& document) {
  const int count = countValue(document.read(kListSection, kCountKey));
  std::vector<CatalogEntry> entries;
  for (int number = 1; number <= count; ++number) {
    if (auto entry =
            decodeSettingsCatalogLine(document.readWhole(kListSection, QString::number(number)))) {
      entries.push_back(std::move(*entry));
    }
  }
  return entries;
}

void writeSettingsCatalog(ProfileDocument& document, const std::vector<CatalogEntry>& entries) {
  const int count = static_cast<int>(std::min<std::size_t>(entries.size(), kMaxCatalogEntries));
  document.removeSection(kListSection);
  document.set(kListSection, kCountKey, QString::number(count));
  for (int i = 0; i < count; ++i) {
    document.set(kListSection, QString::number(i + 1), encodeCatalogLine(entries[i]));
  }
}

}  // namespace quelvo::core
