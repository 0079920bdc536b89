#pragma once

#include <cstdint>
#include <map>
#include <optional>

#include "swf/Movie.h"
#include "swf/bitmap/BitmapLibrary.h"
#include "swf/format/Shape.h"
#include "swf/format/TagRecord.h"
#include "swf/text/TextLibrary.h"

namespace quelvo::swf {

enum class CharacterKind { None, Shape, Sprite, StaticText, EditText, Other };

// The characters of a movie by id, for one playback. The first definition of
// an id wins. Shapes are parsed on first use and kept; a shape that cannot be
// read counts as defined but draws nothing. Bitmaps are decoded on first use.
class Library {
 public:
  explicit Library(const Movie& movie);

  CharacterKind kind(std::uint16_t id) const;
  const Shape* shape(std::uint16_t id);
  const Sprite* sprite(std::uint16_t id) const;
  BitmapLibrary& bitmaps() { return bitmaps_; }
  TextLibrary& text() { return text_; }

 private:
  const Movie& movie_;
  std::map<std::uint16_t, TagRecord> definitions_;
  std::map<std::uint16_t, std::optional<Shape>> shapes_;
  EdgeBudget edgeBudget_;
  BitmapLibrary bitmaps_;
  TextLibrary text_;
};

}  // namespace quelvo::swf
