#pragma once

// Builds SWF files in code, so each test states what its movie holds. Also
// used by the sample-movie generator, hence no test framework (and no Qt) in here.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <utility>
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
  std::optional<std::uint16_t> clipDepth;
  bool move = false;  // set when changing or replacing an object at depth
  // Any of these makes the record a PlaceObject3.
  std::optional<std::string> className;
  std::optional<std::vector<std::uint8_t>> filterList;  // a whole FILTERLIST, count included
  std::optional<std::uint8_t> blendMode;
  std::optional<bool> cacheAsBitmap;
  std::optional<bool> visible;
  std::vector<std::uint8_t> clipActions;  // written as they are, flag set when not empty

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
  ByteWriter& colorTransform(const ColorTransform& transform, bool withAlpha = true);

  const std::vector<std::uint8_t>& data() const { return data_; }
  std::size_t size() const { return data_.size(); }

 private:
  std::vector<std::uint8_t> data_;
  unsigned bitsUsed_ = 0;  // in the last byte; 0 when aligned
};

// Bits an SB field needs to hold every value (0 when all are 0).
unsigned signedBits(std::initializer_list<std::int32_t> values);

enum class FillKind : std::uint8_t {
  Solid = 0x00,
  LinearGradient = 0x10,
  RadialGradient = 0x12,
  FocalGradient = 0x13,
  RepeatingBitmap = 0x40,
  ClippedBitmap = 0x41,
  RepeatingSharpBitmap = 0x42,
  ClippedSharpBitmap = 0x43,
};

struct FillStyle {
  FillKind kind = FillKind::Solid;
  Colour colour;
  Matrix matrix;  // gradients and bitmaps
  std::vector<std::pair<std::uint8_t, Colour>> stops;
  std::uint8_t spread = 0;         // 0 pad, 1 reflect, 2 repeat
  std::uint8_t interpolation = 0;  // 0 normal, 1 linear RGB
  double focalPoint = 0;
  std::uint16_t bitmapId = 0;

  static FillStyle solid(const Colour& colour);
  static FillStyle linear(std::vector<std::pair<std::uint8_t, Colour>> stops,
                          const Matrix& matrix = {});
};

// LINESTYLE before DefineShape4; the cap, join and flag fields count from 4 on.
struct LineStyle {
  std::uint16_t width = 20;
  Colour colour;
  std::uint8_t startCap = 0;  // 0 round, 1 none, 2 square
  std::uint8_t join = 0;      // 0 round, 1 bevel, 2 miter
  std::uint8_t endCap = 0;
  double miterLimit = 3;
  bool noHorizontalScale = false;
  bool noVerticalScale = false;
  bool pixelHinting = false;
  bool noClose = false;
  std::optional<FillStyle> fill;

  static LineStyle solid(std::uint16_t width, const Colour& colour);
};

// Builds a DefineShape body record by record: style changes select styles
// (1-based, 0 for none) and move the pen; edges go to absolute points.
// Style bit widths follow from each style array unless forced.
class ShapeBuilder {
 public:
  explicit ShapeBuilder(int version = 3);  // DefineShape, 2, 3 or 4

  ShapeBuilder& styles(std::vector<FillStyle> fills, std::vector<LineStyle> lines = {});
  ShapeBuilder& bounds(const TwipsRect& bounds);
  ShapeBuilder& windingFill(bool winding = true);
  // Declares wider style numbers than the first arrays need (to write
  // numbers past their ends).
  ShapeBuilder& styleBits(unsigned fillBits, unsigned lineBits);

