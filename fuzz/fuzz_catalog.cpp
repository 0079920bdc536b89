// Fuzz entry point of catalog files: the input is decoded and read as a
// catalog file; the entries written out and read again must be the same
// entries, as exporting and importing a catalog relies on.

#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "catalog/CatalogText.h"
#include "platform/TextEncoding.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quelvo;
  const QString text = platform::decodeText(
      QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
  const auto entries = catalog::parseCatalogText(text);
  const auto again = catalog::parseCatalogText(catalog::catalogText(entries));
  if (again.size() != entries.size()) std::abort();
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (again[i].path != entries[i].path || again[i].displayText != entries[i].displayText)
      std::abort();
  }
  return 0;
}
