#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <vector>

namespace quelvo::swf {

// Joins pieces of JPEG data (shared encoding tables, an image's own tables,
// its frame and scans) into one stream with a single start-of-image marker
// first and a single end-of-image marker last. Every start and end marker
// inside the pieces is dropped: the ones bracketing each piece, and the stray
// end+start pair some movies carry ahead of the data. Segments are copied
// whole by their lengths, so marker-like bytes inside them stay. A piece
// stops where its data stops looking like JPEG; a segment cut short is kept
// as far as it goes and left for the decoder to report.
struct JoinedJpeg {
  std::vector<std::uint8_t> bytes;
  std::size_t scans = 0;  // start-of-scan segments, each a decoder pass
};
JoinedJpeg joinJpegPieces(std::initializer_list<std::span<const std::uint8_t>> pieces);

}  // namespace quelvo::swf