  ShapeBuilder& moveTo(Point to);
  ShapeBuilder& select(std::optional<std::uint32_t> fill0, std::optional<std::uint32_t> fill1,
                       std::optional<std::uint32_t> line = std::nullopt,
                       std::optional<Point> moveTo = std::nullopt);
  // A style change bringing new style arrays (a new layer).
  ShapeBuilder& newStyles(std::vector<FillStyle> fills, std::vector<LineStyle> lines,
                          std::optional<std::uint32_t> fill0, std::optional<std::uint32_t> fill1,
                          std::optional<std::uint32_t> line = std::nullopt,
                          std::optional<Point> moveTo = std::nullopt);
  ShapeBuilder& lineTo(Point to);
  ShapeBuilder& curveTo(Point control, Point anchor);
  // A closed polygon: move to the first point, then lines around and back.
  ShapeBuilder& polygon(const std::vector<Point>& points);
  // Leaves out the end-of-shape record.
  ShapeBuilder& withoutEnd();

  std::uint16_t tagCode() const;
  std::vector<std::uint8_t> body(std::uint16_t id) const;
  // The records alone, after their style bit widths, up to the byte boundary
  // (a SHAPE, as glyphs and morph shapes store them).
  void writeRecords(ByteWriter& out, unsigned fillBits, unsigned lineBits) const;
  // The records as a font glyph: no style arrays, fill style 1 the glyph's.
  std::vector<std::uint8_t> glyph() const;

 private:
  void writeStyles(ByteWriter& out, const std::vector<FillStyle>& fills,
                   const std::vector<LineStyle>& lines, unsigned& fillBits, unsigned& lineBits,
                   std::optional<std::pair<unsigned, unsigned>> declaredBits) const;
  void writeFill(ByteWriter& out, const FillStyle& fill) const;

  struct Record {
    enum Kind { StyleChange, Line, Curve } kind = StyleChange;
    std::optional<std::uint32_t> fill0, fill1, line;
    std::optional<Point> moveTo;
    bool newStyles = false;
    std::vector<FillStyle> fills;
    std::vector<LineStyle> lines;
    Point control, to;
  };

  int version_;
  TwipsRect bounds_{0, 2000, 0, 2000};
  bool winding_ = false;
  bool end_ = true;
  std::vector<FillStyle> fills_;
  std::vector<LineStyle> lines_;
  std::vector<Record> records_;
  std::optional<std::pair<unsigned, unsigned>> declaredBits_;
};

// A fill at the start and at the end of a morph. Gradient stops pair up.
struct MorphFillStyle {
  FillStyle start;
  FillStyle end;

  static MorphFillStyle solid(const Colour& start, const Colour& end);
};

// A line at the start and end of a morph; the end's width and colour (or
// fill) count, the rest comes from the start.
struct MorphLineStyle {
  LineStyle start;
  LineStyle end;
};

// Builds a DefineMorphShape (version 1) or DefineMorphShape2 body: styles,
// then start edges and end edges drawn with ShapeBuilders (whose own style
// arrays are ignored; the end edges' style selections are not written).
class MorphShapeBuilder {
 public:
  explicit MorphShapeBuilder(int version = 1);

  MorphShapeBuilder& styles(std::vector<MorphFillStyle> fills,
                            std::vector<MorphLineStyle> lines = {});
  MorphShapeBuilder& bounds(const TwipsRect& start, const TwipsRect& end);
  // Writes this offset to the end edges instead of the true one.
  MorphShapeBuilder& endEdgesOffset(std::uint32_t offset);
  ShapeBuilder& start() { return start_; }
  ShapeBuilder& end() { return end_; }

  std::uint16_t tagCode() const;
  std::vector<std::uint8_t> body(std::uint16_t id) const;

 private:
  void writeFill(ByteWriter& out, const MorphFillStyle& fill) const;

  int version_;
  TwipsRect startBounds_{0, 2000, 0, 2000};
  TwipsRect endBounds_{0, 2000, 0, 2000};
  std::optional<std::uint32_t> offset_;
  std::vector<MorphFillStyle> fills_;
  std::vector<MorphLineStyle> lines_;
  ShapeBuilder start_;
  ShapeBuilder end_;
};
// One character of a button (a BUTTONRECORD). states: up 1, over 2, down
// 4, hit area 8. The colour transform, filters and blend mode are written
// by DefineButton2 only.
struct ButtonPart {
  std::uint8_t states = 0x0f;
  std::uint16_t character = 0;
  std::uint16_t depth = 1;
  Matrix matrix;
  ColorTransform colorTransform;
  std::optional<std::vector<std::uint8_t>> filterList;  // a whole FILTERLIST
  std::optional<std::uint8_t> blendMode;
};

