// flash.filters: BitmapFilter and its nine subclasses. Each class is a list
// of fields in constructor order; a field reads and writes the filter's
// parameters directly, with the ranges scripts are held to.
#include "swf/avm1/builtins/FilterClasses.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <utility>

#include "swf/avm1/BitmapDataObject.h"
#include "swf/avm1/NumberText.h"
#include "swf/avm1/builtins/BitmapDataMethods.h"
#include "swf/avm1/builtins/FilterObject.h"
#include "swf/avm1/builtins/NativeSupport.h"

namespace quelvo::swf::avm1 {

namespace {

using effects::BlurParams;
using effects::ColorMatrixParams;
using effects::ConvolutionParams;
using effects::DisplacementMapParams;
using effects::EdgeParams;
using effects::FilterParams;
using effects::GradientStop;
using Kind = EdgeParams::Kind;

// Gradient filters hold at most this many colours.
constexpr std::size_t kMaxStops = 16;
constexpr int kMaxKernelSide = 15;

double finite(double value) { return std::isfinite(value) ? value : 0; }
double within(double value, double low, double high) {
  return std::clamp(finite(value), low, high);
}

template <class P>
auto* blurOf(P& params) {
  using Blur = std::conditional_t<std::is_const_v<P>, const BlurParams, BlurParams>;
  if (auto* blur = std::get_if<BlurParams>(&params)) return static_cast<Blur*>(blur);
  auto* edge = std::get_if<EdgeParams>(&params);
  return edge ? static_cast<Blur*>(&edge->blur) : static_cast<Blur*>(nullptr);
}

bool isGradient(const EdgeParams& edge) {
  return edge.kind == Kind::GradientGlow || edge.kind == Kind::GradientBevel;
}

// The colour of the color / alpha fields: a shadow's or glow's (the last
// stop of its fade), a convolution's edge colour, a displacement's fill.
QRgb* mainColour(FilterParams& params) {
  if (auto* edge = std::get_if<EdgeParams>(&params)) {
    const bool plain = !edge->isBevel() && !isGradient(*edge);
    return plain && !edge->stops.empty() ? &edge->stops.back().colour : nullptr;
  }
  if (auto* kernel = std::get_if<ConvolutionParams>(&params)) return &kernel->defaultColour;
  if (auto* map = std::get_if<DisplacementMapParams>(&params)) return &map->colour;
  return nullptr;
}

// A bevel's ramp runs from the highlight (first stop) to the shadow (last).
QRgb* bevelColour(FilterParams& params, bool shadow) {
  auto* edge = std::get_if<EdgeParams>(&params);
  if (edge == nullptr || edge->kind != Kind::Bevel || edge->stops.empty()) return nullptr;
  return shadow ? &edge->stops.back().colour : &edge->stops.front().colour;
}
QRgb* highlightColour(FilterParams& params) { return bevelColour(params, false); }
QRgb* shadowColour(FilterParams& params) { return bevelColour(params, true); }

// Keeps what depends on other fields in step: a shadow's or glow's fade
// starts from its colour made clear, a kernel has columns x rows entries.
void settle(FilterParams& params) {
  if (auto* edge = std::get_if<EdgeParams>(&params)) {
    if ((edge->kind == Kind::DropShadow || edge->kind == Kind::Glow) && edge->stops.size() == 2) {
      edge->stops.front().colour = edge->stops.back().colour & 0x00FFFFFF;
    }
  }
  if (auto* kernel = std::get_if<ConvolutionParams>(&params)) {
    kernel->matrix.resize(static_cast<std::size_t>(kernel->columns * kernel->rows), 0.0f);
  }
}

// --- Fields

enum class Shape : std::uint8_t { Number, Boolean, Choice, Custom };

struct Field {
  const char* name;
  Shape shape;
  double (*read)(FilterParams&) = nullptr;
  void (*write)(FilterParams&, double) = nullptr;
  std::span<const char* const> choices = {};
  Value (*get)(Vm&, FilterObject&) = nullptr;
  void (*set)(Vm&, FilterObject&, const Value&) = nullptr;
};

// A true-or-false setting of one kind of filter.
template <class P, bool P::*Member>
Field flagField(const char* name) {
  return {name, Shape::Boolean, [](FilterParams& p) { return double(std::get<P>(p).*Member); },
          [](FilterParams& p, double v) { std::get<P>(p).*Member = v != 0; }};
}

template <QRgb* (*Slot)(FilterParams&)>
Field rgbField(const char* name) {
  return {name, Shape::Number,
          [](FilterParams& p) {
            const QRgb* c = Slot(p);
            return c ? double(*c & 0xFFFFFF) : 0.0;
          },
          [](FilterParams& p, double v) {
            if (QRgb* c = Slot(p)) *c = (*c & 0xFF000000) | (toUint32(v) & 0xFFFFFF);
          }};
}

template <QRgb* (*Slot)(FilterParams&)>
Field alphaField(const char* name) {
  return {name, Shape::Number,
          [](FilterParams& p) {
            const QRgb* c = Slot(p);
            return c ? qAlpha(*c) / 255.0 : 0.0;
          },
          [](FilterParams& p, double v) {
            const auto alpha = static_cast<QRgb>(std::lround(within(v, 0, 1) * 255));
            if (QRgb* c = Slot(p)) *c = (*c & 0xFFFFFF) | (alpha << 24);
          }};
}

template <class P>
P* paramsAs(FilterParams& params) {
  return std::get_if<P>(&params);
}

Value numberArray(Vm& vm, const std::vector<double>& numbers) {
  std::vector<Value> values;
  for (double number : numbers) values.push_back(Value::number(number));
  return Value::object(vm.newArray(std::move(values)));
}

// colors, alphas and ratios of a gradient filter: each stop's part. colors
// decides how many stops there are; the other two fill in the stops there
// are, from the first.
enum class StopPart : std::uint8_t { Colour, Alpha, Ratio };

template <StopPart Part>
Field stopsField(const char* name) {
  Field field{name, Shape::Custom};
  field.get = [](Vm& vm, FilterObject& f) {
    std::vector<double> numbers;
    for (const GradientStop& stop : std::get<EdgeParams>(f.params).stops) {
      if constexpr (Part == StopPart::Colour) numbers.push_back(stop.colour & 0xFFFFFF);
      if constexpr (Part == StopPart::Alpha) numbers.push_back(qAlpha(stop.colour) / 255.0);
      if constexpr (Part == StopPart::Ratio) numbers.push_back(stop.ratio);
    }
    return numberArray(vm, numbers);
  };
  field.set = [](Vm& vm, FilterObject& f, const Value& value) {
    if (value.objectOrNull() == nullptr) return;
    auto& stops = std::get<EdgeParams>(f.params).stops;
    const auto items = arrayElements(vm, value, kMaxStops);
    if constexpr (Part == StopPart::Colour) stops.resize(items.size(), {0xFF000000, 0});
    for (std::size_t i = 0; i < std::min(items.size(), stops.size()); ++i) {
      const double v = vm.toNumber(items[i]);
      QRgb& colour = stops[i].colour;
      if constexpr (Part == StopPart::Colour) {
        colour = (colour & 0xFF000000) | (toUint32(v) & 0xFFFFFF);
      } else if constexpr (Part == StopPart::Alpha) {
        colour = (colour & 0xFFFFFF) | (QRgb(std::lround(within(v, 0, 1) * 255)) << 24);
      } else {
        stops[i].ratio = std::uint8_t(std::lround(within(v, 0, 255)));
      }
    }
  };
  return field;
}

// matrix: a colour matrix's 20 numbers, or a kernel's columns x rows; what
// a shorter array leaves out is 0.
Field matrixField() {
  Field field{"matrix", Shape::Custom};
  field.get = [](Vm& vm, FilterObject& f) {
    std::vector<double> numbers;
    if (auto* colour = paramsAs<ColorMatrixParams>(f.params)) {
      numbers.assign(colour->matrix.begin(), colour->matrix.end());
    } else if (auto* kernel = paramsAs<ConvolutionParams>(f.params)) {
      numbers.assign(kernel->matrix.begin(), kernel->matrix.end());
    }
    return numberArray(vm, numbers);
  };
  field.set = [](Vm& vm, FilterObject& f, const Value& value) {
    if (value.objectOrNull() == nullptr) return;
    const auto store = [&](auto& matrix) {
      const auto items = arrayElements(vm, value, matrix.size());
      std::fill(matrix.begin(), matrix.end(), 0.0f);
      for (std::size_t i = 0; i < items.size(); ++i) {
        matrix[i] = static_cast<float>(within(vm.toNumber(items[i]), -1e30, 1e30));
      }
    };
    if (auto* colour = paramsAs<ColorMatrixParams>(f.params)) store(colour->matrix);
    if (auto* kernel = paramsAs<ConvolutionParams>(f.params)) store(kernel->matrix);
  };
  return field;
}

Field mapBitmapField() {
  Field field{"mapBitmap", Shape::Custom};
  field.get = [](Vm&, FilterObject& f) {
    return f.mapBitmap ? Value::object(f.mapBitmap) : Value();
  };
  field.set = [](Vm&, FilterObject& f, const Value& value) {
    Object* object = value.objectOrNull();
    if (object == nullptr || object->kind() == ObjectKind::BitmapData) f.mapBitmap = object;
  };
  return field;
}

Field mapPointField() {
  Field field{"mapPoint", Shape::Custom};
  field.get = [](Vm& vm, FilterObject& f) {
    const QPoint at = std::get<DisplacementMapParams>(f.params).mapPoint;
    const Value flash = vm.getMember(Value::object(vm.global()), QStringLiteral("flash"));
    const Value point =
        vm.getMember(vm.getMember(flash, QStringLiteral("geom")), QStringLiteral("Point"));
    const Value args[] = {Value::number(at.x()), Value::number(at.y())};
    return vm.construct(point, args);
  };
  field.set = [](Vm& vm, FilterObject& f, const Value& value) {
    if (value.objectOrNull() == nullptr) return;
    const auto coordinate = [&](const char* name) {
      return pixelCoordinate(vm.toNumber(vm.getMember(value, QString::fromLatin1(name))));
    };
    std::get<DisplacementMapParams>(f.params).mapPoint = QPoint(coordinate("x"), coordinate("y"));
  };
  return field;
}

constexpr std::array<const char*, 3> kEdgeTypes{"inner", "outer", "full"};
constexpr std::array<const char*, 4> kMapModes{"wrap", "clamp", "ignore", "color"};

enum FieldId : std::uint8_t {
  BlurX,
  BlurY,
  Quality,
  Distance,
  Angle,
  Color,
  Alpha,
  Strength,
  Inner,
  Knockout,
  HideObject,
  HighlightColor,
  HighlightAlpha,
  ShadowColor,
  ShadowAlpha,
  Type,
  Colors,
  Alphas,
  Ratios,
  Matrix,
  MatrixX,
  MatrixY,
  Divisor,
  Bias,
  PreserveAlpha,
  Clamp,
  MapBitmap,
  MapPoint,
  ComponentX,
  ComponentY,
  ScaleX,
  ScaleY,
  Mode,
  kFieldCount
};

// Angles read back in whole billionths of a degree, so 45 stays 45.
double degrees(double radians) { return std::round(radians * 180e9 / std::numbers::pi) / 1e9; }

const std::array<Field, kFieldCount>& fields() {
  static const std::array<Field, kFieldCount> table{{
      {"blurX", Shape::Number, [](FilterParams& p) { return blurOf(p)->blurX; },
       [](FilterParams& p, double v) { blurOf(p)->blurX = within(v, 0, 255); }},
      {"blurY", Shape::Number, [](FilterParams& p) { return blurOf(p)->blurY; },
       [](FilterParams& p, double v) { blurOf(p)->blurY = within(v, 0, 255); }},
      {"quality", Shape::Number, [](FilterParams& p) { return double(blurOf(p)->passes); },
       [](FilterParams& p, double v) { blurOf(p)->passes = int(within(std::trunc(v), 0, 15)); }},
      {"distance", Shape::Number, [](FilterParams& p) { return std::get<EdgeParams>(p).distance; },
       [](FilterParams& p, double v) { std::get<EdgeParams>(p).distance = within(v, -1e6, 1e6); }},
      {"angle", Shape::Number,
       [](FilterParams& p) { return degrees(std::get<EdgeParams>(p).angle); },
       [](FilterParams& p, double v) {
         std::get<EdgeParams>(p).angle = std::fmod(finite(v), 360.0) * std::numbers::pi / 180;
       }},
      rgbField<mainColour>("color"),
      alphaField<mainColour>("alpha"),
      {"strength", Shape::Number, [](FilterParams& p) { return std::get<EdgeParams>(p).strength; },
       [](FilterParams& p, double v) { std::get<EdgeParams>(p).strength = within(v, 0, 255); }},
      flagField<EdgeParams, &EdgeParams::inner>("inner"),
      flagField<EdgeParams, &EdgeParams::knockout>("knockout"),
      flagField<EdgeParams, &EdgeParams::hideObject>("hideObject"),
      rgbField<highlightColour>("highlightColor"),
      alphaField<highlightColour>("highlightAlpha"),
      rgbField<shadowColour>("shadowColor"),
      alphaField<shadowColour>("shadowAlpha"),
      {"type", Shape::Choice,
       [](FilterParams& p) {
         const auto& edge = std::get<EdgeParams>(p);
         return edge.onTop ? 2.0 : edge.inner ? 0.0 : 1.0;
       },
       [](FilterParams& p, double v) {
         auto& edge = std::get<EdgeParams>(p);
         edge.inner = v == 0;
         edge.onTop = v == 2;
       },
       kEdgeTypes},
      stopsField<StopPart::Colour>("colors"),
      stopsField<StopPart::Alpha>("alphas"),
      stopsField<StopPart::Ratio>("ratios"),
      matrixField(),
      {"matrixX", Shape::Number,
       [](FilterParams& p) { return double(std::get<ConvolutionParams>(p).columns); },
       [](FilterParams& p, double v) {
         std::get<ConvolutionParams>(p).columns = int(within(std::trunc(v), 0, kMaxKernelSide));
       }},
      {"matrixY", Shape::Number,
       [](FilterParams& p) { return double(std::get<ConvolutionParams>(p).rows); },
       [](FilterParams& p, double v) {
         std::get<ConvolutionParams>(p).rows = int(within(std::trunc(v), 0, kMaxKernelSide));
       }},
      {"divisor", Shape::Number,
       [](FilterParams& p) { return double(std::get<ConvolutionParams>(p).divisor); },
       [](FilterParams& p, double v) {
         std::get<ConvolutionParams>(p).divisor = float(within(v, -1e30, 1e30));
       }},
      {"bias", Shape::Number,
       [](FilterParams& p) { return double(std::get<ConvolutionParams>(p).bias); },
       [](FilterParams& p, double v) {
         std::get<ConvolutionParams>(p).bias = float(within(v, -1e30, 1e30));
       }},
      flagField<ConvolutionParams, &ConvolutionParams::preserveAlpha>("preserveAlpha"),
      flagField<ConvolutionParams, &ConvolutionParams::clamp>("clamp"),
      mapBitmapField(),
      mapPointField(),
      {"componentX", Shape::Number,
       [](FilterParams& p) { return double(std::get<DisplacementMapParams>(p).componentX); },
       [](FilterParams& p, double v) {
         std::get<DisplacementMapParams>(p).componentX = std::uint8_t(within(v, 0, 255));
       }},
      {"componentY", Shape::Number,
       [](FilterParams& p) { return double(std::get<DisplacementMapParams>(p).componentY); },
       [](FilterParams& p, double v) {
         std::get<DisplacementMapParams>(p).componentY = std::uint8_t(within(v, 0, 255));
       }},
      {"scaleX", Shape::Number,
       [](FilterParams& p) { return std::get<DisplacementMapParams>(p).scaleX; },
       [](FilterParams& p, double v) {
         std::get<DisplacementMapParams>(p).scaleX = within(v, -65535, 65535);
       }},
      {"scaleY", Shape::Number,
       [](FilterParams& p) { return std::get<DisplacementMapParams>(p).scaleY; },
       [](FilterParams& p, double v) {
         std::get<DisplacementMapParams>(p).scaleY = within(v, -65535, 65535);
       }},
      {"mode", Shape::Choice,
       [](FilterParams& p) { return double(std::get<DisplacementMapParams>(p).mode); },
       [](FilterParams& p, double v) {
         std::get<DisplacementMapParams>(p).mode = DisplacementMapParams::Mode(int(v));
       },
       kMapModes},
  }};
  return table;
}

// --- Classes

struct FilterClass {
  const char* name;
  FilterParams (*initial)();
  std::vector<FieldId> fields;  // in constructor order
};

EdgeParams edgeOf(Kind kind, double blur, double strength, std::vector<GradientStop> stops) {
  EdgeParams edge;
  edge.kind = kind;
  edge.blur = BlurParams{blur, blur, 1};
  edge.strength = strength;
  edge.stops = std::move(stops);
  if (kind != Kind::Glow) {
    edge.distance = 4;
    edge.angle = std::numbers::pi / 4;
  }
  // Bevels and gradient filters are of the inner type until told otherwise.
  edge.inner = edge.isBevel() || kind == Kind::GradientGlow;
  return edge;
}

std::vector<GradientStop> fadeTo(QRgb colour) { return {{colour & 0xFFFFFF, 0}, {colour, 255}}; }

const std::vector<FilterClass>& classes() {
  static const std::vector<FilterClass> table{
      {"BlurFilter", [] { return FilterParams(BlurParams{}); }, {BlurX, BlurY, Quality}},
      {"DropShadowFilter",
       [] { return FilterParams(edgeOf(Kind::DropShadow, 4, 1, fadeTo(0xFF000000))); },
       {Distance, Angle, Color, Alpha, BlurX, BlurY, Strength, Quality, Inner, Knockout,
        HideObject}},
      {"GlowFilter",
       [] { return FilterParams(edgeOf(Kind::Glow, 6, 2, fadeTo(0xFFFF0000))); },
       {Color, Alpha, BlurX, BlurY, Strength, Quality, Inner, Knockout}},
      {"BevelFilter",
       [] {
         return FilterParams(
             edgeOf(Kind::Bevel, 4, 1, {{0xFFFFFFFF, 0}, {0, 128}, {0xFF000000, 255}}));
       },
       {Distance, Angle, HighlightColor, HighlightAlpha, ShadowColor, ShadowAlpha, BlurX, BlurY,
        Strength, Quality, Type, Knockout}},
      {"GradientGlowFilter",
       [] { return FilterParams(edgeOf(Kind::GradientGlow, 4, 1, {})); },
       {Distance, Angle, Colors, Alphas, Ratios, BlurX, BlurY, Strength, Quality, Type, Knockout}},
      {"GradientBevelFilter",
       [] { return FilterParams(edgeOf(Kind::GradientBevel, 4, 1, {})); },
       {Distance, Angle, Colors, Alphas, Ratios, BlurX, BlurY, Strength, Quality, Type, Knockout}},
      {"ColorMatrixFilter", [] { return FilterParams(ColorMatrixParams{}); }, {Matrix}},
      {"ConvolutionFilter",
       [] { return FilterParams(ConvolutionParams{}); },
       {MatrixX, MatrixY, Matrix, Divisor, Bias, PreserveAlpha, Clamp, Color, Alpha}},
      {"DisplacementMapFilter",
       [] { return FilterParams(DisplacementMapParams{}); },
       {MapBitmap, MapPoint, ComponentX, ComponentY, ScaleX, ScaleY, Mode, Color, Alpha}},
  };
  return table;
}

const FilterClass& classFor(FilterClassId id) { return classes()[std::size_t(id)]; }

bool hasField(const FilterObject& filter, FieldId id) {
  const auto& list = classFor(filter.id).fields;
  return std::find(list.begin(), list.end(), id) != list.end();
}

Value getField(Vm& vm, FilterObject& filter, FieldId id) {
  const Field& field = fields()[id];
  switch (field.shape) {
    case Shape::Number:
      return Value::number(field.read(filter.params));
    case Shape::Boolean:
      return Value::boolean(field.read(filter.params) != 0);
    case Shape::Choice:
      return Value::string(
          QString::fromLatin1(field.choices[std::size_t(field.read(filter.params))]));
    case Shape::Custom:
      break;
  }
  return field.get(vm, filter);
}

void setField(Vm& vm, FilterObject& filter, FieldId id, const Value& value) {
  const Field& field = fields()[id];
  switch (field.shape) {
    case Shape::Number:
      field.write(filter.params, vm.toNumber(value));
      break;
    case Shape::Boolean:
      field.write(filter.params, vm.toBoolean(value) ? 1 : 0);
      break;
    case Shape::Choice: {
      // A name it does not know leaves the field as it was.
      const QString name = vm.toString(value);
      for (std::size_t i = 0; i < field.choices.size(); ++i) {
        if (name == QLatin1String(field.choices[i])) field.write(filter.params, double(i));
      }
      break;
    }
    case Shape::Custom:
      field.set(vm, filter, value);
      break;
  }
  settle(filter.params);
}

template <std::size_t I>
Value fieldGetter(NativeCall& call) {
  FilterObject* filter = filterOf(call.thisValue);
  if (filter == nullptr || !hasField(*filter, FieldId(I))) return {};
  return getField(call.vm, *filter, FieldId(I));
}

template <std::size_t I>
Value fieldSetter(NativeCall& call) {
  FilterObject* filter = filterOf(call.thisValue);
  if (filter != nullptr && hasField(*filter, FieldId(I))) {
    setField(call.vm, *filter, FieldId(I), call.arg(0));
  }
  return {};
}

template <std::size_t... I>
constexpr std::array<std::pair<NativeFn, NativeFn>, sizeof...(I)> accessors(
    std::index_sequence<I...>) {
  return {{{fieldGetter<I>, fieldSetter<I>}...}};
}
constexpr auto kAccessors = accessors(std::make_index_sequence<kFieldCount>());

Object* classPrototype(Vm& vm, FilterClassId id) {
  const Value flash = vm.getMember(Value::object(vm.global()), QStringLiteral("flash"));
  const Value package = vm.getMember(flash, QStringLiteral("filters"));
  const Value constructor = vm.getMember(package, QString::fromLatin1(classFor(id).name));
  return vm.getMember(constructor, QStringLiteral("prototype")).objectOrNull();
}

FilterObject* newFilter(Vm& vm, Object* proto, FilterClassId id, FilterParams params) {
  return vm.heap().make<FilterObject>(proto, id, std::move(params));
}

// new XFilter(fields in order): arguments left out keep their defaults.
template <FilterClassId Id>
Value filterConstructor(NativeCall& call) {
  if (!call.constructing || call.thisObject() == nullptr) return {};
  const FilterClass& type = classFor(Id);
  FilterObject* filter = newFilter(call.vm, call.thisObject()->proto(), Id, type.initial());
  for (std::size_t i = 0; i < type.fields.size() && i < call.args.size(); ++i) {
    if (!call.args[i].isUndefined()) setField(call.vm, *filter, type.fields[i], call.args[i]);
  }
  return Value::object(filter);
}

template <std::size_t... I>
constexpr std::array<NativeFn, sizeof...(I)> constructors(std::index_sequence<I...>) {
  return {filterConstructor<FilterClassId(I)>...};
}

// clone(): an independent filter of the same class and prototype.
Value cloneMethod(NativeCall& call) {
  const FilterObject* self = filterOf(call.thisValue);
  if (self == nullptr) return {};
  FilterObject* copy = newFilter(call.vm, self->proto(), self->id, self->params);
  copy->mapBitmap = self->mapBitmap;
  return Value::object(copy);
}

Value bitmapFilterConstructor(NativeCall& call) { return call.thisValue; }

FilterClassId classIdOf(const FilterParams& params) {
  if (const auto* edge = std::get_if<EdgeParams>(&params)) {
    return FilterClassId(std::size_t(FilterClassId::DropShadow) + std::size_t(edge->kind));
  }
  constexpr FilterClassId byIndex[] = {FilterClassId::Blur, FilterClassId::Glow,
                                       FilterClassId::ColorMatrix, FilterClassId::Convolution,
                                       FilterClassId::DisplacementMap};
  return byIndex[params.index()];
}

}  // namespace

Value filterToScript(Vm& vm, const FilterParams& params) {
  const FilterClassId id = classIdOf(params);
  FilterObject* filter = newFilter(vm, classPrototype(vm, id), id, params);
  if (const auto* map = std::get_if<DisplacementMapParams>(&params); map && !map->map.isNull()) {
    filter->mapBitmap =
        newBitmapData(vm, BitmapSurface::fromImage(map->map, vm.bitmapBudget())).objectOrNull();
  }
  return Value::object(filter);
}

std::optional<FilterParams> filterFromScript(const Value& value) {
  const FilterObject* filter = filterOf(value);
  if (filter == nullptr) return std::nullopt;
  FilterParams params = filter->params;
  if (auto* map = std::get_if<DisplacementMapParams>(&params)) {
    const auto* bitmap = dynamic_cast<const BitmapDataObject*>(filter->mapBitmap);
    const BitmapSurface* surface = bitmap ? bitmap->live() : nullptr;
    map->map = surface ? surface->image() : QImage();
  }
  return params;
}

std::vector<FilterParams> filterListFromScript(Vm& vm, const Value& list) {
  std::vector<FilterParams> filters;
  for (const Value& item : arrayElements(vm, list, kMaxFilters)) {
    if (auto params = filterFromScript(item)) filters.push_back(std::move(*params));
  }
  return filters;
}

Value filterListToScript(Vm& vm, std::span<const FilterParams> filters) {
  std::vector<Value> items;
  for (const FilterParams& params : filters) items.push_back(filterToScript(vm, params));
  return Value::object(vm.newArray(std::move(items)));
}

void installFilterClasses(Vm& vm, Object* package) {
  NativeFunction* base = vm.newNative(bitmapFilterConstructor);
  Object* baseProto = vm.newObject();
  vm.attachPrototype(base, baseProto);
  vm.defineValue(package, QStringLiteral("BitmapFilter"), Value::object(base));
  vm.defineMethod(baseProto, QStringLiteral("clone"), cloneMethod);
  static constexpr auto kConstructors = constructors(std::make_index_sequence<9>());
  for (std::size_t i = 0; i < classes().size(); ++i) {
    const FilterClass& type = classes()[i];
    NativeFunction* constructor = vm.newNative(kConstructors[i]);
    Object* proto = vm.newObject(baseProto);
    vm.attachPrototype(constructor, proto);
    vm.defineValue(package, QString::fromLatin1(type.name), Value::object(constructor));
    for (const FieldId id : type.fields) {
      defineAccessor(vm, proto, QString::fromLatin1(fields()[id].name), kAccessors[id].first,
                     kAccessors[id].second);
    }
  }
}

}  // namespace quelvo::swf::avm1
