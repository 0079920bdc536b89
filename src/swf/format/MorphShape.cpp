#include "swf/format/MorphShape.h"

#include <algorithm>

#include "swf/format/EdgeRecords.h"
#include "swf/format/RecordReaders.h"
#include "swf/format/TagCodes.h"

namespace quelvo::swf {

namespace {

std::size_t readCount(ByteReader& reader) {
  const std::size_t count = reader.u8();
  return count == 0xFF ? reader.u16() : count;
}

void readMorphGradient(ByteReader& reader, MorphFillStyle& style) {
  const unsigned count = readGradientHeader(reader, style.start.gradient);
  style.end.gradient = style.start.gradient;
  for (unsigned i = 0; i < count && reader.ok(); ++i) {
    GradientStop start, end;
    start.ratio = reader.u8();
    start.colour = reader.rgba();
    end.ratio = reader.u8();
    end.colour = reader.rgba();
    if (reader.failed()) break;
    style.start.gradient.stops.push_back(start);
    style.end.gradient.stops.push_back(end);
  }
  if (style.start.kind == FillKind::FocalGradient) {
    style.start.gradient.focalPoint = reader.fixed8();
    style.end.gradient.focalPoint = reader.fixed8();
  }
}

std::optional<MorphFillStyle> readMorphFill(ByteReader& reader) {
  const std::uint8_t type = reader.u8();
  const auto style = fillStyleOfType(type);
  if (!style) {
    // Without its type the style's size is unknown, so nothing after it can be read.
    if (reader.ok()) reader.reject("unknown morph fill style type " + std::to_string(type));
    return std::nullopt;
  }
  MorphFillStyle morph{*style, *style};
  switch (style->kind) {
    case FillKind::Solid:
      morph.start.colour = reader.rgba();
      morph.end.colour = reader.rgba();
      break;
    case FillKind::LinearGradient:
    case FillKind::RadialGradient:
    case FillKind::FocalGradient:
      morph.start.matrix = readMatrix(reader);
      morph.end.matrix = readMatrix(reader);
      readMorphGradient(reader, morph);
      break;
    case FillKind::Bitmap:
      morph.start.bitmapId = morph.end.bitmapId = reader.u16();
      morph.start.matrix = readMatrix(reader);
      morph.end.matrix = readMatrix(reader);
      break;
  }
  if (reader.failed()) return std::nullopt;
  return morph;
}

std::optional<MorphLineStyle> readMorphLine(ByteReader& reader, int version) {
  MorphLineStyle morph;
  morph.start.width = reader.u16();
  morph.end.width = reader.u16();
  bool hasFill = false;
  if (version >= 2) {
    hasFill = readLineStyleFlags(reader, morph.start);
    const std::uint16_t endWidth = morph.end.width;
    morph.end = morph.start;
    morph.end.width = endWidth;
  }
  if (hasFill) {
    auto fill = readMorphFill(reader);
    if (!fill) return std::nullopt;
    morph.start.fill = std::move(fill->start);
    morph.end.fill = std::move(fill->end);
  } else {
    morph.start.colour = reader.rgba();
    morph.end.colour = reader.rgba();
  }
  if (reader.failed()) return std::nullopt;
  return morph;
}

template <typename Style, typename ReadOne>
std::vector<Style> readStyles(ByteReader& reader, ReadOne readOne) {
  std::vector<Style> styles;
  const std::size_t count = readCount(reader);
  for (std::size_t i = 0; i < count && reader.ok(); ++i) {
    auto style = readOne();
    if (!style) break;
    styles.push_back(std::move(*style));
  }
  return styles;
}

std::uint16_t styleNumber(std::uint32_t index, std::size_t count) {
  return index <= count ? static_cast<std::uint16_t>(index) : 0;
}

// The edges of one SHAPE record list with the styles selected for each,
// at most `limit` of them.
struct EdgeList {
  std::vector<ShapeEdge> edges;
  bool endReached = false;
};

EdgeList readEdges(ByteReader& reader, const MorphShape& shape, std::size_t limit) {
  EdgeList list;
  const unsigned fillBits = reader.ub(4);
  const unsigned lineBits = reader.ub(4);
  ShapePoint pen;
  std::uint16_t fill0 = 0, fill1 = 0, line = 0;
  while (reader.ok() && list.edges.size() < limit) {
    const bool isEdge = reader.ub(1) != 0;
    if (reader.failed()) break;
    if (isEdge) {
      ShapeEdge edge = readEdgeRecord(reader, pen);
      if (reader.failed()) break;
      pen = edge.to;
      edge.fill0 = fill0;
      edge.fill1 = fill1;
      edge.line = line;
      list.edges.push_back(edge);
      continue;
    }
    const auto change = readStyleChange(reader, fillBits, lineBits);
    if (reader.failed()) break;
    if (!change) {
      list.endReached = true;
      break;
    }
    // Morph shapes have one set of styles; new ones cannot be interpolated.
    if (change->newStyles) break;
    if (change->moveTo) pen = *change->moveTo;
    if (change->fill0) fill0 = styleNumber(*change->fill0, shape.fills.size());
    if (change->fill1) fill1 = styleNumber(*change->fill1, shape.fills.size());
    if (change->line) line = styleNumber(*change->line, shape.lines.size());
  }
  return list;
}

Error errorFrom(const MorphShape& shape, const ByteReader& reader) {
  return Error{"DefineMorphShape " + std::to_string(shape.id) + ": " + reader.error()->message,
               reader.error()->offset};
}

}  // namespace

int morphShapeVersion(std::uint16_t tagCode) {
  return tagCode == tags::DefineMorphShape ? 1 : tagCode == tags::DefineMorphShape2 ? 2 : 0;
}

Expected<MorphShape> readMorphShape(const TagRecord& record, EdgeBudget& budget) {
  ByteReader reader = record.reader();
  MorphShape shape;
  shape.version = morphShapeVersion(record.code);
  if (shape.version == 0) return Error{"not a DefineMorphShape record", record.offset};
  shape.id = reader.u16();
  shape.startBounds = reader.rect();
  shape.endBounds = reader.rect();
  shape.startEdgeBounds = shape.startBounds;
  shape.endEdgeBounds = shape.endBounds;
  if (shape.version == 2) {
    shape.startEdgeBounds = reader.rect();
    shape.endEdgeBounds = reader.rect();
    const std::uint8_t flags = reader.u8();
    shape.usesNonScalingStrokes = (flags & 0x02) != 0;
    shape.usesScalingStrokes = (flags & 0x01) != 0;
  }
  const std::uint64_t offsetField = reader.offset();
  const std::uint32_t endEdgesOffset = reader.u32();
  const std::uint64_t endEdgesAt = reader.offset() + endEdgesOffset;
  shape.fills = readStyles<MorphFillStyle>(reader, [&] { return readMorphFill(reader); });
  shape.lines =
      readStyles<MorphLineStyle>(reader, [&] { return readMorphLine(reader, shape.version); });
  if (reader.failed()) return errorFrom(shape, reader);

  const std::uint64_t startEdgesAt = reader.offset();
  const std::uint64_t bodyEnd = record.bodyOffset() + record.body.size();
  if (endEdgesAt < startEdgesAt || endEdgesAt > bodyEnd) {
    return Error{"DefineMorphShape " + std::to_string(shape.id) + ": end edges offset " +
                     std::to_string(endEdgesOffset) + " outside the record",
                 offsetField};
  }
  ByteReader startReader = reader.subReader(static_cast<std::size_t>(endEdgesAt - startEdgesAt));
  const EdgeList start = readEdges(startReader, shape, budget.remaining);
  const EdgeList end = readEdges(reader, shape, start.edges.size());

  const std::size_t pairs = std::min(start.edges.size(), end.edges.size());
  std::size_t paired = 0;
  for (; paired < pairs && budget.remaining > 0; ++paired) {
    const ShapeEdge& edge = start.edges[paired];
    if (edge.fill0 == 0 && edge.fill1 == 0 && edge.line == 0) continue;
    --budget.remaining;
    shape.edges.push_back(MorphEdge{edge, end.edges[paired]});
  }
  shape.complete = start.endReached && paired == start.edges.size();
  return shape;
}

}  // namespace quelvo::swf
