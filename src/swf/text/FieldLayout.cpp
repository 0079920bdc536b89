#include "swf/text/FieldLayout.h"

#include <QFontMetricsF>
#include <algorithm>
#include <cmath>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <unordered_map>

#include "swf/geometry/OutlineShape.h"
#include "swf/geometry/ShapePaths.h"
#include "swf/text/DeviceFonts.h"
#include "swf/text/TextRuns.h"

namespace quelvo::swf {

namespace {

constexpr double kGutter = 40;             // twips between the field's edge and its text
constexpr std::int32_t kBorderWidth = 20;  // twips
constexpr qsizetype kMaxCharacters = 20000;
// Text may end this far past the line's end without wrapping: device fonts
// here measure a little differently from those the movie was made with.
constexpr double kWrapSlack = 10;

// Measures and outlines text in one format.
class Face {
 public:
  virtual ~Face() = default;
  virtual double advance(const QString& text) = 0;
  virtual void outline(const QString& text, const QPointF& origin, QPainterPath& into) = 0;
  virtual double ascent() const = 0;
  virtual double descent() const = 0;
  // Adjustment of the space between two characters.
  virtual double kerning(QChar, QChar) const { return 0; }
};

class DeviceFace : public Face {
 public:
  explicit DeviceFace(const TextFormat& format)
      : font_(deviceFont(format.face, static_cast<int>(std::lround(format.size)), format.bold,
                         format.italic)),
        metrics_(font_) {}

  double advance(const QString& text) override { return metrics_.horizontalAdvance(text); }
  void outline(const QString& text, const QPointF& origin, QPainterPath& into) override {
    into.addText(origin, font_, text);
  }
  double ascent() const override { return metrics_.ascent(); }
  double descent() const override { return metrics_.descent(); }

 private:
  QFont font_;
  QFontMetricsF metrics_;
};

// Stands in for device fonts where there are none: draws nothing.
class MissingFace : public Face {
 public:
  double advance(const QString&) override { return 0; }
  void outline(const QString&, const QPointF&, QPainterPath&) override {}
  double ascent() const override { return 0; }
  double descent() const override { return 0; }
};

// The glyphs of an embedded font; characters it lacks take no space.
// Metrics scaled to the size are cut down to whole twips, as the reference
// player lays text out in whole twips: advances, kerning, ascent and descent.
class EmbeddedFace : public Face {
 public:
  EmbeddedFace(const Font& font, double size, bool kerning)
      : font_(font), scale_(size / font.emSquare()) {
    for (std::size_t i = 0; i < font.glyphs.size(); ++i)
      byCode_.try_emplace(font.glyphs[i].code, i);
    if (kerning && font.layout) {
      for (const KerningPair& pair : font.layout->kerning) {
        kerning_.try_emplace(std::pair(pair.left, pair.right), pair.adjustment);
      }
    }
  }

  double advance(const QString& text) override {
    return place(text, 0, [](std::size_t, double) {});
  }
  void outline(const QString& text, const QPointF& origin, QPainterPath& into) override {
    place(text, origin.x(), [&](std::size_t glyph, double x) {
      const QTransform toField(scale_, 0, 0, scale_, x, origin.y());
      into.addPath(toField.map(glyphPath(glyph)));
    });
  }
  double ascent() const override {
    return std::floor((font_.layout ? font_.layout->ascent : font_.emSquare() * 0.8) * scale_);
  }
  double descent() const override {
    return std::floor((font_.layout ? font_.layout->descent : font_.emSquare() * 0.2) * scale_);
  }
  double kerning(QChar left, QChar right) const override {
    const auto pair = kerning_.find(std::pair(left.unicode(), right.unicode()));
    return pair != kerning_.end() ? std::floor(pair->second * scale_) : 0;
  }

 private:
  // Hands each glyph with its pen position to draw; returns the end position
  // less the start. Characters the font lacks take no space.
  template <typename Draw>
  double place(const QString& text, double start, Draw draw) {
    double x = start;
    std::optional<QChar> previous;
    for (const QChar c : text) {
      const auto found = byCode_.find(c.unicode());
      if (found == byCode_.end()) continue;
      const std::size_t glyph = found->second;
      if (previous) x += kerning(*previous, c);
      draw(glyph, x);
      x += glyphAdvance(glyph);
      previous = c;
    }
    return x - start;
  }

