#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "swf/base/Expected.h"
#include "swf/base/Records.h"

namespace quelvo::swf {

// Bounded little-endian byte and bit reader over movie data.
//
// Every read checks that it fits before touching memory. A read that does not
// fit returns a zero value, leaves the position where it was and records an
// Error; the first error sticks and every later read fails the same way, so a
// whole record can be read and checked once at the end.
//
// Bit fields (UB/SB/FB) are read most significant bit first; any byte-sized
// read first skips the rest of a partly read byte, as the format requires.
class ByteReader {
 public:
  ByteReader() = default;
  // baseOffset is the absolute offset of data[0] in the uncompressed movie.
  explicit ByteReader(std::span<const std::uint8_t> data, std::uint64_t baseOffset = 0);

  std::uint8_t u8();
  std::uint16_t u16();
  std::uint32_t u32();
  std::int16_t s16();
  std::int32_t s32();
  double fixed8();   // signed 8.8
  double fixed16();  // signed 16.16
  Rgb rgb();
  Rgba rgba();
  Rect rect();

  std::uint32_t ub(unsigned bits);
  std::int32_t sb(unsigned bits);
  double fb(unsigned bits);  // signed 16.16 in a bit field
  void alignToByte();

  // Bytes up to a 0 terminator, which is consumed but not returned.
  std::string string();
  std::span<const std::uint8_t> bytes(std::size_t count);
  bool skip(std::size_t count);
  // A reader over the next count bytes; this reader moves past them.
  ByteReader subReader(std::size_t count);

  std::size_t remaining() const { return data_.size() - position_; }
  bool atEnd() const { return remaining() == 0; }
  std::uint64_t offset() const { return baseOffset_ + position_; }

  // Records an error the caller found in a value (a code the format does not
  // define, say) at the current offset; sticky like a failed read.
  void reject(std::string message) { fail(std::move(message)); }

  bool ok() const { return !error_.has_value(); }
  bool failed() const { return error_.has_value(); }
  const std::optional<Error>& error() const { return error_; }

 private:
  std::size_t alignedPosition() const;
  bool fits(std::size_t count, const char* what);
  bool bitsFit(unsigned bits, const char* what);
  void fail(std::string message);
  std::uint64_t readLittleEndian(std::size_t count, const char* what);

  std::span<const std::uint8_t> data_;
  std::uint64_t baseOffset_ = 0;
  std::size_t position_ = 0;
  unsigned bitPosition_ = 0;  // bits already taken from data_[position_]
  std::optional<Error> error_;
};

}  // namespace quelvo::swf
