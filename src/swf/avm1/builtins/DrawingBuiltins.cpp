#include <cmath>

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

// lineStyle(thickness, rgb, alpha); no thickness: no line.
Value lineStyle(NativeCall& call) {
  DrawCommand command;
  command.op = DrawCommand::Op::LineStyle;
  command.args = {numberOr(call, 0, std::nan("")), numberOr(call, 1, 0), numberOr(call, 2, 100), 0};
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

// {matrixType: "box", x, y, w, h, r} or {a, b, d, e, g, h}
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
  return {field("a"), field("b"), field("d"), field("e"), field("g"), field("h")};
}

// beginGradientFill(type, colors, alphas, ratios, matrix)
Value beginGradientFill(NativeCall& call) {
  DrawCommand command;
  command.op = DrawCommand::Op::BeginGradientFill;
  GradientFill& gradient = command.gradient;
  gradient.radial = stringArg(call, 0) == QLatin1String("radial");
  for (const double color : numbers(call, call.arg(1))) {
    gradient.colors.push_back(toUint32(color) & 0xFFFFFF);
  }
  gradient.alphas = numbers(call, call.arg(2));
  gradient.ratios = numbers(call, call.arg(3));
  const std::size_t stops =
      std::min({gradient.colors.size(), gradient.alphas.size(), gradient.ratios.size()});
  gradient.colors.resize(stops);
  gradient.alphas.resize(stops);
  gradient.ratios.resize(stops);
  gradient.matrix = gradientMatrix(call, call.arg(4));
  return send(call, command);
}

}  // namespace

void installDrawing(Vm& vm, Object* movieClipProto) {
  const std::pair<const char*, NativeFn> methods[] = {
      {"clear", clear},         {"lineStyle", lineStyle},
      {"beginFill", beginFill}, {"beginGradientFill", beginGradientFill},
      {"moveTo", moveTo},       {"lineTo", lineTo},
      {"curveTo", curveTo},     {"endFill", endFill},
  };
  for (const auto& [name, fn] : methods) {
    vm.defineMethod(movieClipProto, QString::fromLatin1(name), fn);
  }
}

}  // namespace quelvo::swf::avm1