// A DefineButton2 action list with the transitions (condition bits 0-8) and
// key that run it.
struct ButtonActions {
  std::uint16_t conditions = 0;
  std::uint8_t keyCode = 0;
  std::vector<std::uint8_t> actions;  // written as they are
};

// Bodies of DefineButton (one action list, run on release) and DefineButton2.
std::vector<std::uint8_t> buttonBody(std::uint16_t id, const std::vector<ButtonPart>& parts,
                                     const std::vector<std::uint8_t>& actions);
std::vector<std::uint8_t> button2Body(std::uint16_t id, const std::vector<ButtonPart>& parts,
                                      const std::vector<ButtonActions>& actions,
                                      bool trackAsMenu = false);
// A glyph of an embedded font: its outline as records (font units, y up is
// negative, origin on the baseline) with its character code and advance.
struct Glyph {
  std::uint16_t code = 0;
  ShapeBuilder shape;
  std::int16_t advance = 0;

  // A filled polygon (clockwise on screen).
  static Glyph polygon(std::uint16_t code, const std::vector<Point>& points, std::int16_t advance);
};

struct KerningRecord {
  std::uint16_t left = 0;
  std::uint16_t right = 0;
  std::int16_t adjustment = 0;
};

// DefineFont2 / DefineFont3 contents, also what DefineFontInfo adds to a DefineFont.
struct FontSpec {
  std::string name;  // written as given (bytes)
  bool bold = false;
  bool italic = false;
  bool wideCodes = true;
  bool wideOffsets = false;
  bool layout = true;
  std::int16_t ascent = 800;
  std::int16_t descent = 200;
  std::int16_t leading = 0;
  std::vector<Glyph> glyphs;
  std::vector<KerningRecord> kerning;
  std::optional<std::uint16_t> glyphCount;  // default: the glyphs' count (for bogus counts)
};

struct TextGlyph {
  std::uint32_t index = 0;
  std::int32_t advance = 0;  // twips
};

struct TextRecordSpec {
  std::optional<std::uint16_t> font;
  std::optional<Colour> colour;
  std::optional<std::int16_t> x;
  std::optional<std::int16_t> y;
  std::uint16_t height = 0;  // written with the font
  std::vector<TextGlyph> glyphs;
};

struct EditTextSpec {
  TwipsRect bounds{0, 2000, 0, 400};
  bool wordWrap = false;
  bool multiline = false;
  bool password = false;
  bool readOnly = true;
  bool autoSize = false;
  bool border = false;
  bool html = false;
  bool useOutlines = false;
  std::optional<std::uint16_t> font;
  std::uint16_t height = 240;
  std::optional<Colour> colour;
  std::optional<std::uint16_t> maxLength;
  std::optional<std::uint8_t> align;  // with margins 0: 0 left, 1 right, 2 center, 3 justify
  std::string variableName;
  std::optional<std::string> text;
};

// How sound data is stored: codec (0 PCM, 1 ADPCM, 2 MP3, 3 PCM little-endian,
// 6 Nellymoser, 11 Speex), rate code (0 5.5 kHz ... 3 44 kHz), sample size, channels.
struct SoundFormatSpec {
  std::uint8_t codec = 3;
  std::uint8_t rateCode = 3;
  bool sixteenBit = true;
  bool stereo = false;
};

struct EnvelopePointSpec {
  std::uint32_t position = 0;  // 44.1 kHz samples
  std::uint16_t left = 32768;
  std::uint16_t right = 32768;
};

// A SOUNDINFO record; fields left empty are not written.
struct SoundInfoSpec {
  bool syncStop = false;
  bool syncNoMultiple = false;
  std::optional<std::uint32_t> inPoint;
  std::optional<std::uint32_t> outPoint;
  std::optional<std::uint16_t> loops;
  std::vector<EnvelopePointSpec> envelope;
};

