#include "catalog/CatalogText.h"

#include <QFile>

#include "core/ReplaceFile.h"
#include "platform/TextEncoding.h"

namespace quelvo::catalog {

namespace {

// Catalog files are small text files; anything far larger is not one.
constexpr qint64 kMaxCatalogFileSize = 256 * 1024 * 1024;

void addLine(QStringView line, std::vector<Entry>& entries) {
  if (line.isEmpty()) return;
  const qsizetype bar = line.indexOf(QLatin1Char('|'));
  if (bar < 0) {
    entries.push_back({line.toString(), QString()});
  } else {
    entries.push_back({line.left(bar).toString(), line.mid(bar + 1).toString()});
  }
}

}  // namespace

std::vector<Entry> parseCatalogText(const QString& text) {
  std::vector<Entry> entries;
  qsizetype start = 0;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (c != QLatin1Char('\r') && c != QLatin1Char('\n')) continue;
    addLine(QStringView(text).mid(start, i - start), entries);
    if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n')) ++i;
    start = i + 1;
  }
  addLine(QStringView(text).mid(start), entries);
  return entries;
}

QString catalogText(const std::vector<Entry>& entries) {
  QString text;
  qsizetype size = 0;
  for (const Entry& entry : entries) size += entry.path.size() + entry.displayText.size() + 3;
  text.reserve(size);
  for (const Entry& entry : entries) {
    text += entry.path;
    text += QLatin1Char('|');
    text += entry.displayText;
    text += QLatin1String("\r\n");
  }
  return text;
}

std::optional<std::vector<Entry>> readCatalogFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxCatalogFileSize) return std::nullopt;
  return parseCatalogText(platform::decodeText(file.readAll()));
}

bool writeCatalogFile(const QString& path, const std::vector<Entry>& entries) {
  return core::replaceFile(path, platform::encodeText(catalogText(entries)));
}

}  // namespace quelvo::catalog
