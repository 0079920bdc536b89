#pragma once

#include <cstdint>

namespace quelvo::swf {

// The minimal standard generator (x * 16807 mod 2^31 - 1): the same numbers
// for the same seed on every machine. A seed of 0 (or a multiple of the
// modulus) would stay 0 and is moved to 1.
class SeededRandom {
 public:
  explicit SeededRandom(std::int64_t seed) {
    const std::int64_t s = seed % kModulus;
    state_ = s < 0 ? s + kModulus : s;
    if (state_ == 0) state_ = 1;
  }
  // In [1, 2^31 - 2].
  std::uint32_t next() {
    state_ = state_ * 16807 % kModulus;
    return static_cast<std::uint32_t>(state_);
  }
  // In [0, count); count > 0.
  std::uint32_t below(std::uint32_t count) { return next() % count; }

 private:
  static constexpr std::int64_t kModulus = 2147483647;
  std::int64_t state_;
};

}  // namespace quelvo::swf
