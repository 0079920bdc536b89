#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <optional>

#include "core/settings/ProfileDocument.h"

namespace quelvo::core {

// Files above this size are not settings files: they read as empty and are never replaced.
inline constexpr qint64 kMaxSettingsFileSize = 64 * 1024 * 1024;

// The settings file. Every call reads the file afresh; every change replaces it atomically (a
// temporary file in the same folder renamed over it), so a crash or a failed write leaves the old
// file as it was. A change returns false when it wrote nothing: the text cannot be stored (see
// ProfileDocument::set), or the file could not be read or replaced. Callers may ignore it.
class SettingsStore {
 public:
  explicit SettingsStore(QString path);

  QString path() const;
  // True when a file (not a folder) is found at the path.
  bool exists() const;

  // The empty text when the file, the section or the key is missing, or the file cannot be read.
  // Reads and parses the whole file: for many reads at once use load().
  QString ReadSetting(const QString& section, const QString& key) const;

  bool write(const QString& section, const QString& key, const QString& value);
  bool removeKey(const QString& section, const QString& key);
  bool removeSection(const QString& section);

  // For many changes at once: load, change the document, save once. load() gives an empty
  // document when the file is missing or cannot be read.
  ProfileDocument load() const;
  // Fails, leaving the file alone, when the existing file is unreadable or too big (it would be
  // lost) or when the document has grown beyond kMaxSettingsFileSize (it could not be read back).
  bool save(const ProfileDocument& document);

 private:
  // The file's bytes: empty when there is no file, nullopt when it cannot be read or is too big.
  std::optional<QByteArray> readFile() const;
  template <typename Change>
  bool update(Change change);
  bool replaceFile(const QByteArray& bytes);

  QString path_;
};

}  // namespace quelvo::core
