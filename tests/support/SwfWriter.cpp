#include "SwfWriter.h"

#include <lzma.h>
#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <tuple>

namespace quelvo::swftest {

namespace {

constexpr std::uint16_t kEnd = 0;
constexpr std::uint16_t kShowFrame = 1;
constexpr std::uint16_t kDefineShape = 2;
constexpr std::uint16_t kSetBackgroundColor = 9;
constexpr std::uint16_t kPlaceObject = 4;
constexpr std::uint16_t kRemoveObject = 5;
constexpr std::uint16_t kDefineShape2 = 22;
constexpr std::uint16_t kDefineShape4 = 83;
constexpr std::uint16_t kDefineMorphShape = 46;
constexpr std::uint16_t kDefineMorphShape2 = 84;
constexpr std::uint16_t kPlaceObject3 = 70;
constexpr std::uint16_t kPlaceObject2 = 26;
constexpr std::uint16_t kRemoveObject2 = 28;
constexpr std::uint16_t kDefineShape3 = 32;
constexpr std::uint16_t kDefineSprite = 39;
constexpr std::uint16_t kFrameLabel = 43;
constexpr std::uint16_t kFileAttributes = 69;
constexpr std::uint16_t kDefineButton = 7;
constexpr std::uint16_t kDefineButtonCxform = 23;
constexpr std::uint16_t kDefineButton2 = 34;
constexpr std::uint16_t kDefineFont = 10;
constexpr std::uint16_t kDefineText = 11;
constexpr std::uint16_t kDefineFontInfo = 13;
constexpr std::uint16_t kDefineText2 = 33;
constexpr std::uint16_t kDefineEditText = 37;
constexpr std::uint16_t kDefineFont2 = 48;
constexpr std::uint16_t kDefineFontInfo2 = 62;
constexpr std::uint16_t kDefineFont3 = 75;
constexpr std::uint16_t kDoAction = 12;
constexpr std::uint16_t kExportAssets = 56;
constexpr std::uint16_t kDefineSound = 14;
constexpr std::uint16_t kStartSound = 15;
constexpr std::uint16_t kDefineButtonSound = 17;
constexpr std::uint16_t kSoundStreamBlock = 19;
constexpr std::uint16_t kSoundStreamHead2 = 45;
constexpr std::uint16_t kSymbolClass = 76;
constexpr std::uint16_t kStartSound2 = 89;
constexpr std::uint8_t kMp3 = 2;

constexpr std::uint32_t kLongLength = 0x3F;

std::int32_t toFixed16(double value) {
  return static_cast<std::int32_t>(std::lround(value * 65536));
}

std::vector<std::uint8_t> deflate(const std::vector<std::uint8_t>& body) {
  uLongf size = compressBound(body.size());
  std::vector<std::uint8_t> out(size);
  if (compress2(out.data(), &size, body.data(), body.size(), Z_BEST_COMPRESSION) != Z_OK) {
    throw std::runtime_error("zlib compression failed");
  }
  out.resize(size);
  return out;
}

// Raw LZMA stream plus its 5 property bytes, as ZWS stores them.
std::pair<std::array<std::uint8_t, 5>, std::vector<std::uint8_t>> lzmaCompress(
    const std::vector<std::uint8_t>& body, bool endMarker) {
  lzma_options_lzma options;
  lzma_lzma_preset(&options, 6);
  options.dict_size = 1 << 16;
  options.ext_flags = endMarker ? LZMA_LZMA1EXT_ALLOW_EOPM : 0;
  options.ext_size_low = UINT32_MAX;
  options.ext_size_high = UINT32_MAX;
  const lzma_filter filters[2] = {{LZMA_FILTER_LZMA1EXT, &options}, {LZMA_VLI_UNKNOWN, nullptr}};

  std::array<std::uint8_t, 5> properties{};
  const lzma_filter plain{LZMA_FILTER_LZMA1, &options};
  lzma_stream stream = LZMA_STREAM_INIT;
  if (lzma_properties_encode(&plain, properties.data()) != LZMA_OK ||
      lzma_raw_encoder(&stream, filters) != LZMA_OK) {
    throw std::runtime_error("LZMA encoder setup failed");
  }
  std::vector<std::uint8_t> out(body.size() + body.size() / 2 + 1024);
  stream.next_in = body.data();
  stream.avail_in = body.size();
  stream.next_out = out.data();
  stream.avail_out = out.size();
  const lzma_ret result = lzma_code(&stream, LZMA_FINISH);
  out.resize(out.size() - stream.avail_out);
  lzma_end(&stream);
  if (result != LZMA_STREAM_END) throw std::runtime_error("LZMA compression failed");
  return {properties, out};
}

std::uint16_t encodedFrameRate(double rate) {
  return static_cast<std::uint16_t>(std::clamp(std::lround(rate * 256), 0L, 65535L));
}

TwipsRect boundsOf(const std::vector<Polygon>& polygons) {
  TwipsRect bounds{INT32_MAX, INT32_MIN, INT32_MAX, INT32_MIN};
  for (const auto& polygon : polygons) {
    for (const auto& point : polygon.points) {
      bounds.xMin = std::min(bounds.xMin, point.x);
      bounds.xMax = std::max(bounds.xMax, point.x);
      bounds.yMin = std::min(bounds.yMin, point.y);
      bounds.yMax = std::max(bounds.yMax, point.y);
    }
  }
  return bounds.xMin > bounds.xMax ? TwipsRect{} : bounds;
}

unsigned unsignedBits(std::uint32_t value) {
  unsigned bits = 0;
  while (value >> bits) ++bits;
  return bits;
}

// Style change to the polygon's first point with its fill on the right, then
// one straight edge per side, closing back to the start.
void writePolygon(ByteWriter& shape, const Polygon& polygon, std::uint32_t fillIndex,
                  unsigned fillBits) {
  const Point start = polygon.points.front();
  const unsigned moveBits = signedBits({start.x, start.y});
  shape.ub(0b000101, 6).ub(moveBits, 5).sb(start.x, moveBits).sb(start.y, moveBits);
  shape.ub(fillIndex, fillBits);
  for (std::size_t i = 0; i < polygon.points.size(); ++i) {
    const Point from = polygon.points[i];
    const Point to = polygon.points[(i + 1) % polygon.points.size()];
    const std::int32_t dx = to.x - from.x;
    const std::int32_t dy = to.y - from.y;
    const unsigned bits = std::max(2u, signedBits({dx, dy}));
    if (bits > 17) throw std::invalid_argument("polygon edge too long for one record");
    shape.ub(0b11, 2).ub(bits - 2, 4).ub(1, 1).sb(dx, bits).sb(dy, bits);
  }
}

}  // namespace

Matrix Matrix::translate(std::int32_t x, std::int32_t y) {
  Matrix matrix;
  matrix.translateX = x;
  matrix.translateY = y;
  return matrix;
}

Placement Placement::place(std::uint16_t depth, std::uint16_t character,
                           std::optional<Matrix> matrix) {
  Placement placement;
  placement.depth = depth;
  placement.character = character;
  placement.matrix = matrix;
  return placement;
}

Placement Placement::moveTo(std::uint16_t depth, const Matrix& matrix) {
  Placement placement;
  placement.depth = depth;
  placement.matrix = matrix;
  placement.move = true;
  return placement;
}

unsigned signedBits(std::initializer_list<std::int32_t> values) {
  unsigned bits = 0;
  for (const std::int32_t value : values) {
    if (value == 0) continue;
    const auto magnitude = static_cast<std::uint32_t>(value < 0 ? ~value : value);
    bits = std::max(bits, unsignedBits(magnitude) + 1);
  }
  return bits;
}

ByteWriter& ByteWriter::u8(std::uint8_t value) {
  align();
  data_.push_back(value);
  return *this;
}

ByteWriter& ByteWriter::u16(std::uint16_t value) { return u8(value & 0xFF).u8(value >> 8); }

ByteWriter& ByteWriter::u32(std::uint32_t value) {
  return u16(static_cast<std::uint16_t>(value)).u16(static_cast<std::uint16_t>(value >> 16));
}

ByteWriter& ByteWriter::bytes(std::span<const std::uint8_t> data) {
  align();
  data_.insert(data_.end(), data.begin(), data.end());
  return *this;
}

ByteWriter& ByteWriter::string(const std::string& text) {
  bytes(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
  return u8(0);
}

ByteWriter& ByteWriter::colour(const Colour& colour, bool withAlpha) {
  u8(colour.red).u8(colour.green).u8(colour.blue);
  return withAlpha ? u8(colour.alpha) : *this;
}

ByteWriter& ByteWriter::ub(std::uint32_t value, unsigned bits) {
  for (unsigned i = bits; i > 0; --i) {
    if (bitsUsed_ == 0) data_.push_back(0);
    const unsigned bit = (value >> (i - 1)) & 1u;
    data_.back() |= static_cast<std::uint8_t>(bit << (7 - bitsUsed_));
    bitsUsed_ = (bitsUsed_ + 1) % 8;
  }
  return *this;
}

ByteWriter& ByteWriter::sb(std::int32_t value, unsigned bits) {
  return ub(static_cast<std::uint32_t>(value), bits);
}

ByteWriter& ByteWriter::align() {
  bitsUsed_ = 0;
  return *this;
}

ByteWriter& ByteWriter::rect(const TwipsRect& rect) {
  const unsigned bits = signedBits({rect.xMin, rect.xMax, rect.yMin, rect.yMax});
  ub(bits, 5).sb(rect.xMin, bits).sb(rect.xMax, bits).sb(rect.yMin, bits).sb(rect.yMax, bits);
  return align();
}

ByteWriter& ByteWriter::matrix(const Matrix& matrix) {
  const bool hasScale = matrix.scaleX != 1 || matrix.scaleY != 1;
  ub(hasScale, 1);
  if (hasScale) {
    const std::int32_t x = toFixed16(matrix.scaleX), y = toFixed16(matrix.scaleY);
    const unsigned bits = signedBits({x, y});
    ub(bits, 5).sb(x, bits).sb(y, bits);
  }
  const bool hasRotate = matrix.rotateSkew0 != 0 || matrix.rotateSkew1 != 0;
  ub(hasRotate, 1);
  if (hasRotate) {
    const std::int32_t r0 = toFixed16(matrix.rotateSkew0), r1 = toFixed16(matrix.rotateSkew1);
    const unsigned bits = signedBits({r0, r1});
    ub(bits, 5).sb(r0, bits).sb(r1, bits);
  }
  const unsigned bits = signedBits({matrix.translateX, matrix.translateY});
  ub(bits, 5).sb(matrix.translateX, bits).sb(matrix.translateY, bits);
  return align();
}

ByteWriter& ByteWriter::colorTransform(const ColorTransform& transform, bool withAlpha) {
  const auto& m = transform.multiply;
  const auto& a = transform.add;
  const std::size_t channels = withAlpha ? 4 : 3;
  const bool hasAdd = std::any_of(a.begin(), a.end(), [](std::int16_t v) { return v != 0; });
  const bool hasMultiply = std::any_of(m.begin(), m.end(), [](std::int16_t v) { return v != 256; });
  unsigned bits = 0;
  if (hasMultiply) bits = std::max(bits, signedBits({m[0], m[1], m[2], m[3]}));
  if (hasAdd) bits = std::max(bits, signedBits({a[0], a[1], a[2], a[3]}));
  if (bits > 15) throw std::invalid_argument("colour transform term too large");
  ub(hasAdd, 1).ub(hasMultiply, 1).ub(bits, 4);
  if (hasMultiply) {
    for (std::size_t i = 0; i < channels; ++i) sb(m[i], bits);
  }
  if (hasAdd) {
    for (std::size_t i = 0; i < channels; ++i) sb(a[i], bits);
  }
  return align();
}

TagStream& TagStream::tagHeader(std::uint16_t code, std::uint32_t length, bool forceLong) {
  ByteWriter header;
  if (length < kLongLength && !forceLong) {
    header.u16(static_cast<std::uint16_t>(code << 6 | length));
  } else {
    header.u16(static_cast<std::uint16_t>(code << 6 | kLongLength)).u32(length);
  }
  return rawBytes(header.data());
}

TagStream& TagStream::tag(std::uint16_t code, std::span<const std::uint8_t> body, bool forceLong) {
  tagHeader(code, static_cast<std::uint32_t>(body.size()), forceLong);
  return rawBytes(body);
}

TagStream& TagStream::tag(std::uint16_t code, const ByteWriter& body, bool forceLong) {
  return tag(code, body.data(), forceLong);
}

TagStream& TagStream::rawBytes(std::span<const std::uint8_t> data) {
  data_.insert(data_.end(), data.begin(), data.end());
  return *this;
}

TagStream& TagStream::end() { return tag(kEnd); }

TagStream& TagStream::showFrame() {
  ++showFrames_;
  return tag(kShowFrame);
}

TagStream& TagStream::frameLabel(const std::string& name, bool anchor) {
  ByteWriter body;
  body.string(name);
  if (anchor) body.u8(1);
  return tag(kFrameLabel, body);
}

TagStream& TagStream::backgroundColor(const Colour& colour) {
  return tag(kSetBackgroundColor, ByteWriter().colour(colour, false));
}

TagStream& TagStream::fileAttributes(bool actionScript3, bool useNetwork) {
  const std::uint32_t flags = (actionScript3 ? 0x08u : 0u) | (useNetwork ? 0x01u : 0u);
  return tag(kFileAttributes, ByteWriter().u32(flags));
}

TagStream& TagStream::defineSprite(std::uint16_t id, const TagStream& sprite,
                                   std::optional<std::uint16_t> frameCount) {
  ByteWriter body;
  body.u16(id).u16(frameCount.value_or(sprite.showFrameCount())).bytes(sprite.data());
  return tag(kDefineSprite, body);
}

TagStream& TagStream::defineShape(std::uint16_t id, const std::vector<Polygon>& polygons) {
  if (polygons.size() > 254) throw std::invalid_argument("more fills than one byte counts");
  const bool withAlpha = std::any_of(polygons.begin(), polygons.end(),
                                     [](const Polygon& p) { return p.colour.alpha != 255; });
  ByteWriter body;
  body.u16(id).rect(boundsOf(polygons));
  body.u8(static_cast<std::uint8_t>(polygons.size()));
  for (const auto& polygon : polygons) body.u8(0x00).colour(polygon.colour, withAlpha);
  body.u8(0);  // no line styles
  const unsigned fillBits = unsignedBits(static_cast<std::uint32_t>(polygons.size()));
  body.ub(fillBits, 4).ub(0, 4);
  for (std::size_t i = 0; i < polygons.size(); ++i) {
    if (polygons[i].points.size() < 2) continue;
    writePolygon(body, polygons[i], static_cast<std::uint32_t>(i + 1), fillBits);
  }
  body.ub(0, 6).align();  // end of shape
  return tag(withAlpha ? kDefineShape3 : kDefineShape, body);
}

TagStream& TagStream::defineRectangle(std::uint16_t id, const TwipsRect& rect,
                                      const Colour& colour) {
  return defineShape(id, {Polygon{colour,
                                  {{rect.xMin, rect.yMin},
                                   {rect.xMax, rect.yMin},
                                   {rect.xMax, rect.yMax},
                                   {rect.xMin, rect.yMax}}}});
}

TagStream& TagStream::placeObject(const Placement& placement) {
  const bool version3 = placement.className || placement.filterList || placement.blendMode ||
                        placement.cacheAsBitmap || placement.visible;
  ByteWriter body;
  body.ub(!placement.clipActions.empty(), 1)
      .ub(placement.clipDepth.has_value(), 1)
      .ub(placement.name.has_value(), 1)
      .ub(placement.ratio.has_value(), 1)
      .ub(placement.colorTransform.has_value(), 1)
      .ub(placement.matrix.has_value(), 1)
      .ub(placement.character.has_value(), 1)
      .ub(placement.move, 1);
  if (version3) {
    body.ub(0, 2)  // reserved, no opaque background
        .ub(placement.visible.has_value(), 1)
        .ub(0, 1)  // no image
        .ub(placement.className.has_value(), 1)
        .ub(placement.cacheAsBitmap.has_value(), 1)
        .ub(placement.blendMode.has_value(), 1)
        .ub(placement.filterList.has_value(), 1);
  }
  body.u16(placement.depth);
  if (placement.className) body.string(*placement.className);
  if (placement.character) body.u16(*placement.character);
  if (placement.matrix) body.matrix(*placement.matrix);
  if (placement.colorTransform) body.colorTransform(*placement.colorTransform);
  if (placement.ratio) body.u16(*placement.ratio);
  if (placement.name) body.string(*placement.name);
  if (placement.clipDepth) body.u16(*placement.clipDepth);
  if (placement.filterList) body.bytes(*placement.filterList);
  if (placement.blendMode) body.u8(*placement.blendMode);
  if (placement.cacheAsBitmap) body.u8(*placement.cacheAsBitmap ? 1 : 0);
  if (placement.visible) body.u8(*placement.visible ? 1 : 0);
  body.bytes(placement.clipActions);
  return tag(version3 ? kPlaceObject3 : kPlaceObject2, body);
}

TagStream& TagStream::doAction(std::span<const std::uint8_t> actions) {
  return tag(kDoAction, actions);
}

namespace {

void soundFormat(ByteWriter& body, const SoundFormatSpec& format) {
  body.ub(format.codec, 4).ub(format.rateCode, 2).ub(format.sixteenBit, 1).ub(format.stereo, 1);
}

void soundInfo(ByteWriter& body, const SoundInfoSpec& info) {
  body.ub(0, 2).ub(info.syncStop, 1).ub(info.syncNoMultiple, 1);
  body.ub(!info.envelope.empty(), 1).ub(info.loops.has_value(), 1);
  body.ub(info.outPoint.has_value(), 1).ub(info.inPoint.has_value(), 1);
  if (info.inPoint) body.u32(*info.inPoint);
  if (info.outPoint) body.u32(*info.outPoint);
  if (info.loops) body.u16(*info.loops);
  if (info.envelope.empty()) return;
  body.u8(static_cast<std::uint8_t>(info.envelope.size()));
  for (const auto& point : info.envelope) body.u32(point.position).u16(point.left).u16(point.right);
}

}  // namespace

TagStream& TagStream::defineSound(std::uint16_t id, const SoundFormatSpec& format,
                                  std::uint32_t sampleCount, std::span<const std::uint8_t> data) {
  ByteWriter body;
  body.u16(id);
  soundFormat(body, format);
  body.u32(sampleCount);
  if (format.codec == kMp3) body.u16(0);
  return tag(kDefineSound, body.bytes(data), true);
}

TagStream& TagStream::startSound(std::uint16_t id, const SoundInfoSpec& info) {
  ByteWriter body;
  body.u16(id);
  soundInfo(body, info);
  return tag(kStartSound, body);
}

TagStream& TagStream::startSound2(const std::string& className, const SoundInfoSpec& info) {
  ByteWriter body;
  body.string(className);
  soundInfo(body, info);
  return tag(kStartSound2, body);
}

TagStream& TagStream::soundStreamHead(const SoundFormatSpec& format,
                                      std::uint16_t samplesPerBlock) {
  ByteWriter body;
  soundFormat(body, format);
  soundFormat(body, format);
  body.u16(samplesPerBlock);
  if (format.codec == kMp3) body.u16(0);
  return tag(kSoundStreamHead2, body);
}

TagStream& TagStream::soundStreamBlock(std::span<const std::uint8_t> data) {
  return tag(kSoundStreamBlock, data, true);
}

TagStream& TagStream::defineButtonSound(std::uint16_t button,
                                        const std::array<ButtonSoundSpec, 4>& sounds) {
  ByteWriter body;
  body.u16(button);
  for (const auto& sound : sounds) {
    body.u16(sound.sound);
    if (sound.sound != 0) soundInfo(body, sound.info);
  }
  return tag(kDefineButtonSound, body);
}

TagStream& TagStream::symbolClass(std::uint16_t character, const std::string& name) {
  ByteWriter body;
  body.u16(1).u16(character).string(name);
  return tag(kSymbolClass, body);
}

TagStream& TagStream::exportAsset(std::uint16_t character, const std::string& name) {
  ByteWriter body;
  body.u16(1).u16(character).string(name);
  return tag(kExportAssets, body);
}

TagStream& TagStream::placeObject1(std::uint16_t character, std::uint16_t depth,
                                   const Matrix& matrix,
                                   std::optional<ColorTransform> colorTransform) {
  ByteWriter body;
  body.u16(character).u16(depth).matrix(matrix);
  if (colorTransform) body.colorTransform(*colorTransform, false);
  return tag(kPlaceObject, body);
}

namespace {

void writeButtonParts(ByteWriter& out, const std::vector<ButtonPart>& parts, bool version2) {
  for (const ButtonPart& part : parts) {
    out.ub(0, 2)
        .ub(version2 && part.blendMode.has_value(), 1)
        .ub(version2 && part.filterList.has_value(), 1)
        .ub(part.states, 4);
    out.u16(part.character).u16(part.depth).matrix(part.matrix);
    if (!version2) continue;
    out.colorTransform(part.colorTransform);
    if (part.filterList) out.bytes(*part.filterList);
    if (part.blendMode) out.u8(*part.blendMode);
  }
  out.u8(0);
}

}  // namespace

std::vector<std::uint8_t> buttonBody(std::uint16_t id, const std::vector<ButtonPart>& parts,
                                     const std::vector<std::uint8_t>& actions) {
  ByteWriter body;
  body.u16(id);
  writeButtonParts(body, parts, false);
  body.bytes(actions);
  return body.data();
}

std::vector<std::uint8_t> button2Body(std::uint16_t id, const std::vector<ButtonPart>& parts,
                                      const std::vector<ButtonActions>& actions, bool trackAsMenu) {
  ByteWriter records;
  writeButtonParts(records, parts, true);
  ByteWriter body;
  body.u16(id).u8(trackAsMenu ? 1 : 0);
  // The offset counts from its own field: its 2 bytes and the records.
  body.u16(actions.empty() ? 0 : static_cast<std::uint16_t>(2 + records.size()));
  body.bytes(records.data());
  for (std::size_t i = 0; i < actions.size(); ++i) {
    const ButtonActions& list = actions[i];
    const bool last = i + 1 == actions.size();
    body.u16(last ? 0 : static_cast<std::uint16_t>(4 + list.actions.size()));
    body.u16(static_cast<std::uint16_t>((list.conditions & 0x1ff) | list.keyCode << 9));
    body.bytes(list.actions);
  }
  return body.data();
}

TagStream& TagStream::defineButton(std::uint16_t id, const std::vector<ButtonPart>& parts,
                                   const std::vector<std::uint8_t>& actions) {
  return tag(kDefineButton, buttonBody(id, parts, actions));
}

TagStream& TagStream::defineButton2(std::uint16_t id, const std::vector<ButtonPart>& parts,
                                    const std::vector<ButtonActions>& actions, bool trackAsMenu) {
  return tag(kDefineButton2, button2Body(id, parts, actions, trackAsMenu));
}

TagStream& TagStream::defineButtonCxform(std::uint16_t id, const ColorTransform& transform) {
  ByteWriter body;
  body.u16(id).colorTransform(transform, false);
  return tag(kDefineButtonCxform, body);
}

TagStream& TagStream::removeObject(std::uint16_t depth) {
  return tag(kRemoveObject2, ByteWriter().u16(depth));
}

TagStream& TagStream::removeObject1(std::uint16_t character, std::uint16_t depth) {
  return tag(kRemoveObject, ByteWriter().u16(character).u16(depth));
}

TagStream& TagStream::defineShape(std::uint16_t id, const ShapeBuilder& shape) {
  return tag(shape.tagCode(), shape.body(id));
}

TagStream& TagStream::defineMorphShape(std::uint16_t id, const MorphShapeBuilder& shape) {
  return tag(shape.tagCode(), shape.body(id));
}

FillStyle FillStyle::solid(const Colour& colour) {
  FillStyle style;
  style.colour = colour;
  return style;
}

FillStyle FillStyle::linear(std::vector<std::pair<std::uint8_t, Colour>> stops,
                            const Matrix& matrix) {
  FillStyle style;
  style.kind = FillKind::LinearGradient;
  style.stops = std::move(stops);
  style.matrix = matrix;
  return style;
}

LineStyle LineStyle::solid(std::uint16_t width, const Colour& colour) {
  LineStyle style;
  style.width = width;
  style.colour = colour;
  return style;
}

ShapeBuilder::ShapeBuilder(int version) : version_(version) {}

ShapeBuilder& ShapeBuilder::styles(std::vector<FillStyle> fills, std::vector<LineStyle> lines) {
  fills_ = std::move(fills);
  lines_ = std::move(lines);
  return *this;
}

ShapeBuilder& ShapeBuilder::bounds(const TwipsRect& bounds) {
  bounds_ = bounds;
  return *this;
}

ShapeBuilder& ShapeBuilder::windingFill(bool winding) {
  winding_ = winding;
  return *this;
}

ShapeBuilder& ShapeBuilder::styleBits(unsigned fillBits, unsigned lineBits) {
  declaredBits_ = std::pair(fillBits, lineBits);
  return *this;
}

ShapeBuilder& ShapeBuilder::moveTo(Point to) {
  return select(std::nullopt, std::nullopt, std::nullopt, to);
}

ShapeBuilder& ShapeBuilder::select(std::optional<std::uint32_t> fill0,
                                   std::optional<std::uint32_t> fill1,
                                   std::optional<std::uint32_t> line, std::optional<Point> moveTo) {
  Record record;
  record.fill0 = fill0;
  record.fill1 = fill1;
  record.line = line;
  record.moveTo = moveTo;
  records_.push_back(std::move(record));
  return *this;
}

ShapeBuilder& ShapeBuilder::newStyles(std::vector<FillStyle> fills, std::vector<LineStyle> lines,
                                      std::optional<std::uint32_t> fill0,
                                      std::optional<std::uint32_t> fill1,
                                      std::optional<std::uint32_t> line,
                                      std::optional<Point> moveTo) {
  select(fill0, fill1, line, moveTo);
  records_.back().newStyles = true;
  records_.back().fills = std::move(fills);
  records_.back().lines = std::move(lines);
  return *this;
}

ShapeBuilder& ShapeBuilder::lineTo(Point to) {
  Record record;
  record.kind = Record::Line;
  record.to = to;
  records_.push_back(std::move(record));
  return *this;
}

ShapeBuilder& ShapeBuilder::curveTo(Point control, Point anchor) {
  Record record;
  record.kind = Record::Curve;
  record.control = control;
  record.to = anchor;
  records_.push_back(std::move(record));
  return *this;
}

ShapeBuilder& ShapeBuilder::polygon(const std::vector<Point>& points) {
  if (points.empty()) return *this;
  moveTo(points.front());
  for (std::size_t i = 1; i < points.size(); ++i) lineTo(points[i]);
  return lineTo(points.front());
}

ShapeBuilder& ShapeBuilder::withoutEnd() {
  end_ = false;
  return *this;
}

std::uint16_t ShapeBuilder::tagCode() const {
  switch (version_) {
    case 1:
      return kDefineShape;
    case 2:
      return kDefineShape2;
    case 4:
      return kDefineShape4;
    default:
      return kDefineShape3;
  }
}

void ShapeBuilder::writeFill(ByteWriter& out, const FillStyle& fill) const {
  const bool alpha = version_ >= 3;
  out.u8(static_cast<std::uint8_t>(fill.kind));
  switch (fill.kind) {
    case FillKind::Solid:
      out.colour(fill.colour, alpha);
      break;
    case FillKind::LinearGradient:
    case FillKind::RadialGradient:
    case FillKind::FocalGradient:
      out.matrix(fill.matrix);
      out.ub(fill.spread, 2).ub(fill.interpolation, 2);
      out.ub(static_cast<std::uint32_t>(fill.stops.size()), 4);
      for (const auto& [ratio, colour] : fill.stops) out.u8(ratio).colour(colour, alpha);
      if (fill.kind == FillKind::FocalGradient) {
        out.u16(static_cast<std::uint16_t>(std::lround(fill.focalPoint * 256)));
      }
      break;
    case FillKind::RepeatingBitmap:
    case FillKind::ClippedBitmap:
    case FillKind::RepeatingSharpBitmap:
    case FillKind::ClippedSharpBitmap:
      out.u16(fill.bitmapId).matrix(fill.matrix);
      break;
  }
}

void ShapeBuilder::writeStyles(ByteWriter& out, const std::vector<FillStyle>& fills,
                               const std::vector<LineStyle>& lines, unsigned& fillBits,
                               unsigned& lineBits,
                               std::optional<std::pair<unsigned, unsigned>> declaredBits) const {
  const auto writeCount = [&](std::size_t count) {
    if (count < 0xFF || version_ < 2) {
      out.u8(static_cast<std::uint8_t>(count));
    } else {
      out.u8(0xFF).u16(static_cast<std::uint16_t>(count));
    }
  };
  writeCount(fills.size());
  for (const auto& fill : fills) writeFill(out, fill);
  writeCount(lines.size());
  for (const auto& line : lines) {
    out.u16(line.width);
    if (version_ < 4) {
      out.colour(line.colour, version_ >= 3);
      continue;
    }
    out.ub(line.startCap, 2).ub(line.join, 2).ub(line.fill.has_value(), 1);
    out.ub(line.noHorizontalScale, 1).ub(line.noVerticalScale, 1).ub(line.pixelHinting, 1);
    out.ub(0, 5).ub(line.noClose, 1).ub(line.endCap, 2);
    if (line.join == 2) out.u16(static_cast<std::uint16_t>(std::lround(line.miterLimit * 256)));
    if (line.fill) {
      writeFill(out, *line.fill);
    } else {
      out.colour(line.colour, true);
    }
  }
  fillBits = unsignedBits(static_cast<std::uint32_t>(fills.size()));
  lineBits = unsignedBits(static_cast<std::uint32_t>(lines.size()));
  if (declaredBits) std::tie(fillBits, lineBits) = *declaredBits;
  out.ub(fillBits, 4).ub(lineBits, 4);
}

std::vector<std::uint8_t> ShapeBuilder::body(std::uint16_t id) const {
  ByteWriter out;
  out.u16(id).rect(bounds_);
  if (version_ == 4) out.rect(bounds_).u8(winding_ ? 0x04 : 0x00);
  unsigned fillBits = 0, lineBits = 0;
  writeStyles(out, fills_, lines_, fillBits, lineBits, declaredBits_);
  writeRecords(out, fillBits, lineBits);
  return out.data();
}

std::vector<std::uint8_t> ShapeBuilder::glyph() const {
  ByteWriter out;
  unsigned fillBits = 1, lineBits = 0;
  out.ub(fillBits, 4).ub(lineBits, 4);
  writeRecords(out, fillBits, lineBits);
  return out.data();
}

void ShapeBuilder::writeRecords(ByteWriter& out, unsigned fillBits, unsigned lineBits) const {
  Point pen;
  // Edge records store deltas in one width, 2-17 bits, written as width - 2.
  const auto deltaBits = [](std::initializer_list<std::int32_t> deltas) {
    const unsigned bits = std::max(2u, signedBits(deltas));
    if (bits > 17) throw std::invalid_argument("edge too long for one record");
    return bits;
  };
  for (const Record& record : records_) {
    switch (record.kind) {
      case Record::StyleChange: {
        out.ub(0, 1).ub(record.newStyles, 1).ub(record.line.has_value(), 1);
        out.ub(record.fill1.has_value(), 1).ub(record.fill0.has_value(), 1);
        out.ub(record.moveTo.has_value(), 1);
        if (record.moveTo) {
          const unsigned bits = signedBits({record.moveTo->x, record.moveTo->y});
          out.ub(bits, 5).sb(record.moveTo->x, bits).sb(record.moveTo->y, bits);
          pen = *record.moveTo;
        }
        if (record.fill0) out.ub(*record.fill0, fillBits);
        if (record.fill1) out.ub(*record.fill1, fillBits);
        if (record.line) out.ub(*record.line, lineBits);
        if (record.newStyles) {
          writeStyles(out, record.fills, record.lines, fillBits, lineBits, std::nullopt);
        }
        break;
      }
      case Record::Line: {  // always a general line: simple, and any direction
        const std::int32_t dx = record.to.x - pen.x, dy = record.to.y - pen.y;
        const unsigned bits = deltaBits({dx, dy});
        out.ub(0b11, 2).ub(bits - 2, 4).ub(1, 1).sb(dx, bits).sb(dy, bits);
        pen = record.to;
        break;
      }
      case Record::Curve: {
        const std::int32_t cx = record.control.x - pen.x, cy = record.control.y - pen.y;
        const std::int32_t ax = record.to.x - record.control.x, ay = record.to.y - record.control.y;
        const unsigned bits = deltaBits({cx, cy, ax, ay});
        out.ub(0b10, 2).ub(bits - 2, 4).sb(cx, bits).sb(cy, bits).sb(ax, bits).sb(ay, bits);
        pen = record.to;
        break;
      }
    }
  }
  if (end_) out.ub(0, 6);
  out.align();
}

MorphFillStyle MorphFillStyle::solid(const Colour& start, const Colour& end) {
  return {FillStyle::solid(start), FillStyle::solid(end)};
}

MorphShapeBuilder::MorphShapeBuilder(int version) : version_(version), start_(3), end_(3) {}

MorphShapeBuilder& MorphShapeBuilder::styles(std::vector<MorphFillStyle> fills,
                                             std::vector<MorphLineStyle> lines) {
  fills_ = std::move(fills);
  lines_ = std::move(lines);
  return *this;
}

MorphShapeBuilder& MorphShapeBuilder::bounds(const TwipsRect& start, const TwipsRect& end) {
  startBounds_ = start;
  endBounds_ = end;
  return *this;
}

MorphShapeBuilder& MorphShapeBuilder::endEdgesOffset(std::uint32_t offset) {
  offset_ = offset;
  return *this;
}

std::uint16_t MorphShapeBuilder::tagCode() const {
  return version_ == 2 ? kDefineMorphShape2 : kDefineMorphShape;
}

void MorphShapeBuilder::writeFill(ByteWriter& out, const MorphFillStyle& fill) const {
  out.u8(static_cast<std::uint8_t>(fill.start.kind));
  switch (fill.start.kind) {
    case FillKind::Solid:
      out.colour(fill.start.colour, true).colour(fill.end.colour, true);
      break;
    case FillKind::LinearGradient:
    case FillKind::RadialGradient:
    case FillKind::FocalGradient: {
      out.matrix(fill.start.matrix).matrix(fill.end.matrix);
      const std::size_t count = std::min(fill.start.stops.size(), fill.end.stops.size());
      out.ub(fill.start.spread, 2).ub(fill.start.interpolation, 2);
      out.ub(static_cast<std::uint32_t>(count), 4);
      for (std::size_t i = 0; i < count; ++i) {
        out.u8(fill.start.stops[i].first).colour(fill.start.stops[i].second, true);
        out.u8(fill.end.stops[i].first).colour(fill.end.stops[i].second, true);
      }
      if (fill.start.kind == FillKind::FocalGradient) {
        out.u16(static_cast<std::uint16_t>(std::lround(fill.start.focalPoint * 256)));
        out.u16(static_cast<std::uint16_t>(std::lround(fill.end.focalPoint * 256)));
      }
      break;
    }
    case FillKind::RepeatingBitmap:
    case FillKind::ClippedBitmap:
    case FillKind::RepeatingSharpBitmap:
    case FillKind::ClippedSharpBitmap:
      out.u16(fill.start.bitmapId).matrix(fill.start.matrix).matrix(fill.end.matrix);
      break;
  }
}

std::vector<std::uint8_t> MorphShapeBuilder::body(std::uint16_t id) const {
  ByteWriter styles;  // everything from the styles to the end edges
  const auto writeCount = [&](std::size_t count) {
    if (count < 0xFF) {
      styles.u8(static_cast<std::uint8_t>(count));
    } else {
      styles.u8(0xFF).u16(static_cast<std::uint16_t>(count));
    }
  };
  writeCount(fills_.size());
  for (const auto& fill : fills_) writeFill(styles, fill);
  writeCount(lines_.size());
  for (const auto& [start, end] : lines_) {
    styles.u16(start.width).u16(end.width);
    if (version_ == 2) {
      styles.ub(start.startCap, 2).ub(start.join, 2).ub(start.fill.has_value(), 1);
      styles.ub(start.noHorizontalScale, 1).ub(start.noVerticalScale, 1);
      styles.ub(start.pixelHinting, 1).ub(0, 5).ub(start.noClose, 1).ub(start.endCap, 2);
      if (start.join == 2) {
        styles.u16(static_cast<std::uint16_t>(std::lround(start.miterLimit * 256)));
      }
    }
    if (version_ == 2 && start.fill && end.fill) {
      writeFill(styles, MorphFillStyle{*start.fill, *end.fill});
    } else {
      styles.colour(start.colour, true).colour(end.colour, true);
    }
  }
  const unsigned fillBits = unsignedBits(static_cast<std::uint32_t>(fills_.size()));
  const unsigned lineBits = unsignedBits(static_cast<std::uint32_t>(lines_.size()));
  styles.ub(fillBits, 4).ub(lineBits, 4);
  start_.writeRecords(styles, fillBits, lineBits);

  ByteWriter out;
  out.u16(id).rect(startBounds_).rect(endBounds_);
  if (version_ == 2) out.rect(startBounds_).rect(endBounds_).u8(0x01);
  out.u32(offset_.value_or(static_cast<std::uint32_t>(styles.size())));
  out.bytes(styles.data()).ub(0, 4).ub(0, 4);
  end_.writeRecords(out, 0, 0);
  return out.data();
}

Glyph Glyph::polygon(std::uint16_t code, const std::vector<Point>& points, std::int16_t advance) {
  Glyph glyph;
  glyph.code = code;
  glyph.advance = advance;
  if (!points.empty()) {
    glyph.shape.select(0, 1, std::nullopt, points.front());
    for (std::size_t i = 1; i < points.size(); ++i) glyph.shape.lineTo(points[i]);
    glyph.shape.lineTo(points.front());
  }
  return glyph;
}

namespace {

// Glyph shapes after an offset table of offsetSize-byte entries (and one
// more entry when withCodeTableOffset), offsets counted from the table start.
void writeGlyphTable(ByteWriter& out, const std::vector<Glyph>& glyphs, std::size_t offsetSize,
                     bool withCodeTableOffset) {
  std::vector<std::vector<std::uint8_t>> shapes;
  for (const Glyph& glyph : glyphs) shapes.push_back(glyph.shape.glyph());
  std::size_t offset = (glyphs.size() + (withCodeTableOffset ? 1 : 0)) * offsetSize;
  const auto writeOffset = [&](std::size_t value) {
    if (offsetSize == 4) {
      out.u32(static_cast<std::uint32_t>(value));
    } else {
      out.u16(static_cast<std::uint16_t>(value));
    }
  };
  for (const auto& shape : shapes) {
    writeOffset(offset);
    offset += shape.size();
  }
  if (withCodeTableOffset) writeOffset(offset);
  for (const auto& shape : shapes) out.bytes(shape);
}

void writeName(ByteWriter& out, const std::string& name) {
  out.u8(static_cast<std::uint8_t>(name.size()));
  out.bytes(std::span(reinterpret_cast<const std::uint8_t*>(name.data()), name.size()));
}

void writeCode(ByteWriter& out, std::uint16_t code, bool wide) {
  if (wide) {
    out.u16(code);
  } else {
    out.u8(static_cast<std::uint8_t>(code));
  }
}

}  // namespace

TagStream& TagStream::defineFont(std::uint16_t id, const std::vector<Glyph>& glyphs) {
  ByteWriter body;
  body.u16(id);
  writeGlyphTable(body, glyphs, 2, false);
  return tag(kDefineFont, body);
}

TagStream& TagStream::defineFontInfo(std::uint16_t id, const FontSpec& font, bool version2) {
  ByteWriter body;
  body.u16(id);
  writeName(body, font.name);
  const bool wide = version2 || font.wideCodes;
  body.u8(static_cast<std::uint8_t>((wide ? 0x01 : 0) | (font.bold ? 0x02 : 0) |
                                    (font.italic ? 0x04 : 0)));
  if (version2) body.u8(1);  // language: Latin
  for (const Glyph& glyph : font.glyphs) writeCode(body, glyph.code, wide);
  return tag(version2 ? kDefineFontInfo2 : kDefineFontInfo, body);
}

TagStream& TagStream::defineFont2(std::uint16_t id, const FontSpec& font, int version) {
  ByteWriter body;
  body.u16(id);
  body.u8(static_cast<std::uint8_t>((font.layout ? 0x80 : 0) | (font.wideOffsets ? 0x08 : 0) |
                                    (font.wideCodes ? 0x04 : 0) | (font.italic ? 0x02 : 0) |
                                    (font.bold ? 0x01 : 0)));
  body.u8(1);  // language: Latin
  writeName(body, font.name);
  body.u16(font.glyphCount.value_or(static_cast<std::uint16_t>(font.glyphs.size())));
  writeGlyphTable(body, font.glyphs, font.wideOffsets ? 4 : 2, true);
  for (const Glyph& glyph : font.glyphs) writeCode(body, glyph.code, font.wideCodes);
  if (font.layout) {
    body.u16(static_cast<std::uint16_t>(font.ascent)).u16(static_cast<std::uint16_t>(font.descent));
    body.u16(static_cast<std::uint16_t>(font.leading));
    for (const Glyph& glyph : font.glyphs) body.u16(static_cast<std::uint16_t>(glyph.advance));
    for (std::size_t i = 0; i < font.glyphs.size(); ++i) body.rect({});
    body.u16(static_cast<std::uint16_t>(font.kerning.size()));
    for (const KerningRecord& pair : font.kerning) {
      writeCode(body, pair.left, font.wideCodes);
      writeCode(body, pair.right, font.wideCodes);
      body.u16(static_cast<std::uint16_t>(pair.adjustment));
    }
  }
  return tag(version == 3 ? kDefineFont3 : kDefineFont2, body);
}

TagStream& TagStream::defineText(std::uint16_t id, const TwipsRect& bounds, const Matrix& matrix,
                                 const std::vector<TextRecordSpec>& records, bool withAlpha) {
  std::uint32_t largestIndex = 0;
  std::vector<std::int32_t> advances;
  for (const auto& record : records) {
    for (const auto& glyph : record.glyphs) {
      largestIndex = std::max(largestIndex, glyph.index);
      advances.push_back(glyph.advance);
    }
  }
  unsigned glyphBits = 1;
  while (glyphBits < 32 && largestIndex >> glyphBits) ++glyphBits;
  unsigned advanceBits = 1;
  for (std::int32_t advance : advances) advanceBits = std::max(advanceBits, signedBits({advance}));
  ByteWriter body;
  body.u16(id).rect(bounds).matrix(matrix);
  body.u8(static_cast<std::uint8_t>(glyphBits)).u8(static_cast<std::uint8_t>(advanceBits));
  for (const auto& record : records) {
    body.u8(static_cast<std::uint8_t>(0x80 | (record.font ? 0x08 : 0) | (record.colour ? 0x04 : 0) |
                                      (record.y ? 0x02 : 0) | (record.x ? 0x01 : 0)));
    if (record.font) body.u16(*record.font);
    if (record.colour) body.colour(*record.colour, withAlpha);
    if (record.x) body.u16(static_cast<std::uint16_t>(*record.x));
    if (record.y) body.u16(static_cast<std::uint16_t>(*record.y));
    if (record.font) body.u16(record.height);
    body.u8(static_cast<std::uint8_t>(record.glyphs.size()));
    for (const auto& glyph : record.glyphs) {
      body.ub(glyph.index, glyphBits).sb(glyph.advance, advanceBits);
    }
    body.align();
  }
  body.u8(0);
  return tag(withAlpha ? kDefineText2 : kDefineText, body);
}

TagStream& TagStream::defineEditText(std::uint16_t id, const EditTextSpec& text) {
  ByteWriter body;
  body.u16(id).rect(text.bounds);
  body.u8(static_cast<std::uint8_t>((text.text ? 0x80 : 0) | (text.wordWrap ? 0x40 : 0) |
                                    (text.multiline ? 0x20 : 0) | (text.password ? 0x10 : 0) |
                                    (text.readOnly ? 0x08 : 0) | (text.colour ? 0x04 : 0) |
                                    (text.maxLength ? 0x02 : 0) | (text.font ? 0x01 : 0)));
  body.u8(static_cast<std::uint8_t>((text.autoSize ? 0x40 : 0) | (text.align ? 0x20 : 0) |
                                    (text.border ? 0x08 : 0) | (text.html ? 0x02 : 0) |
                                    (text.useOutlines ? 0x01 : 0)));
  if (text.font) body.u16(*text.font).u16(text.height);
  if (text.colour) body.colour(*text.colour, true);
  if (text.maxLength) body.u16(*text.maxLength);
  if (text.align) body.u8(*text.align).u16(0).u16(0).u16(0).u16(0);
  body.string(text.variableName);
  if (text.text) body.string(*text.text);
  return tag(kDefineEditText, body);
}

std::size_t tagStreamOffset(const MovieOptions& options) {
  return 8 + ByteWriter().rect(options.stage).size() + 4;
}

std::vector<std::uint8_t> buildMovie(const MovieOptions& options, const TagStream& tags) {
  ByteWriter body;
  body.rect(options.stage)
      .u16(encodedFrameRate(options.frameRate))
      .u16(options.frameCount.value_or(tags.showFrameCount()))
      .bytes(tags.data());
  const auto length = static_cast<std::uint32_t>(8 + body.size());

  ByteWriter file;
  const char* signature = options.compression == Compression::None   ? "FWS"
                          : options.compression == Compression::Zlib ? "CWS"
                                                                     : "ZWS";
  file.u8(signature[0]).u8(signature[1]).u8(signature[2]).u8(options.version);
  file.u32(options.declaredLength.value_or(length));
  switch (options.compression) {
    case Compression::None:
      file.bytes(body.data());
      break;
    case Compression::Zlib:
      file.bytes(deflate(body.data()));
      break;
    case Compression::Lzma: {
      const auto [properties, stream] = lzmaCompress(body.data(), options.lzmaEndMarker);
      file.u32(static_cast<std::uint32_t>(stream.size())).bytes(properties).bytes(stream);
      break;
    }
  }
  return file.data();
}

}  // namespace quelvo::swftest
