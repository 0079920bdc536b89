#include "swf/io/ByteReader.h"

#include <algorithm>

namespace quelvo::swf {

ByteReader::ByteReader(std::span<const std::uint8_t> data, std::uint64_t baseOffset)
    : data_(data), baseOffset_(baseOffset) {}

void ByteReader::fail(std::string message) {
  if (!error_) error_ = Error{std::move(message), offset()};
}

// Byte reads start at the next whole byte. The size test is written as
// "count > bytes left", which cannot wrap around however large count is.
std::size_t ByteReader::alignedPosition() const { return position_ + (bitPosition_ > 0 ? 1 : 0); }

bool ByteReader::fits(std::size_t count, const char* what) {
  if (error_) return false;
  const std::size_t left = data_.size() - alignedPosition();
  if (count > left) {
    fail(std::string(what) + ": needs " + std::to_string(count) + " bytes, " +
         std::to_string(left) + " left");
    return false;
  }
  alignToByte();
  return true;
}

bool ByteReader::bitsFit(unsigned bits, const char* what) {
  if (error_) return false;
  if (bits > 32) {
    fail(std::string(what) + ": bit field of " + std::to_string(bits) + " bits");
    return false;
  }
  const std::uint64_t left = std::uint64_t{remaining()} * 8 - bitPosition_;
  if (bits > left) {
    fail(std::string(what) + ": needs " + std::to_string(bits) + " bits, " + std::to_string(left) +
         " left");
    return false;
  }
  return true;
}

void ByteReader::alignToByte() {
  if (bitPosition_ > 0) {
    ++position_;
    bitPosition_ = 0;
  }
}

std::uint64_t ByteReader::readLittleEndian(std::size_t count, const char* what) {
  if (!fits(count, what)) return 0;
  std::uint64_t value = 0;
  for (std::size_t i = 0; i < count; ++i) value |= std::uint64_t{data_[position_ + i]} << (8 * i);
  position_ += count;
  return value;
}

std::uint8_t ByteReader::u8() { return static_cast<std::uint8_t>(readLittleEndian(1, "u8")); }
std::uint16_t ByteReader::u16() { return static_cast<std::uint16_t>(readLittleEndian(2, "u16")); }
std::uint32_t ByteReader::u32() { return static_cast<std::uint32_t>(readLittleEndian(4, "u32")); }
std::int16_t ByteReader::s16() { return static_cast<std::int16_t>(readLittleEndian(2, "s16")); }
std::int32_t ByteReader::s32() { return static_cast<std::int32_t>(readLittleEndian(4, "s32")); }
double ByteReader::fixed8() { return s16() / 256.0; }
double ByteReader::fixed16() { return s32() / 65536.0; }

Rgb ByteReader::rgb() {
  if (!fits(3, "RGB")) return {};
  const Rgb colour{data_[position_], data_[position_ + 1], data_[position_ + 2]};
  position_ += 3;
  return colour;
}

Rgba ByteReader::rgba() {
  if (!fits(4, "RGBA")) return {};
  const Rgba colour{data_[position_], data_[position_ + 1], data_[position_ + 2],
                    data_[position_ + 3]};
  position_ += 4;
  return colour;
}

// A RECT is a 5-bit field width and four signed fields; on failure the reader
// goes back to where the record started.
Rect ByteReader::rect() {
  alignToByte();
  const std::size_t start = position_;
  const unsigned bits = ub(5);
  Rect rect;
  rect.xMin = sb(bits);
  rect.xMax = sb(bits);
  rect.yMin = sb(bits);
  rect.yMax = sb(bits);
  if (failed()) {
    position_ = start;
    bitPosition_ = 0;
    return {};
  }
  alignToByte();
  return rect;
}

std::uint32_t ByteReader::ub(unsigned bits) {
  if (bits == 0 || !bitsFit(bits, "bit field")) return 0;
  std::uint64_t value = 0;
  while (bits > 0) {
    const unsigned inByte = 8 - bitPosition_;
    const unsigned take = std::min(inByte, bits);
    const unsigned shift = inByte - take;
    const unsigned chunk = (data_[position_] >> shift) & ((1u << take) - 1);
    value = (value << take) | chunk;
    bits -= take;
    bitPosition_ += take;
    if (bitPosition_ == 8) {
      bitPosition_ = 0;
      ++position_;
    }
  }
  return static_cast<std::uint32_t>(value);
}

std::int32_t ByteReader::sb(unsigned bits) {
  const std::uint32_t raw = ub(bits);
  if (bits == 0 || bits >= 32) return static_cast<std::int32_t>(raw);
  const std::uint32_t signBit = 1u << (bits - 1);
  return static_cast<std::int32_t>((raw ^ signBit) - signBit);
}

double ByteReader::fb(unsigned bits) { return sb(bits) / 65536.0; }

std::string ByteReader::string() {
  if (error_) return {};
  const auto rest = data_.subspan(alignedPosition());
  const auto terminator = std::find(rest.begin(), rest.end(), std::uint8_t{0});
  if (terminator == rest.end()) {
    fail("string: no terminating zero in the " + std::to_string(rest.size()) + " bytes left");
    return {};
  }
  const auto length = static_cast<std::size_t>(terminator - rest.begin());
  std::string text(reinterpret_cast<const char*>(rest.data()), length);
  alignToByte();
  position_ += length + 1;
  return text;
}

std::span<const std::uint8_t> ByteReader::bytes(std::size_t count) {
  if (!fits(count, "bytes")) return {};
  const auto span = data_.subspan(position_, count);
  position_ += count;
  return span;
}

bool ByteReader::skip(std::size_t count) {
  if (!fits(count, "skip")) return false;
  position_ += count;
  return true;
}

ByteReader ByteReader::subReader(std::size_t count) {
  const std::uint64_t start = baseOffset_ + alignedPosition();
  const auto span = bytes(count);
  ByteReader sub(span, start);
  sub.error_ = error_;
  return sub;
}

}  // namespace quelvo::swf
