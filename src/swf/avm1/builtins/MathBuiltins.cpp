#include <cmath>
#include <limits>
#include <numbers>

#include "swf/avm1/builtins/Builtins.h"
#include "swf/avm1/builtins/NativeSupport.h"

namespace quelvo::swf::avm1 {

namespace {

template <double (*F)(double)>
Value unary(NativeCall& call) {
  return Value::number(F(numberArg(call, 0)));
}

double absolute(double x) { return std::fabs(x); }
double arcCosine(double x) { return std::acos(x); }
double arcSine(double x) { return std::asin(x); }
double arcTangent(double x) { return std::atan(x); }
double ceiling(double x) { return std::ceil(x); }
double cosine(double x) { return std::cos(x); }
double exponential(double x) { return std::exp(x); }
double flooring(double x) { return std::floor(x); }
double logarithm(double x) { return std::log(x); }
double sine(double x) { return std::sin(x); }
double squareRoot(double x) { return std::sqrt(x); }
double tangent(double x) { return std::tan(x); }
// Halves round up, towards positive infinity.
double rounding(double x) { return std::floor(x + 0.5); }

Value atan2(NativeCall& call) {
  return Value::number(std::atan2(numberArg(call, 0), numberArg(call, 1)));
}

Value pow(NativeCall& call) {
  return Value::number(std::pow(numberArg(call, 0), numberArg(call, 1)));
}

Value extreme(NativeCall& call, bool wantMax) {
  double result =
      wantMax ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
  for (std::size_t i = 0; i < call.args.size(); ++i) {
    const double value = numberArg(call, i);
    if (std::isnan(value)) return Value::number(value);
    if (wantMax ? value > result : value < result) result = value;
  }
  return Value::number(result);
}

Value max(NativeCall& call) { return extreme(call, true); }
Value min(NativeCall& call) { return extreme(call, false); }

Value random(NativeCall& call) { return Value::number(call.vm.host().random()); }

}  // namespace

void installMath(Vm& vm) {
  Object* math = vm.newObject();
  vm.defineValue(vm.global(), QStringLiteral("Math"), Value::object(math));
  constexpr std::uint8_t kConstant = DontEnum | DontDelete | ReadOnly;
  const std::pair<const char*, double> constants[] = {
      {"E", std::numbers::e},
      {"LN10", std::numbers::ln10},
      {"LN2", std::numbers::ln2},
      {"LOG10E", std::numbers::log10e},
      {"LOG2E", std::numbers::log2e},
      {"PI", std::numbers::pi},
      {"SQRT1_2", std::numbers::sqrt2 / 2},
      {"SQRT2", std::numbers::sqrt2},
  };
  for (const auto& [name, value] : constants) {
    vm.defineValue(math, QString::fromLatin1(name), Value::number(value), kConstant);
  }
  const std::pair<const char*, NativeFn> functions[] = {
      {"abs", unary<absolute>},
      {"acos", unary<arcCosine>},
      {"asin", unary<arcSine>},
      {"atan", unary<arcTangent>},
      {"atan2", atan2},
      {"ceil", unary<ceiling>},
      {"cos", unary<cosine>},
      {"exp", unary<exponential>},
      {"floor", unary<flooring>},
      {"log", unary<logarithm>},
      {"max", max},
      {"min", min},
      {"pow", pow},
      {"random", random},
      {"round", unary<rounding>},
      {"sin", unary<sine>},
      {"sqrt", unary<squareRoot>},
      {"tan", unary<tangent>},
  };
  for (const auto& [name, fn] : functions) vm.defineMethod(math, QString::fromLatin1(name), fn);
}

}  // namespace quelvo::swf::avm1