  double glyphAdvance(std::size_t glyph) const {
    if (font_.layout) return std::floor(font_.glyphs[glyph].advance * scale_);
    // Without layout the glyph's own extent stands in for its advance.
    std::int32_t right = 0;
    for (const ShapeLayer& layer : font_.glyphs[glyph].shape.layers) {
      for (const ShapeEdge& edge : layer.edges) right = std::max({right, edge.from.x, edge.to.x});
    }
    return std::floor((right + font_.emSquare() / 16) * scale_);
  }
  const QPainterPath& glyphPath(std::size_t glyph) {
    auto [entry, added] = paths_.try_emplace(glyph);
    if (added) {
      // Contours come out with the fill on their right, holes running the
      // other way, so the nonzero rule fills them as the glyph means.
      const ShapePaths paths = buildShapePaths(font_.glyphs[glyph].shape);
      for (const LayerPaths& layer : paths.layers) {
        for (const QPainterPath& fill : layer.fills) entry->second.addPath(fill);
      }
    }
    return entry->second;
  }

  const Font& font_;
  double scale_;
  std::unordered_map<std::uint16_t, std::size_t> byCode_;  // the first glyph of each code
  std::map<std::pair<std::uint16_t, std::uint16_t>, double> kerning_;
  std::map<std::size_t, QPainterPath> paths_;
};

// A word, a space or a CJK character: the units lines break between.
struct Piece {
  QString text;
  std::size_t run = 0;
  double width = 0;
  double kerning = 0;  // before this piece, after one of the same face
  bool space = false;
};

bool isCjk(QChar c) { return c.unicode() >= 0x2E80; }

std::vector<Piece> splitPieces(const std::vector<TextRun>& runs) {
  std::vector<Piece> pieces;
  for (std::size_t r = 0; r < runs.size(); ++r) {
    const QString& text = runs[r].text;
    for (qsizetype i = 0; i < text.size();) {
      const QChar c = text[i];
      if (c.isSpace() || isCjk(c) || c.isSurrogate()) {
        const qsizetype length = c.isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        pieces.push_back(
            Piece{c.isSpace() ? QStringLiteral(" ") : text.mid(i, length), r, 0, 0, c.isSpace()});
        i += length;
        continue;
      }
      qsizetype end = i;
      while (end < text.size() && !text[end].isSpace() && !isCjk(text[end]) &&
             !text[end].isSurrogate()) {
        ++end;
      }
      pieces.push_back(Piece{text.mid(i, end - i), r, 0, 0, false});
      i = end;
    }
  }
  return pieces;
}

struct Line {
  std::size_t paragraph = 0;
  std::vector<std::size_t> pieces;
  double width = 0;  // without trailing spaces
  double ascent = 0;
  double descent = 0;
  bool first = false;  // of its paragraph
  bool last = false;
};

// A paragraph's text cut into pieces, measured.
struct MeasuredParagraph {
  const TextParagraph* paragraph = nullptr;
  std::vector<Piece> pieces;
};

class FieldLayouter {
 public:
  FieldLayouter(const EditText& field, const Font* font, const EmbeddedFonts& embeddedFonts)
      : field_(field), embeddedFonts_(embeddedFonts) {
    if (font && field.useOutlines && !font->glyphs.empty()) embedded_ = font;
    deviceName_ = font && !font->name.isEmpty() ? font->name : QStringLiteral("_serif");
  }

  // Measures every paragraph and breaks it into lines.
  // Text past kMaxCharacters is left out.
  void lay(const std::vector<TextParagraph>& paragraphs) {
    qsizetype left = kMaxCharacters;
    for (const TextParagraph& paragraph : paragraphs) {
      if (left <= 0) break;
      const TextParagraph* laid = &paragraph;
      qsizetype length = 0;
      for (const TextRun& run : paragraph.runs) length += run.text.size();
      if (length > left) {
        TextParagraph& cut = cutParagraphs_.emplace_back(paragraph);
        cut.runs.clear();
        for (qsizetype room = left; const TextRun& run : paragraph.runs) {
          if (room <= 0) break;
          cut.runs.push_back(TextRun{run.text.left(room), run.format});
          room -= run.text.size();
        }
        laid = &cut;
      }
      left -= length;
      measured_.push_back(MeasuredParagraph{laid, measure(*laid)});
      breakLines(measured_.size() - 1);
    }
  }

