#include "core/settings/SettingsStore.h"

#include <QFile>
#include <QFileInfo>
#include <utility>

#include "core/ReplaceFile.h"

namespace quelvo::core {

SettingsStore::SettingsStore(QString path) : path_(std::move(path)) {}

QString SettingsStore::path() const { return path_; }

bool SettingsStore::exists() const { return QFileInfo(path_).isFile(); }

QString SettingsStore::ReadSetting(const QString& section, const QString& key) const {
  return load().read(section, key);
}

bool SettingsStore::write(const QString& section, const QString& key, const QString& value) {
  return update([&](ProfileDocument& document) { return document.set(section, key, value); });
}

bool SettingsStore::removeKey(const QString& section, const QString& key) {
  return update([&](ProfileDocument& document) {
    document.removeKey(section, key);
    return true;
  });
}

bool SettingsStore::removeSection(const QString& section) {
  return update([&](ProfileDocument& document) {
    document.removeSection(section);
    return true;
  });
}

ProfileDocument SettingsStore::load() const {
  const std::optional<QByteArray> bytes = readFile();
  return bytes ? ProfileDocument::fromBytes(*bytes) : ProfileDocument();
}

bool SettingsStore::save(const ProfileDocument& document) {
  return readFile().has_value() && replaceFile(document.toBytes());
}

std::optional<QByteArray> SettingsStore::readFile() const {
  const QFileInfo info(path_);
  if (!info.exists()) return QByteArray();
  // Only regular files: a device or a pipe could be endless or block.
  if (!info.isFile() || info.size() > kMaxSettingsFileSize) return std::nullopt;
  QFile file(path_);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  // One byte beyond the limit tells a file that grew since it was measured.
  QByteArray bytes = file.read(kMaxSettingsFileSize + 1);
  if (bytes.size() > kMaxSettingsFileSize || file.error() != QFileDevice::NoError) {
    return std::nullopt;
  }
  return bytes;
}

template <typename Change>
bool SettingsStore::update(Change change) {
  const std::optional<QByteArray> bytes = readFile();
  if (!bytes) return false;
  ProfileDocument document = ProfileDocument::fromBytes(*bytes);
  if (!change(document)) return false;
  // Unchanged bytes are not written again; a removal from a missing file creates no file.
  const QByteArray updated = document.toBytes();
  return updated == *bytes || replaceFile(updated);
}

bool SettingsStore::replaceFile(const QByteArray& bytes) {
  return bytes.size() <= kMaxSettingsFileSize && core::replaceFile(path_, bytes);
}

}  // namespace quelvo::core
