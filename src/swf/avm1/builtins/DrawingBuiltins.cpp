#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <optional>

#include "swf/avm1/NumberText.h"
#include "swf/avm1/builtins/Builtins.h"
#include "swf/avm1/builtins/NativeSupport.h"

namespace quelvo::swf::avm1 {

namespace {

// A gradient has at most this many colour stops.
constexpr std::size_t kMaxGradientStops = 15;

// The gradient square of the drawing API is 1638.4 pixels wide.
constexpr double kGradientSquare = 1638.4;

Value send(NativeCall& call, const DrawCommand& command) {
  if (const ClipHandle clip = thisClip(call)) call.vm.host().draw(clip, command);
  return {};
}

Value drawWithNumbers(NativeCall& call, DrawCommand::Op op, std::size_t count) {
  DrawCommand command;
  command.op = op;
  for (std::size_t i = 0; i < count; ++i) command.args[i] = numberArg(call, i);
  return send(call, command);
}

double numberOr(NativeCall& call, std::size_t index, double fallback) {
  return call.arg(index).isUndefined() ? fallback : numberArg(call, index);
}

Value clear(NativeCall& call) { return drawWithNumbers(call, DrawCommand::Op::Clear, 0); }
Value moveTo(NativeCall& call) { return drawWithNumbers(call, DrawCommand::Op::MoveTo, 2); }
Value lineTo(NativeCall& call) { return drawWithNumbers(call, DrawCommand::Op::LineTo, 2); }
Value curveTo(NativeCall& call) { return drawWithNumbers(call, DrawCommand::Op::CurveTo, 4); }
Value endFill(NativeCall& call) { return drawWithNumbers(call, DrawCommand::Op::EndFill, 0); }

// The position among names of the string argument at index; fallback when
// the argument is missing or none of them.
std::uint8_t choice(NativeCall& call, std::size_t index, std::initializer_list<const char*> names,
                    std::uint8_t fallback) {
  if (call.arg(index).isUndefined()) return fallback;
  const QString name = stringArg(call, index);
  std::uint8_t code = 0;
  for (const char* candidate : names) {
    if (name == QLatin1String(candidate)) return code;
    ++code;
  }
  return fallback;
}

// lineStyle(thickness, rgb, alpha, pixelHinting, noScale, capsStyle,
// jointStyle, miterLimit); no thickness: no line.
Value lineStyle(NativeCall& call) {
  DrawCommand command;
  command.op = DrawCommand::Op::LineStyle;
  command.args = {numberOr(call, 0, std::nan("")), numberOr(call, 1, 0), numberOr(call, 2, 100), 0};
  LineOptions& line = command.line;
  line.pixelHinting = !call.arg(3).isUndefined() && call.vm.toBoolean(call.arg(3));
  const std::uint8_t scale = choice(call, 4, {"normal", "none", "vertical", "horizontal"}, 0);
  line.noHorizontalScale = scale == 1 || scale == 3;
  line.noVerticalScale = scale == 1 || scale == 2;
  line.caps = choice(call, 5, {"round", "none", "square"}, 0);
  line.joints = choice(call, 6, {"round", "bevel", "miter"}, 0);
  const double limit = numberOr(call, 7, 3);
  line.miterLimit = std::isnan(limit) ? 3 : std::clamp(limit, 1.0, 255.0);
  return send(call, command);
}

// beginFill(rgb, alpha); no colour: no fill.
Value beginFill(NativeCall& call) {
  DrawCommand command;
  command.op = DrawCommand::Op::BeginFill;
  command.args = {numberOr(call, 0, std::nan("")), numberOr(call, 1, 100), 0, 0};
  return send(call, command);
}

std::vector<double> numbers(NativeCall& call, const Value& list) {
  std::vector<double> values;
  if (const ArrayObject* array = asArray(list)) {
    for (const Value& element : array->elements) {
      if (values.size() == kMaxGradientStops) break;
      values.push_back(call.vm.toNumber(element));
    }
  }
  return values;
}

// {matrixType: "box", x, y, w, h, r}, {a, b, c, d, tx, ty} or {a, b, d, e, g, h}
std::array<double, 6> gradientMatrix(NativeCall& call, const Value& spec) {
  const auto field = [&](const char* name) {
    return call.vm.toNumber(call.vm.getMember(spec, QString::fromLatin1(name)));
  };
  if (call.vm.toString(call.vm.getMember(spec, QStringLiteral("matrixType"))) ==
      QLatin1String("box")) {
    const double width = field("w");
    const double height = field("h");
    const double angle = field("r");
    const double sx = width / kGradientSquare;
    const double sy = height / kGradientSquare;
    return {std::cos(angle) * sx, std::sin(angle) * sx,   -std::sin(angle) * sy,
            std::cos(angle) * sy, field("x") + width / 2, field("y") + height / 2};
  }
  // A flash.geom.Matrix, or the a b d e g h of a 3 x 3 matrix.
  if (!call.vm.getMember(spec, QStringLiteral("tx")).isUndefined()) {
    return {field("a"), field("b"), field("c"), field("d"), field("tx"), field("ty")};
  }
  return {field("a"), field("b"), field("d"), field("e"), field("g"), field("h")};
}

// (type, colors, alphas, ratios, matrix, spreadMethod, interpolationMethod,
// focalPointRatio) of beginGradientFill and lineGradientStyle. Nothing when
// the matrix is missing, the type is not "linear" or "radial", the arrays
// differ in length, a ratio is outside 0-255 or there are more arguments: the
// call is then ignored.
std::optional<GradientFill> gradientArgs(NativeCall& call) {
  constexpr std::size_t kMinArgs = 5, kMaxArgs = 8;
  if (call.args.size() < kMinArgs || call.args.size() > kMaxArgs) return std::nullopt;
  GradientFill gradient;
  const QString type = stringArg(call, 0);
  if (type != QLatin1String("linear") && type != QLatin1String("radial")) return std::nullopt;
  gradient.radial = type == QLatin1String("radial");
  for (const double color : numbers(call, call.arg(1))) {
    gradient.colors.push_back(toUint32(color) & 0xFFFFFF);
  }
  gradient.alphas = numbers(call, call.arg(2));
  gradient.ratios = numbers(call, call.arg(3));
  if (gradient.colors.empty() || gradient.colors.size() != gradient.alphas.size() ||
      gradient.colors.size() != gradient.ratios.size()) {
    return std::nullopt;
  }
  for (double& ratio : gradient.ratios) {
    ratio = std::isnan(ratio) ? 0 : std::trunc(ratio);
    if (ratio < 0 || ratio > 255) return std::nullopt;
  }
  gradient.matrix = gradientMatrix(call, call.arg(4));
  if (!call.arg(5).isUndefined()) {
    const QString spread = stringArg(call, 5);
    if (spread == QLatin1String("reflect")) gradient.spread = GradientFill::Spread::Reflect;
    if (spread == QLatin1String("repeat")) gradient.spread = GradientFill::Spread::Repeat;
  }
  gradient.linearRgb =
      !call.arg(6).isUndefined() && stringArg(call, 6) == QLatin1String("linearRGB");
  // Kept as the file format keeps it, in 8.8 fixed point: 0.9 draws as 230/256.
  const double focal = numberOr(call, 7, 0);
  gradient.focalPoint =
      std::isfinite(focal) ? std::trunc(std::clamp(focal, -1.0, 1.0) * 256) / 256 : 0;
  return gradient;
}

Value sendGradient(NativeCall& call, DrawCommand::Op op) {
  auto gradient = gradientArgs(call);
  if (!gradient) return {};
  DrawCommand command;
  command.op = op;
  command.gradient = std::move(*gradient);
  return send(call, command);
}

Value beginGradientFill(NativeCall& call) {
  return sendGradient(call, DrawCommand::Op::BeginGradientFill);
}

Value lineGradientStyle(NativeCall& call) {
  return sendGradient(call, DrawCommand::Op::LineGradientStyle);
}

}  // namespace

void installDrawing(Vm& vm, Object* movieClipProto) {
  const std::pair<const char*, NativeFn> methods[] = {
      {"clear", clear},
      {"lineStyle", lineStyle},
      {"beginFill", beginFill},
      {"beginGradientFill", beginGradientFill},
      {"moveTo", moveTo},
      {"lineTo", lineTo},
      {"curveTo", curveTo},
      {"endFill", endFill},
      {"lineGradientStyle", lineGradientStyle},
  };
  for (const auto& [name, fn] : methods) {
    vm.defineMethod(movieClipProto, QString::fromLatin1(name), fn);
  }
}

}  // namespace quelvo::swf::avm1
