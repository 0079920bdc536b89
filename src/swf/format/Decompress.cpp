#include "swf/format/Decompress.h"

#include <zlib.h>

#include <algorithm>
#include <climits>

#include "swf/format/BoundedDecode.h"

namespace quelvo::swf {

namespace {

constexpr std::size_t kZlibHeaderSize = 2;
constexpr std::size_t kZlibChecksumSize = 4;

// The 2-byte zlib header: deflate method, a check value, no preset dictionary.
std::string zlibHeaderProblem(std::span<const std::uint8_t> input) {
  if (input.size() < kZlibHeaderSize) return "zlib header cut short";
  const unsigned method = input[0] & 0x0F;
  const unsigned check = input[0] << 8 | input[1];
  if (method != Z_DEFLATED || check % 31 != 0) return "not a zlib stream";
  if (input[1] & 0x20) return "zlib stream needs a preset dictionary";
  return {};
}

std::uint32_t readBigEndian32(std::span<const std::uint8_t> bytes) {
  return std::uint32_t{bytes[0]} << 24 | bytes[1] << 16 | bytes[2] << 8 | bytes[3];
}

}  // namespace

// Inflates the raw deflate data itself and checks the Adler-32 apart, so a
// wrong checksum is told from data that is really missing.
DecodeResult inflateZlib(std::span<const std::uint8_t> input, std::vector<std::uint8_t>& out,
                         std::size_t limit) {
  if (auto problem = zlibHeaderProblem(input); !problem.empty()) {
    return {DecodeStatus::DataError, problem};
  }
  const auto deflated = input.subspan(kZlibHeaderSize);
  z_stream stream{};
  if (inflateInit2(&stream, -MAX_WBITS) != Z_OK) {
    return {DecodeStatus::DataError, "zlib could not start"};
  }

  const std::size_t start = out.size();
  std::size_t consumed = 0;
  DecodeResult result = decodeBounded(out, limit, [&](std::uint8_t* at, std::size_t room) {
    // zlib counts in 32-bit units; feed and drain in pieces that fit.
    const std::size_t inChunk = std::min<std::size_t>(deflated.size() - consumed, UINT_MAX);
    const std::size_t outChunk = std::min<std::size_t>(room, UINT_MAX);
    stream.next_in = const_cast<Bytef*>(deflated.data() + consumed);
    stream.avail_in = static_cast<uInt>(inChunk);
    stream.next_out = at;
    stream.avail_out = static_cast<uInt>(outChunk);
    const int code = inflate(&stream, Z_NO_FLUSH);
    consumed += inChunk - stream.avail_in;
    DecodeStep done{outChunk - stream.avail_out, std::nullopt};
    if (code == Z_STREAM_END) {
      done.finished = DecodeResult{DecodeStatus::Complete, {}};
    } else if (code == Z_BUF_ERROR ||
               (code == Z_OK && stream.avail_in == 0 && stream.avail_out > 0)) {
      done.finished = DecodeResult{DecodeStatus::InputEnded, {}};  // the stream was cut short
    } else if (code != Z_OK) {
      done.finished = DecodeResult{DecodeStatus::DataError, stream.msg ? stream.msg : "zlib error"};
    }
    return done;
  });
  inflateEnd(&stream);

  if (result.status == DecodeStatus::Complete) {
    const auto checksum = deflated.subspan(consumed);
    const auto computed =
        adler32_z(adler32_z(0, nullptr, 0), out.data() + start, out.size() - start);
    if (checksum.size() < kZlibChecksumSize || readBigEndian32(checksum) != computed) {
      result = {DecodeStatus::ChecksumMismatch, "Adler-32 missing or wrong"};
    }
  }
  return result;
}

}  // namespace quelvo::swf
