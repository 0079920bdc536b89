#include "swf/format/Container.h"

#include "swf/format/Decompress.h"

namespace quelvo::swf {

namespace {

constexpr std::size_t kFileHeaderSize = 8;
// ZWS puts a 4-byte compressed length and 5 LZMA property bytes after the
// file header; the raw LZMA stream starts after them.
constexpr std::size_t kLzmaPropertiesOffset = 12;
constexpr std::size_t kLzmaPropertiesSize = 5;
constexpr std::size_t kLzmaStreamOffset = kLzmaPropertiesOffset + kLzmaPropertiesSize;

bool signatureIs(std::span<const std::uint8_t> file, char first) {
  return file[0] == first && file[1] == 'W' && file[2] == 'S';
}

std::uint32_t readU32(std::span<const std::uint8_t> bytes) {
  return bytes[0] | bytes[1] << 8 | bytes[2] << 16 | std::uint32_t{bytes[3]} << 24;
}

// Turns how the decoder stopped into the movie's truncated flag and note.
void noteDecodeResult(UncompressedMovie& movie, const DecodeResult& result, std::size_t limit) {
  const std::string where = " after byte " + std::to_string(movie.bytes.size());
  switch (result.status) {
    case DecodeStatus::Complete:
      return;
    case DecodeStatus::ChecksumMismatch:
      movie.problem = "compressed data fails its checksum (" + result.detail + ")";
      return;
    case DecodeStatus::InputEnded:
      // An LZMA stream may legitimately end without a marker; only the tag
      // stream can tell whether data is missing.
      if (movie.compression == Compression::Lzma) return;
      movie.problem = "compressed data ends early" + where;
      break;
    case DecodeStatus::DataError:
      movie.problem = "compressed data is corrupt (" + result.detail + ")" + where;
      break;
    case DecodeStatus::LimitReached:
      movie.problem =
          "movie body is larger than the limit of " + std::to_string(limit) + " bytes; cut" + where;
      break;
  }
  movie.truncated = true;
}

}  // namespace

const char* signatureName(Compression compression) {
  switch (compression) {
    case Compression::None:
      return "FWS";
    case Compression::Zlib:
      return "CWS";
    case Compression::Lzma:
      return "ZWS";
  }
  return "";
}

Expected<UncompressedMovie> readContainer(std::span<const std::uint8_t> file,
                                          std::size_t bodyLimit) {
  if (file.size() < 3) return Error{"not a SWF file: shorter than the 3-byte signature", 0};
  UncompressedMovie movie;
  if (signatureIs(file, 'F')) {
    movie.compression = Compression::None;
  } else if (signatureIs(file, 'C')) {
    movie.compression = Compression::Zlib;
  } else if (signatureIs(file, 'Z')) {
    movie.compression = Compression::Lzma;
  } else {
    return Error{"not a SWF file: unknown signature", 0};
  }
  if (file.size() < kFileHeaderSize) {
    return Error{"file ends inside the 8-byte header", file.size()};
  }
  movie.declaredLength = readU32(file.subspan(4, 4));
  movie.fileSize = file.size();
  movie.bytes.assign(file.begin(), file.begin() + kFileHeaderSize);

  const auto body = file.subspan(kFileHeaderSize);
  switch (movie.compression) {
    case Compression::None: {
      const std::size_t kept = std::min(body.size(), bodyLimit);
      movie.bytes.insert(movie.bytes.end(), body.begin(), body.begin() + kept);
      if (kept < body.size()) noteDecodeResult(movie, {DecodeStatus::LimitReached, {}}, bodyLimit);
      break;
    }
    case Compression::Zlib:
      noteDecodeResult(movie, inflateZlib(body, movie.bytes, bodyLimit), bodyLimit);
      break;
    case Compression::Lzma: {
      if (file.size() < kLzmaStreamOffset) {
        return Error{"LZMA header cut short: needs " + std::to_string(kLzmaStreamOffset) +
                         " bytes, file has " + std::to_string(file.size()),
                     kFileHeaderSize};
      }
      const auto decoded = decodeLzma(file.subspan(kLzmaPropertiesOffset, kLzmaPropertiesSize),
                                      file.subspan(kLzmaStreamOffset), movie.bytes, bodyLimit);
      if (!decoded) return Error{decoded.error().message, kFileHeaderSize};
      noteDecodeResult(movie, *decoded, bodyLimit);
      break;
    }
  }
  return movie;
}

}  // namespace quelvo::swf
