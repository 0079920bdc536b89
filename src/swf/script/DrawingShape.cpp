#include "swf/script/DrawingShape.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "swf/avm1/NumberText.h"

namespace quelvo::swf {

namespace {

using avm1::DrawCommand;

constexpr double kTwipsPerPixel = 20.0;
constexpr double kMaxTwips = 1 << 28;

std::int32_t twips(double pixels) {
  const double value = pixels * kTwipsPerPixel;
  if (!std::isfinite(value)) return 0;
  return static_cast<std::int32_t>(std::lround(std::clamp(value, -kMaxTwips, kMaxTwips)));
}

std::uint8_t channel(double value) {
  return static_cast<std::uint8_t>(
      std::lround(std::clamp(std::isfinite(value) ? value : 0.0, 0.0, 255.0)));
}

// Colours wrap as 32-bit integers do (-1 is white); the top byte is ignored.
Rgba colour(double rgb, double alphaPercent) {
  const std::uint32_t bits = avm1::toUint32(rgb);
  return Rgba{static_cast<std::uint8_t>(bits >> 16), static_cast<std::uint8_t>(bits >> 8),
              static_cast<std::uint8_t>(bits), channel(alphaPercent * 2.55)};
}

// One bitmap pixel is a unit of the fill's matrix, in twips.
FillStyle bitmapStyle(const DrawCommand& command) {
  FillStyle style;
  style.kind = FillKind::Bitmap;
  style.scriptBitmap = command.bitmap;
  std::array<double, 6> m = command.bitmapMatrix;
  for (double& value : m) value = std::isfinite(value) ? value * kTwipsPerPixel : 0;
  style.matrix = Matrix{m[0], m[1], m[2], m[3], m[4], m[5]};
  style.bitmapRepeats = command.args[0] != 0;
  style.bitmapSmoothed = command.args[1] != 0;
  return style;
}

FillStyle gradientStyle(const avm1::GradientFill& fill) {
  FillStyle style;
  style.kind = !fill.radial             ? FillKind::LinearGradient
               : fill.focalPoint != 0.0 ? FillKind::FocalGradient
                                        : FillKind::RadialGradient;
  style.gradient.focalPoint = fill.focalPoint;
  style.gradient.interpolation =
      fill.linearRgb ? InterpolationMode::LinearRgb : InterpolationMode::Normal;
  switch (fill.spread) {
    case avm1::GradientFill::Spread::Pad:
      style.gradient.spread = SpreadMode::Pad;
      break;
    case avm1::GradientFill::Spread::Reflect:
      style.gradient.spread = SpreadMode::Reflect;
      break;
    case avm1::GradientFill::Spread::Repeat:
      style.gradient.spread = SpreadMode::Repeat;
      break;
  }
  const auto& m = fill.matrix;
  style.matrix = Matrix{m[0], m[1], m[2], m[3], m[4] * kTwipsPerPixel, m[5] * kTwipsPerPixel};
  const std::size_t stops =
      std::min({fill.colors.size(), fill.alphas.size(), fill.ratios.size(), std::size_t{15}});
  for (std::size_t i = 0; i < stops; ++i) {
    style.gradient.stops.push_back(
        GradientStop{channel(fill.ratios[i]), colour(fill.colors[i], fill.alphas[i])});
  }
  return style;
}

class ShapeBuilder {
 public:
  ShapeBuilder() {
    shape_.version = 4;
    shape_.layers.emplace_back();
  }

