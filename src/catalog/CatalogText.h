#pragma once

#include <QString>
#include <optional>
#include <vector>

#include "catalog/CatalogModel.h"

namespace quelvo::catalog {

// The catalog file format: one entry per line, path "|" display text.
// Empty lines are skipped; the first "|" separates (a display text may hold
// more); a line without "|" is a path with an empty display text. CR LF, lone
// LF and lone CR all end a line.
std::vector<Entry> parseCatalogText(const QString& text);
// The whole file text, every line ended by CR LF.
QString catalogText(const std::vector<Entry>& entries);

// Reads a catalog file with the text encoding of the system's catalog files.
// nullopt when it cannot be read at all.
std::optional<std::vector<Entry>> readCatalogFile(const QString& path);
// Replaces the file atomically; false when it cannot be written.
bool writeCatalogFile(const QString& path, const std::vector<Entry>& entries);

}  // namespace quelvo::catalog
