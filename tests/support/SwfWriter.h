#pragma once

// Builds SWF files in code, so each test states what its movie holds. Also
// used by the sample-movie generator, hence no test framework (and no Qt) in here.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace quelvo::swftest {

struct TwipsRect {
  std::int32_t xMin = 0;
  std::int32_t xMax = 0;
  std::int32_t yMin = 0;
  std::int32_t yMax = 0;
};

struct Point {  // twips
  std::int32_t x = 0;
  std::int32_t y = 0;
};

struct Colour {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  std::uint8_t alpha = 255;
};

struct Matrix {
  double scaleX = 1;
  double scaleY = 1;
  double rotateSkew0 = 0;
  double rotateSkew1 = 0;
  std::int32_t translateX = 0;  // twips
  std::int32_t translateY = 0;

  static Matrix translate(std::int32_t x, std::int32_t y);
};

// Red, green, blue, alpha terms; multipliers are 8.8 (256 = unchanged).
struct ColorTransform {
  std::array<std::int16_t, 4> multiply{256, 256, 256, 256};
  std::array<std::int16_t, 4> add{0, 0, 0, 0};
};

// A closed polygon filled with one solid colour. Give the points clockwise
// on screen (y grows downwards): the fill is written on the right-hand side.
struct Polygon {
  Colour colour;
  std::vector<Point> points;
};

struct Placement {
  std::uint16_t depth = 1;
  std::optional<std::uint16_t> character;  // absent: change what is at depth
  std::optional<Matrix> matrix;
  std::optional<ColorTransform> colorTransform;
  std::optional<std::uint16_t> ratio;
  std::optional<std::string> name;
  bool move = false;  // set when changing or replacing an object at depth

  // A new object at depth.
  static Placement place(std::uint16_t depth, std::uint16_t character,
                         std::optional<Matrix> matrix = std::nullopt);
  // A new matrix for the object already at depth.
  static Placement moveTo(std::uint16_t depth, const Matrix& matrix);
};

// Little-endian bytes and most-significant-first bit fields. Byte writes
// first pad a partly written byte with zero bits.
class ByteWriter {
 public:
  ByteWriter& u8(std::uint8_t value);
  ByteWriter& u16(std::uint16_t value);
  ByteWriter& u32(std::uint32_t value);
  ByteWriter& bytes(std::span<const std::uint8_t> data);
  ByteWriter& string(const std::string& text);  // with its 0 terminator
  ByteWriter& colour(const Colour& colour, bool withAlpha);

  ByteWriter& ub(std::uint32_t value, unsigned bits);
  ByteWriter& sb(std::int32_t value, unsigned bits);
  ByteWriter& align();

  ByteWriter& rect(const TwipsRect& rect);
  ByteWriter& matrix(const Matrix& matrix);
  ByteWriter& colorTransform(const ColorTransform& transform);  // with alpha terms

  const std::vector<std::uint8_t>& data() const { return data_; }
  std::size_t size() const { return data_.size(); }

 private:
  std::vector<std::uint8_t> data_;
  unsigned bitsUsed_ = 0;  // in the last byte; 0 when aligned
};

// Bits an SB field needs to hold every value (0 when all are 0).
unsigned signedBits(std::initializer_list<std::int32_t> values);

// A tag stream: the root movie's or a sprite's. Nothing is added implicitly,
// so a stream without end() really has no End tag.
class TagStream {
 public:
  // A record with its body; the header is long when forceLong or the body
  // needs it.
  TagStream& tag(std::uint16_t code, std::span<const std::uint8_t> body = {},
                 bool forceLong = false);
  TagStream& tag(std::uint16_t code, const ByteWriter& body, bool forceLong = false);
  // Just a record header claiming a body length (for broken streams).
  TagStream& tagHeader(std::uint16_t code, std::uint32_t length, bool forceLong = false);
  TagStream& rawBytes(std::span<const std::uint8_t> data);

  TagStream& end();
  TagStream& showFrame();
  TagStream& frameLabel(const std::string& name, bool anchor = false);
  TagStream& backgroundColor(const Colour& colour);
  TagStream& fileAttributes(bool actionScript3, bool useNetwork = false);
  // frameCount defaults to the sprite stream's ShowFrame count.
  TagStream& defineSprite(std::uint16_t id, const TagStream& sprite,
                          std::optional<std::uint16_t> frameCount = std::nullopt);
  // DefineShape with RGB fills, or DefineShape3 when a colour is translucent.
  TagStream& defineShape(std::uint16_t id, const std::vector<Polygon>& polygons);
  TagStream& defineRectangle(std::uint16_t id, const TwipsRect& rect, const Colour& colour);
  TagStream& placeObject(const Placement& placement);  // PlaceObject2
  TagStream& removeObject(std::uint16_t depth);        // RemoveObject2

  const std::vector<std::uint8_t>& data() const { return data_; }
  std::size_t size() const { return data_.size(); }
  std::uint16_t showFrameCount() const { return showFrames_; }

 private:
  std::vector<std::uint8_t> data_;
  std::uint16_t showFrames_ = 0;
};

enum class Compression { None, Zlib, Lzma };

struct MovieOptions {
  std::uint8_t version = 10;
  TwipsRect stage{0, 11000, 0, 8000};
  double frameRate = 24;
  std::optional<std::uint16_t> frameCount;  // default: the stream's ShowFrame count
  Compression compression = Compression::None;
  bool lzmaEndMarker = true;                    // Flash writes LZMA with or without one
  std::optional<std::uint32_t> declaredLength;  // default: the true uncompressed length
};

// Offset of the first tag record in the uncompressed movie.
std::size_t tagStreamOffset(const MovieOptions& options);

std::vector<std::uint8_t> buildMovie(const MovieOptions& options, const TagStream& tags);

}  // namespace quelvo::swftest
