#pragma once

#include <cstddef>

namespace quelvo::swf {

// The bytes of pixels the script bitmaps of one movie may hold together.
// Each bitmap keeps the budget alive and gives its share back when it goes,
// so a movie that keeps making bitmaps fails to make more instead of
// exhausting memory.
class PixelBudget {
 public:
  explicit PixelBudget(std::size_t maxBytes) : maxBytes_(maxBytes) {}
  PixelBudget(const PixelBudget&) = delete;
  PixelBudget& operator=(const PixelBudget&) = delete;

  // Reserves bytes; false (nothing reserved) when that would pass the maximum.
  bool canTake(std::size_t bytes) const { return bytes <= maxBytes_ - used_; }
  bool take(std::size_t bytes) {
    if (!canTake(bytes)) return false;
    used_ += bytes;
    return true;
  }
  void give(std::size_t bytes) { used_ -= bytes < used_ ? bytes : used_; }
  std::size_t used() const { return used_; }

 private:
  std::size_t maxBytes_;
  std::size_t used_ = 0;
};

}  // namespace quelvo::swf
