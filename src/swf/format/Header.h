#pragma once

#include <cstdint>
#include <span>

#include "swf/base/Expected.h"
#include "swf/base/Records.h"
#include "swf/format/Container.h"

namespace quelvo::swf {

// The movie header: the 8 file-header bytes plus stage, frame rate and count.
struct Header {
  Compression compression = Compression::None;
  std::uint8_t version = 0;
  std::uint32_t declaredLength = 0;   // as written, even when wrong
  Rect stage;                         // twips
  std::uint16_t frameRateRaw = 0;     // unsigned 8.8 fixed point
  std::uint16_t frameCount = 0;       // as declared; may disagree with the tags
  std::uint64_t tagStreamOffset = 0;  // where the first tag record starts

  const char* signature() const { return signatureName(compression); }
  double frameRate() const { return frameRateRaw / 256.0; }
};

// Reads the header of a movie in FWS layout (see UncompressedMovie).
Expected<Header> readHeader(std::span<const std::uint8_t> movie, Compression compression);

}  // namespace quelvo::swf