struct ButtonSoundSpec {
  std::uint16_t sound = 0;  // 0: none
  SoundInfoSpec info;
};

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
  TagStream& defineShape(std::uint16_t id, const ShapeBuilder& shape);
  TagStream& defineMorphShape(std::uint16_t id, const MorphShapeBuilder& shape);
  // PlaceObject2, or PlaceObject3 when the placement uses its fields.
  TagStream& placeObject(const Placement& placement);
  TagStream& placeObject1(std::uint16_t character, std::uint16_t depth, const Matrix& matrix,
                          std::optional<ColorTransform> colorTransform = std::nullopt);
  TagStream& defineButton(std::uint16_t id, const std::vector<ButtonPart>& parts,
                          const std::vector<std::uint8_t>& actions = {});
  TagStream& defineButton2(std::uint16_t id, const std::vector<ButtonPart>& parts,
                           const std::vector<ButtonActions>& actions = {},
                           bool trackAsMenu = false);
  TagStream& defineButtonCxform(std::uint16_t id, const ColorTransform& transform);
  TagStream& removeObject(std::uint16_t depth);  // RemoveObject2
  TagStream& removeObject1(std::uint16_t character, std::uint16_t depth);
  // DefineFont with the glyph shapes only; DefineFontInfo (or 2) adds the rest.
  TagStream& defineFont(std::uint16_t id, const std::vector<Glyph>& glyphs);
  TagStream& defineFontInfo(std::uint16_t id, const FontSpec& font, bool version2 = false);
  // DefineFont2, or DefineFont3 when version is 3.
  TagStream& defineFont2(std::uint16_t id, const FontSpec& font, int version = 2);
  // DefineText, or DefineText2 when withAlpha.
  TagStream& defineText(std::uint16_t id, const TwipsRect& bounds, const Matrix& matrix,
                        const std::vector<TextRecordSpec>& records, bool withAlpha = false);
  TagStream& defineEditText(std::uint16_t id, const EditTextSpec& text);
  // DoAction with these action bytes (End included by the caller).
  TagStream& doAction(std::span<const std::uint8_t> actions);
  // DefineSound; sampleCount is per channel. MP3 data gets a SeekSamples field of 0.
  TagStream& defineSound(std::uint16_t id, const SoundFormatSpec& format, std::uint32_t sampleCount,
                         std::span<const std::uint8_t> data);
  TagStream& startSound(std::uint16_t id, const SoundInfoSpec& info = {});
  // StartSound2, naming the sound by its class.
  TagStream& startSound2(const std::string& className, const SoundInfoSpec& info = {});
  // SoundStreamHead2 (the playback format copies the stream format).
  TagStream& soundStreamHead(const SoundFormatSpec& format, std::uint16_t samplesPerBlock);
  // SoundStreamBlock; MP3 blocks need their sampleCount and seek fields in data.
  TagStream& soundStreamBlock(std::span<const std::uint8_t> data);
  // DefineButtonSound: over-up to idle, idle to over-up, over-up to over-down, over-down to up.
  TagStream& defineButtonSound(std::uint16_t button, const std::array<ButtonSoundSpec, 4>& sounds);
  // SymbolClass of one character.
  TagStream& symbolClass(std::uint16_t character, const std::string& name);
  // ExportAssets of one character under name.
  TagStream& exportAsset(std::uint16_t character, const std::string& name);

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

// Sound data of 16-bit samples, little-endian, as uncompressed sound tags carry it.
inline std::vector<std::uint8_t> pcm16(std::span<const std::int16_t> samples) {
  std::vector<std::uint8_t> bytes;
  bytes.reserve(samples.size() * 2);
  for (const std::int16_t s : samples) {
    bytes.push_back(std::uint8_t(std::uint16_t(s) & 0xff));
    bytes.push_back(std::uint8_t(std::uint16_t(s) >> 8));
  }
  return bytes;
}

}  // namespace quelvo::swftest