  void apply(const DrawCommand& command) {
    const auto& a = command.args;
    switch (command.op) {
      case DrawCommand::Op::Clear:
        *this = ShapeBuilder();
        break;
      case DrawCommand::Op::LineStyle:
        if (std::isnan(a[0])) {
          lineStyle_.reset();
          line_ = 0;
        } else {
          LineStyle style;
          style.width = static_cast<std::uint16_t>(std::clamp(a[0], 0.0, 255.0) * kTwipsPerPixel);
          style.colour = colour(a[1], a[2]);
          const avm1::LineOptions& options = command.line;
          style.pixelHinting = options.pixelHinting;
          style.noHorizontalScale = options.noHorizontalScale;
          style.noVerticalScale = options.noVerticalScale;
          style.startCap = style.endCap = static_cast<CapStyle>(std::min<int>(options.caps, 2));
          style.join = static_cast<JoinStyle>(std::min<int>(options.joints, 2));
          style.miterLimit = options.miterLimit;
          lineStyle_ = style;
          addLineStyle();
        }
        break;
      case DrawCommand::Op::BeginFill:
        if (std::isnan(a[0])) {
          endFill();
        } else {
          FillStyle style;
          style.colour = colour(a[0], a[1]);
          beginFill(style);
        }
        break;
      case DrawCommand::Op::BeginGradientFill:
        beginFill(gradientStyle(command.gradient));
        break;
      case DrawCommand::Op::BeginBitmapFill:
        beginFill(bitmapStyle(command));
        break;
      case DrawCommand::Op::LineGradientStyle:
        if (lineStyle_) {
          lineStyle_->fill = gradientStyle(command.gradient);
          addLineStyle();
        }
        break;
      case DrawCommand::Op::MoveTo:
        closeFill();
        pen_ = start_ = {twips(a[0]), twips(a[1])};
        break;
      case DrawCommand::Op::LineTo:
        addEdge(ShapePoint{twips(a[0]), twips(a[1])}, std::nullopt, line_);
        break;
      case DrawCommand::Op::CurveTo:
        addEdge(ShapePoint{twips(a[2]), twips(a[3])}, ShapePoint{twips(a[0]), twips(a[1])}, line_);
        break;
      case DrawCommand::Op::EndFill:
        endFill();
        break;
    }
  }

  Shape finish() {
    closeFill();
    Rect bounds{0, 0, 0, 0};
    bool first = true;
    for (const ShapeLayer& layer : shape_.layers) {
      for (const ShapeEdge& edge : layer.edges) {
        for (const ShapePoint& p : {edge.from, edge.to}) {
          bounds = first ? Rect{p.x, p.x, p.y, p.y}
                         : Rect{std::min(bounds.xMin, p.x), std::max(bounds.xMax, p.x),
                                std::min(bounds.yMin, p.y), std::max(bounds.yMax, p.y)};
          first = false;
        }
      }
    }
    shape_.bounds = shape_.edgeBounds = bounds;
    return std::move(shape_);
  }

 private:
  ShapeLayer& layer() { return shape_.layers.back(); }

  void addLineStyle() {
    layer().lines.push_back(*lineStyle_);
    line_ = static_cast<std::uint16_t>(layer().lines.size());
  }

  void beginFill(const FillStyle& style) {
    endFill();
    if (!layer().edges.empty() || !layer().fills.empty()) {
      shape_.layers.emplace_back();
      if (lineStyle_) addLineStyle();
    }
    layer().fills.push_back(style);
    fill_ = static_cast<std::uint16_t>(layer().fills.size());
    start_ = pen_;
  }

  void endFill() {
    closeFill();
    fill_ = 0;
  }

  // A fill's outline always closes, with the line in use.
  void closeFill() {
    if (fill_ != 0 && !(pen_ == start_)) addEdge(start_, std::nullopt, line_);
    start_ = pen_;
  }

  void addEdge(ShapePoint to, std::optional<ShapePoint> control, std::uint16_t line) {
    if ((fill_ != 0 || line != 0) && layer().edges.size() < kMaxEdges) {
      ShapeEdge edge;
      edge.from = pen_;
      edge.to = to;
      edge.curved = control.has_value();
      edge.control = control.value_or(ShapePoint{});
      edge.fill1 = fill_;
      edge.line = line;
      layer().edges.push_back(edge);
    }
    pen_ = to;
  }

  static constexpr std::size_t kMaxEdges = std::size_t{1} << 20;

  Shape shape_;
  std::optional<LineStyle> lineStyle_;
  std::uint16_t fill_ = 0;
  std::uint16_t line_ = 0;
  ShapePoint pen_;
  ShapePoint start_;
};

}  // namespace

Shape drawingShape(std::span<const DrawCommand> commands) {
  ShapeBuilder builder;
  for (const DrawCommand& command : commands) builder.apply(command);
  return builder.finish();
}

}  // namespace quelvo::swf
