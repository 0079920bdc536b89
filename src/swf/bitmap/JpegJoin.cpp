#include "swf/bitmap/JpegJoin.h"

#include <algorithm>
#include <cstddef>

namespace quelvo::swf {

namespace {

constexpr std::uint8_t kMarker = 0xFF;
constexpr std::uint8_t kStartOfImage = 0xD8;
constexpr std::uint8_t kEndOfImage = 0xD9;
constexpr std::uint8_t kStartOfScan = 0xDA;
constexpr std::uint8_t kTemporary = 0x01;

bool isRestart(std::uint8_t code) { return code >= 0xD0 && code <= 0xD7; }

// Markers that stand alone, without a length and a payload.
bool standsAlone(std::uint8_t code) { return isRestart(code) || code == kTemporary; }

// End of the entropy-coded data starting at `from`: the next marker other
// than a stuffed 0xFF00 or a restart marker, or the end of the piece.
std::size_t endOfScanData(std::span<const std::uint8_t> piece, std::size_t from) {
  for (std::size_t i = from; i + 1 < piece.size(); ++i) {
    if (piece[i] != kMarker) continue;
    const std::uint8_t next = piece[i + 1];
    if (next != 0 && next != kMarker && !isRestart(next)) return i;
  }
  return piece.size();
}

void appendPiece(std::span<const std::uint8_t> piece, JoinedJpeg& out) {
  const auto copy = [&](std::size_t from, std::size_t to) {
    out.bytes.insert(out.bytes.end(), piece.begin() + from, piece.begin() + to);
  };
  std::size_t at = 0;
  while (at + 1 < piece.size() && piece[at] == kMarker) {
    if (piece[at + 1] == kMarker) {  // fill byte before a marker
      ++at;
      continue;
    }
    const std::uint8_t code = piece[at + 1];
    if (code == kStartOfImage || code == kEndOfImage) {
      at += 2;
      continue;
    }
    if (standsAlone(code)) {
      copy(at, at + 2);
      at += 2;
      continue;
    }
    if (at + 4 > piece.size()) break;
    const std::size_t length = piece[at + 2] << 8 | piece[at + 3];
    if (length < 2) break;
    const std::size_t end = std::min(piece.size(), at + 2 + length);
    copy(at, end);
    at = end;
    if (code == kStartOfScan) {
      ++out.scans;
      const std::size_t scanEnd = endOfScanData(piece, at);
      copy(at, scanEnd);
      at = scanEnd;
    }
  }
}

}  // namespace

JoinedJpeg joinJpegPieces(std::initializer_list<std::span<const std::uint8_t>> pieces) {
  JoinedJpeg out{{kMarker, kStartOfImage}};
  for (const auto& piece : pieces) appendPiece(piece, out);
  out.bytes.push_back(kMarker);
  out.bytes.push_back(kEndOfImage);
  return out;
}

}  // namespace quelvo::swf