  FieldMetrics metrics(int scroll) const {
    FieldMetrics metrics;
    metrics.lines = static_cast<int>(lines_.size());
    if (!lines_.empty()) {
      metrics.ascent = lines_.front().ascent;
      metrics.descent = lines_.front().descent;
    }
    for (std::size_t i = 0; i < lines_.size(); ++i) {
      const Line& line = lines_[i];
      const ParagraphSpacing& spacing = measured_[line.paragraph].paragraph->spacing;
      metrics.textWidth =
          std::max(metrics.textWidth, line.width + spacing.leftMargin + spacing.rightMargin +
                                          (line.first ? spacing.indent : 0));
      metrics.textHeight += lineHeight(i) - (i + 1 == lines_.size() ? spacing.leading : 0);
    }
    const double room = (field_.bounds.yMax - field_.bounds.yMin) - 2 * kGutter;
    int fitting = 0;
    for (double used = 0; fitting < metrics.lines; ++fitting) {
      used += lineHeight(lines_.size() - 1 - static_cast<std::size_t>(fitting));
      if (used > room + kWrapSlack && fitting > 0) break;
    }
    metrics.maxScroll = std::max(0, metrics.lines - fitting);
    metrics.bottomLine = std::clamp(scroll, 0, std::max(0, metrics.lines - 1));
    double used = 0;
    for (std::size_t i = static_cast<std::size_t>(metrics.bottomLine); i < lines_.size(); ++i) {
      used += lineHeight(i);
      if (used > room + kWrapSlack && static_cast<int>(i) > metrics.bottomLine) break;
      metrics.bottomLine = static_cast<int>(i);
    }
    return metrics;
  }

  // Outlines the lines from the first shown; paths by colour.
  std::map<std::uint32_t, QPainterPath> outline(int scroll) {
    std::map<std::uint32_t, QPainterPath> byColour;
    double top = field_.bounds.yMin + kGutter;
    for (std::size_t i = static_cast<std::size_t>(std::max(scroll, 0)); i < lines_.size(); ++i) {
      if (top > field_.bounds.yMax) break;
      const double baseline = top + lines_[i].ascent;
      placeLine(lines_[i], baseline, byColour);
      top += lineHeight(i);
    }
    return byColour;
  }

 private:
  double lineHeight(std::size_t line) const {
    const Line& l = lines_[line];
    return l.ascent + l.descent + measured_[l.paragraph].paragraph->spacing.leading;
  }

  Face& faceFor(const TextFormat& format) {
    TextFormat key = format;
    key.colour = {};
    key.underline = false;
    if (!field_.useOutlines) key.kerning = false;
    for (auto& [known, face] : faces_) {
      if (known == key) return *face;
    }
    std::unique_ptr<Face> face;
    if (const Font* font = embeddedFor(format)) {
      face = std::make_unique<EmbeddedFace>(*font, format.size, format.kerning);
    } else if (deviceFontsAvailable()) {
      face = std::make_unique<DeviceFace>(format);
    } else {
      face = std::make_unique<MissingFace>();
    }
    faces_.emplace_back(key, std::move(face));
    return *faces_.back().second;
  }

  const Font* embeddedFor(const TextFormat& format) const {
    if (!field_.useOutlines) return nullptr;
    const bool sameFace = format.face.compare(deviceName_, Qt::CaseInsensitive) == 0;
    if (embedded_ && sameFace && format.bold == embedded_->bold &&
        format.italic == embedded_->italic) {
      return embedded_;
    }
    if (const Font* font = embeddedFonts_(format.face, format.bold, format.italic)) return font;
    return sameFace ? embedded_ : nullptr;
  }

  double lineWidth(const ParagraphSpacing& spacing, bool firstLine) const {
    const double width = (field_.bounds.xMax - field_.bounds.xMin) - 2 * kGutter -
                         spacing.leftMargin - spacing.rightMargin -
                         (firstLine ? spacing.indent : 0);
    return std::max(0.0, width);
  }

  std::vector<Piece> measure(const TextParagraph& paragraph) {
    std::vector<Piece> pieces = splitPieces(paragraph.runs);
    for (std::size_t i = 0; i < pieces.size(); ++i) {
      Face& face = faceFor(paragraph.runs[pieces[i].run].format);
      pieces[i].width = face.advance(pieces[i].text);
      if (i > 0 && &faceFor(paragraph.runs[pieces[i - 1].run].format) == &face) {
        pieces[i].kerning = face.kerning(pieces[i - 1].text.back(), pieces[i].text.front());
      }
    }
    return pieces;
  }

