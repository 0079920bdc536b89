// Fuzz entry point for skin region files: the first four bytes give the
// picture's size (each side up to 4096 pixels), the rest is the file.

#include <QByteArrayView>
#include <cstddef>
#include <cstdint>

#include "skins/RegionFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 4) return 0;
  const int width = (data[0] | data[1] << 8) % 4097;
  const int height = (data[2] | data[3] << 8) % 4097;
  const QByteArrayView file(data + 4, static_cast<qsizetype>(size - 4));
  const quelvo::skins::RegionFile region =
      quelvo::skins::readRegionFile(file, QSize(width, height));
  volatile int sink = region.shape ? region.shape->rectCount() : 0;
  (void)sink;
  return 0;
}
