#include "swf/bitmap/BitmapInflate.h"

#include <string>

#include "swf/format/Decompress.h"

namespace quelvo::swf {

namespace {

// Deflate never produces more than 258 bytes from 2 bits.
constexpr std::uint64_t kMaxDeflateRatio = 1032;

std::string shortfall(const DecodeResult& result, std::size_t got, std::size_t needed) {
  const std::string counts = std::to_string(got) + " of " + std::to_string(needed) + " bytes";
  if (result.status == DecodeStatus::DataError) {
    return "corrupt zlib data (" + result.detail + ") after " + counts;
  }
  return "zlib data ends after " + counts;
}

}  // namespace

Expected<std::vector<std::uint8_t>> inflateBitmapData(std::span<const std::uint8_t> zlibData,
                                                      std::size_t needed, std::uint64_t offset) {
  if (needed > zlibData.size() * kMaxDeflateRatio) {
    return Error{std::to_string(zlibData.size()) + " bytes of zlib data cannot hold the " +
                     std::to_string(needed) + " bytes the bitmap declares",
                 offset};
  }
  std::vector<std::uint8_t> out;
  const DecodeResult result = inflateZlib(zlibData, out, needed);
  // Once every needed byte is there, whatever follows (the checksum, or data
  // past the picture) no longer matters.
  if (out.size() < needed) return Error{shortfall(result, out.size(), needed), offset};
  return out;
}

}  // namespace quelvo::swf