  void breakLines(std::size_t index) {
    const MeasuredParagraph& measured = measured_[index];
    const std::vector<Piece>& pieces = measured.pieces;
    const ParagraphSpacing& spacing = measured.paragraph->spacing;
    const std::size_t firstLine = lines_.size();
    lines_.emplace_back();
    lines_.back().paragraph = index;
    double used = 0;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
      const Piece& piece = pieces[i];
      Line* line = &lines_.back();
      const bool overflows = used + piece.kerning + piece.width >
                             lineWidth(spacing, lines_.size() == firstLine + 1) + kWrapSlack;
      if (field_.wordWrap && !piece.space && overflows && line->width > 0) {
        lines_.emplace_back();
        line = &lines_.back();
        line->paragraph = index;
        used = 0;
      }
      if (piece.space && line->pieces.empty() && lines_.size() > firstLine + 1) continue;
      if (!line->pieces.empty()) used += piece.kerning;
      line->pieces.push_back(i);
      used += piece.width;
      if (!piece.space) line->width = used;
    }
    lines_[firstLine].first = true;
    lines_.back().last = true;
    for (std::size_t l = firstLine; l < lines_.size(); ++l) {
      Line& line = lines_[l];
      if (line.pieces.empty()) {
        Face& face = faceFor(measured.paragraph->format);
        line.ascent = face.ascent();
        line.descent = face.descent();
      }
      for (std::size_t i : line.pieces) {
        Face& face = faceFor(measured.paragraph->runs[pieces[i].run].format);
        line.ascent = std::max(line.ascent, face.ascent());
        line.descent = std::max(line.descent, face.descent());
      }
    }
  }

  void placeLine(const Line& line, double baseline,
                 std::map<std::uint32_t, QPainterPath>& byColour) {
    const MeasuredParagraph& measured = measured_[line.paragraph];
    const TextParagraph& paragraph = *measured.paragraph;
    const std::vector<Piece>& pieces = measured.pieces;
    const ParagraphSpacing& spacing = paragraph.spacing;
    const double available = lineWidth(spacing, line.first);
    double x =
        field_.bounds.xMin + kGutter + spacing.leftMargin + (line.first ? spacing.indent : 0);
    double spaceStretch = 0;
    switch (paragraph.align) {
      case TextAlign::Left:
        break;
      case TextAlign::Right:
        x += available - line.width;
        break;
      case TextAlign::Center:
        x += (available - line.width) / 2;
        break;
      case TextAlign::Justify: {
        const auto spaces = std::count_if(line.pieces.begin(), line.pieces.end(),
                                          [&](std::size_t i) { return pieces[i].space; });
        if (!line.last && spaces > 0 && line.width < available) {
          spaceStretch = (available - line.width) / static_cast<double>(spaces);
        }
        break;
      }
    }
    for (std::size_t i : line.pieces) {
      const Piece& piece = pieces[i];
      if (i != line.pieces.front()) x += piece.kerning;
      const TextFormat& format = paragraph.runs[piece.run].format;
      QPainterPath& path = byColour[colourKey(format.colour)];
      if (!piece.space) {
        QPainterPath outline;
        faceFor(format).outline(shownText(piece.text), QPointF(x, baseline), outline);
        path.addPath(clipped(outline));
      }
      const double width = piece.width + (piece.space ? spaceStretch : 0);
      if (format.underline) {
        const double thickness = std::max(20.0, format.size / 16);
        QPainterPath underline;
        underline.addRect(QRectF(x, baseline + format.size / 10, width, thickness));
        path.addPath(clipped(underline));
      }
      x += width;
    }
  }

  QString shownText(const QString& text) const {
    return field_.password ? QString(text.size(), QChar('*')) : text;
  }

  // Cuts what lies outside the field; fields that size themselves show all.
  QPainterPath clipped(const QPainterPath& path) const {
    const QRectF bounds(field_.bounds.xMin, field_.bounds.yMin,
                        field_.bounds.xMax - field_.bounds.xMin,
                        field_.bounds.yMax - field_.bounds.yMin);
    if (field_.autoSize || bounds.contains(path.controlPointRect())) return path;
    QPainterPath area;
    area.addRect(bounds);
    return path.intersected(area);
  }

  static std::uint32_t colourKey(const Rgba& colour) {
    return std::uint32_t{colour.red} << 24 | colour.green << 16 | colour.blue << 8 | colour.alpha;
  }

