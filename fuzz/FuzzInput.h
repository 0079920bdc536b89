#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

namespace quelvo::fuzz {

// Takes little-endian fields off the front of a fuzz input; past its end
// every field reads as zero, so each input is a valid choice of parameters.
class FuzzInput {
 public:
  explicit FuzzInput(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  std::uint8_t u8() {
    if (bytes_.empty()) return 0;
    const std::uint8_t value = bytes_.front();
    bytes_ = bytes_.subspan(1);
    return value;
  }
  std::uint16_t u16() { return std::uint16_t(u8() | (u8() << 8)); }
  std::uint32_t u32() { return std::uint32_t(u16()) | (std::uint32_t(u16()) << 16); }

  // The next count bytes, fewer at the end.
  std::span<const std::uint8_t> take(std::size_t count) {
    const auto taken = bytes_.first(std::min(count, bytes_.size()));
    bytes_ = bytes_.subspan(taken.size());
    return taken;
  }
  std::span<const std::uint8_t> rest() const { return bytes_; }
  bool empty() const { return bytes_.empty(); }

 private:
  std::span<const std::uint8_t> bytes_;
};

}  // namespace quelvo::fuzz
