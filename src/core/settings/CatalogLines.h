#pragma once

#include <QString>
#include <QStringView>
#include <optional>
#include <vector>

#include "core/settings/ProfileDocument.h"

namespace quelvo::core {

// One movie of the catalog: the file and the text shown for it.
struct CatalogEntry {
  QString path;
  QString displayText;

  bool operator==(const CatalogEntry&) const = default;
};

// The most entries the catalog keeps: the count is stored as a 16-bit number.
inline constexpr int kMaxCatalogEntries = 32767;

// "path|display text": the path runs to the first '|', the display text is all the rest (further
// '|' included). A line without '|' holds no entry.
std::optional<CatalogEntry> decodeSettingsCatalogLine(QStringView line);
QString encodeCatalogLine(const CatalogEntry& entry);

// The catalog in the settings: LIST/SUM, then the keys 1..SUM. Missing or undecodable lines are
// skipped.
std::vector<CatalogEntry> readSettingsCatalog(const ProfileDocument& document);

// Replaces the LIST section with SUM and the keys 1..N. At most kMaxCatalogEntries are written,
// since a read never looks further. An entry whose path or text contains a line break cannot be
// stored and leaves its key out (reading skips it).
void writeSettingsCatalog(ProfileDocument& document, const std::vector<CatalogEntry>& entries);

}  // namespace quelvo::core