  const EditText& field_;
  const EmbeddedFonts& embeddedFonts_;
  const Font* embedded_ = nullptr;
  QString deviceName_;
  std::vector<std::pair<TextFormat, std::unique_ptr<Face>>> faces_;
  std::deque<TextParagraph> cutParagraphs_;  // paragraphs cut at the character limit
  std::vector<MeasuredParagraph> measured_;
  std::vector<Line> lines_;
};

FillStyle solidFill(const Rgba& colour) {
  FillStyle fill;
  fill.colour = colour;
  return fill;
}

// The background, then a frame one pixel wide whose pixels start at each
// edge of the bounds: it lies inside them at the left and top and outside
// at the right and bottom.
void addFrame(Shape& shape, const Rect& bounds, const FieldFrame& frame) {
  ShapeLayer layer;
  Rect outer = bounds;
  if (frame.border) {
    outer.xMax += kBorderWidth;
    outer.yMax += kBorderWidth;
  }
  Rect inner = bounds;
  if (frame.border) {
    inner.xMin = std::min(inner.xMin + kBorderWidth, inner.xMax);
    inner.yMin = std::min(inner.yMin + kBorderWidth, inner.yMax);
  }
  const std::uint16_t background = frame.background ? 1 : 0;
  if (frame.background) layer.fills.push_back(solidFill(frame.backgroundColour));
  if (frame.border) {
    layer.fills.push_back(solidFill(frame.borderColour));
    const auto border = static_cast<std::uint16_t>(layer.fills.size());
    addRectangle(layer, outer, border, 0);
    addRectangle(layer, inner, background, border);
  } else {
    addRectangle(layer, inner, background, 0);
  }
  shape.layers.push_back(std::move(layer));
}

}  // namespace

TextFormat fieldBaseFormat(const EditText& field, const Font* font) {
  TextFormat format;
  format.face = font && !font->name.isEmpty() ? font->name : QStringLiteral("_serif");
  format.size = field.height;
  format.colour = field.colour;
  // HTML text states its own styles.
  if (font && field.useOutlines && !font->glyphs.empty() && !field.html) {
    format.bold = font->bold;
    format.italic = font->italic;
  }
  return format;
}

LaidOutField layoutParagraphs(const EditText& field, const std::vector<TextParagraph>& paragraphs,
                              const FieldFrame& frame, const Font* font,
                              const EmbeddedFonts& embeddedFonts) {
  LaidOutField result;
  Shape& shape = result.shape;
  shape.id = field.id;
  shape.version = 3;
  shape.bounds = shape.edgeBounds = field.bounds;
  shape.windingFill = true;
  if (frame.border || frame.background) {
    addFrame(shape, field.bounds, frame);
    if (frame.border) {
      shape.bounds.xMax += kBorderWidth;
      shape.bounds.yMax += kBorderWidth;
    }
    shape.edgeBounds = shape.bounds;
  }

  FieldLayouter layouter(field, font, embeddedFonts);
  layouter.lay(paragraphs);
  result.metrics = layouter.metrics(frame.scroll);
  ShapeLayer layer;
  for (const auto& [colour, path] : layouter.outline(frame.scroll)) {
    if (path.isEmpty()) continue;
    layer.fills.push_back(solidFill(
        Rgba{static_cast<std::uint8_t>(colour >> 24), static_cast<std::uint8_t>(colour >> 16),
             static_cast<std::uint8_t>(colour >> 8), static_cast<std::uint8_t>(colour)}));
    appendOutline(layer, path, static_cast<std::uint16_t>(layer.fills.size()));
  }
  if (!layer.edges.empty()) shape.layers.push_back(std::move(layer));
  return result;
}

Shape layoutField(const EditText& field, const QString& text, const Font* font,
                  const EmbeddedFonts& embeddedFonts) {
  const QString shown = text.left(kMaxCharacters);
  const TextFormat base = fieldBaseFormat(field, font);
  auto paragraphs = field.html ? htmlTextParagraphs(shown, base, field.align)
                               : plainTextParagraphs(shown, base, field.align);
  const ParagraphSpacing spacing{double(field.leftMargin), double(field.rightMargin),
                                 double(field.indent), double(field.leading)};
  for (TextParagraph& paragraph : paragraphs) paragraph.spacing = spacing;
  FieldFrame frame;
  frame.background = frame.border = field.border;
  return layoutParagraphs(field, paragraphs, frame, font, embeddedFonts).shape;
}

}  // namespace quelvo::swf
