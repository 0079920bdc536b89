// The fonts and text fuzz work: the input becomes the bodies of a font tag,
// a static text tag and an edit text tag in a one-frame movie that places
// both texts, which is then played and drawn. The first byte chooses the
// font tag (DefineFont, DefineFont2 or DefineFont3), the second the text tag
// (DefineText or DefineText2); then come the font body and the text body,
// each after its length (two bytes, little-endian), and the rest is the edit
// text body. The tags' own character ids are set so that the two texts are
// placed.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "FuzzEntries.h"
#include "MoviePlay.h"
#include "swf/model/Movie.h"

namespace quelvo::fuzz {

namespace {

constexpr std::uint16_t kFontId = 1, kTextId = 2, kFieldId = 3;

class MovieBytes {
 public:
  void u8(std::uint8_t value) { bytes_.push_back(value); }
  void u16(std::uint16_t value) {
    u8(static_cast<std::uint8_t>(value));
    u8(static_cast<std::uint8_t>(value >> 8));
  }
  void u32(std::uint32_t value) {
    u16(static_cast<std::uint16_t>(value));
    u16(static_cast<std::uint16_t>(value >> 16));
  }
  // A tag with a long header; id, when given, replaces the body's first two bytes.
  void tag(std::uint16_t code, std::span<const std::uint8_t> body, int id = -1) {
    u16(static_cast<std::uint16_t>(code << 6 | 0x3f));
    u32(static_cast<std::uint32_t>(std::max<std::size_t>(body.size(), id < 0 ? 0 : 2)));
    std::size_t from = 0;
    if (id >= 0) {
      u16(static_cast<std::uint16_t>(id));
      from = std::min<std::size_t>(2, body.size());
    }
    bytes_.insert(bytes_.end(), body.begin() + static_cast<std::ptrdiff_t>(from), body.end());
  }
  // Header and stage: 400 x 300 pixels, 12 frames a second, one frame.
  void header() {
    for (const char c : {'F', 'W', 'S'}) u8(static_cast<std::uint8_t>(c));
    u8(10);
    u32(0);  // the length, set by finish()
    // RECT of 14-bit fields: 0, 8000, 0, 6000 twips.
    const std::array<std::uint8_t, 8> stage = {0x70, 0x00, 0x0f, 0xa0, 0x00, 0x00, 0xbb, 0x80};
    bytes_.insert(bytes_.end(), stage.begin(), stage.end());
    u16(12 << 8);
    u16(1);
  }
  void place(std::uint16_t id, std::uint16_t depth) {
    const std::array<std::uint8_t, 5> body = {
        0x02, static_cast<std::uint8_t>(depth), static_cast<std::uint8_t>(depth >> 8),
        static_cast<std::uint8_t>(id), static_cast<std::uint8_t>(id >> 8)};
    tag(26, body);
  }
  std::span<const std::uint8_t> finish() {
    const auto length = static_cast<std::uint32_t>(bytes_.size());
    for (int i = 0; i < 4; ++i) bytes_[4 + i] = static_cast<std::uint8_t>(length >> (8 * i));
    return bytes_;
  }

 private:
  std::vector<std::uint8_t> bytes_;
};

// The next part of the input after its two-byte length, cut to what is there.
std::span<const std::uint8_t> takePart(std::span<const std::uint8_t>& input) {
  if (input.size() < 2) return {};
  const std::size_t wanted = input[0] | input[1] << 8;
  const std::size_t size = std::min(wanted, input.size() - 2);
  const auto part = input.subspan(2, size);
  input = input.subspan(2 + size);
  return part;
}

}  // namespace

void fuzzText(std::span<const std::uint8_t> input) {
  if (input.size() < 2) return;
  constexpr std::array<std::uint16_t, 3> kFontTags = {10, 48, 75};
  constexpr std::array<std::uint16_t, 2> kTextTags = {11, 33};
  const std::uint16_t fontTag = kFontTags[input[0] % kFontTags.size()];
  const std::uint16_t textTag = kTextTags[input[1] % kTextTags.size()];
  input = input.subspan(2);
  const auto font = takePart(input);
  const auto text = takePart(input);

  MovieBytes movie;
  movie.header();
  movie.tag(fontTag, font, kFontId);
  movie.tag(textTag, text, kTextId);
  movie.tag(37, input, kFieldId);
  movie.place(kTextId, 1);
  movie.place(kFieldId, 2);
  movie.tag(1, {});
  movie.tag(0, {});
  const auto parsed = swf::Movie::parse(movie.finish());
  if (parsed) playMovie(*parsed);
}

}  // namespace quelvo::fuzz
