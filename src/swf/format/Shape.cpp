#include "swf/format/Shape.h"

#include <atomic>

#include "swf/format/EdgeRecords.h"
#include "swf/format/TagCodes.h"

namespace quelvo::swf {

namespace {

std::uint16_t styleNumber(std::uint32_t index, std::size_t count) {
  return index <= count ? static_cast<std::uint16_t>(index) : 0;
}

// Walks the shape records, keeping the pen position and the selected styles.
class RecordReader {
 public:
  RecordReader(ByteReader& reader, Shape& shape, EdgeBudget& budget)
      : reader_(reader), shape_(shape), budget_(budget) {}

  void readStyles() {
    ShapeLayer layer;
    layer.fills = readFillStyles(reader_, shape_.version);
    layer.lines = readLineStyles(reader_, shape_.version);
    fillBits_ = reader_.ub(4);
    lineBits_ = reader_.ub(4);
    shape_.layers.push_back(std::move(layer));
  }

  // A glyph has no style arrays: fill style 1 is its one fill, here black.
  void readGlyphStyles() {
    ShapeLayer layer;
    layer.fills.push_back(FillStyle{});
    fillBits_ = reader_.ub(4);
    lineBits_ = reader_.ub(4);
    shape_.layers.push_back(std::move(layer));
  }

  // Returns false at the end marker or when the records stop early.
  bool readRecord() {
    const bool isEdge = reader_.ub(1) != 0;
    if (reader_.failed()) return false;
    return isEdge ? readEdge() : readStyleChange();
  }

  bool endReached() const { return endReached_; }

 private:
  bool readStyleChange() {
    const auto change = swf::readStyleChange(reader_, fillBits_, lineBits_);
    if (!change) {
      endReached_ = reader_.ok();
      return false;
    }
    if (change->moveTo) position_ = *change->moveTo;
    if (change->newStyles) {
      readStyles();
      // The new layer starts with nothing selected but what this record selects.
      fill0_ = fill1_ = line_ = 0;
    }
    const ShapeLayer& layer = shape_.layers.back();
    if (change->fill0) fill0_ = styleNumber(*change->fill0, layer.fills.size());
    if (change->fill1) fill1_ = styleNumber(*change->fill1, layer.fills.size());
    if (change->line) line_ = styleNumber(*change->line, layer.lines.size());
    return reader_.ok();
  }

  bool readEdge() {
    ShapeEdge edge = readEdgeRecord(reader_, position_);
    if (reader_.failed()) return false;
    position_ = edge.to;
    if (fill0_ == 0 && fill1_ == 0 && line_ == 0) return true;
    if (budget_.remaining == 0) return false;
    --budget_.remaining;
    edge.fill0 = fill0_;
    edge.fill1 = fill1_;
    edge.line = line_;
    shape_.layers.back().edges.push_back(edge);
    return true;
  }

  ByteReader& reader_;
  Shape& shape_;
  EdgeBudget& budget_;
  unsigned fillBits_ = 0;
  unsigned lineBits_ = 0;
  ShapePoint position_;
  std::uint16_t fill0_ = 0;
  std::uint16_t fill1_ = 0;
  std::uint16_t line_ = 0;
  bool endReached_ = false;
};

}  // namespace

std::uint64_t newTransientKey() {
  static std::atomic<std::uint64_t> last{0};
  return ++last;
}

std::size_t Shape::edgeCount() const {
  std::size_t count = 0;
  for (const auto& layer : layers) count += layer.edges.size();
  return count;
}

int shapeVersion(std::uint16_t tagCode) {
  switch (tagCode) {
    case tags::DefineShape:
      return 1;
    case tags::DefineShape2:
      return 2;
    case tags::DefineShape3:
      return 3;
    case tags::DefineShape4:
      return 4;
    default:
      return 0;
  }
}

Expected<Shape> readShape(const TagRecord& record, EdgeBudget& budget) {
  ByteReader reader = record.reader();
  Shape shape;
  shape.version = shapeVersion(record.code);
  if (shape.version == 0) return Error{"not a DefineShape record", record.offset};
  shape.id = reader.u16();
  shape.bounds = reader.rect();
  shape.edgeBounds = shape.bounds;
  if (shape.version == 4) {
    shape.edgeBounds = reader.rect();
    const std::uint8_t flags = reader.u8();
    shape.windingFill = (flags & 0x04) != 0;
  }
  RecordReader records(reader, shape, budget);
  records.readStyles();
  if (reader.failed()) {
    return Error{"DefineShape " + std::to_string(shape.id) + ": " + reader.error()->message,
                 reader.error()->offset};
  }
  while (records.readRecord()) {
  }
  shape.complete = records.endReached();
  return shape;
}

Shape readGlyphShape(ByteReader& reader, EdgeBudget& budget) {
  Shape shape;
  RecordReader records(reader, shape, budget);
  records.readGlyphStyles();
  while (records.readRecord()) {
  }
  shape.complete = records.endReached();
  return shape;
}

void addRectangle(ShapeLayer& layer, const Rect& r, std::uint16_t inside, std::uint16_t outside) {
  const ShapePoint corners[] = {
      {r.xMin, r.yMin}, {r.xMax, r.yMin}, {r.xMax, r.yMax}, {r.xMin, r.yMax}};
  for (std::size_t i = 0; i < 4; ++i) {
    ShapeEdge edge;
    edge.from = corners[i];
    edge.to = corners[(i + 1) % 4];
    edge.fill0 = outside;
    edge.fill1 = inside;
    layer.edges.push_back(edge);
  }
}

}  // namespace quelvo::swf
