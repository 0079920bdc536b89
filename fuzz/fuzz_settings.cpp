// Fuzz entry point of the settings file: the input is read as the settings
// file; its catalog and a setting are read, the setting is changed and the
// catalog written back, and the written file is read again.

#include <QByteArray>
#include <cstddef>
#include <cstdint>

#include "core/settings/CatalogLines.h"
#include "core/settings/ProfileDocument.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quelvo::core;
  ProfileDocument document = ProfileDocument::fromBytes(
      QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
  const auto entries = readSettingsCatalog(document);
  const QString section = QStringLiteral("WINDOWS"), key = QStringLiteral("WIDTH");
  const QString value = document.read(section, key);
  document.set(section, key, value + QStringLiteral("1"));
  document.removeKey(section, QStringLiteral("HEIGHT"));
  writeSettingsCatalog(document, entries);
  const ProfileDocument again = ProfileDocument::fromBytes(document.toBytes());
  volatile std::size_t sink = readSettingsCatalog(again).size() + again.read(section, key).size();
  static_cast<void>(sink);
  return 0;
}
