// MovieClip geometry: bounds, coordinate spaces, depths and versions, and
// the members that make a clip with press handlers act as a button.
#include "swf/avm1/NumberText.h"
#include "swf/avm1/builtins/Builtins.h"
#include "swf/avm1/builtins/NativeSupport.h"

namespace quelvo::swf::avm1 {

namespace {

// What getBounds answers for a clip that shows nothing: the largest twips
// coordinate, in pixels, for all four sides.
constexpr double kEmptyBound = 6710886.35;

// The clip an argument names: a clip, or a path from the clip running.
ClipHandle clipArg(NativeCall& call, ClipHandle from, std::size_t index) {
  Value value = call.arg(index);
  if (value.isString()) value = call.vm.getVariable(from, value.asString());
  return Vm::clipOf(value);
}

Value boundsOf(NativeCall& call, bool strokes) {
  const ClipHandle clip = thisClip(call);
  if (clip == kNoClip) return {};
  const ClipHandle target = call.arg(0).isUndefined() ? clip : clipArg(call, clip, 0);
  if (target == kNoClip) return {};
  const auto box = call.vm.host().clipBounds(clip, target, strokes);
  const std::pair<const char*, double> sides[] = {
      {"xMin", box ? box->left() : kEmptyBound},
      {"xMax", box ? box->right() : kEmptyBound},
      {"yMin", box ? box->top() : kEmptyBound},
      {"yMax", box ? box->bottom() : kEmptyBound},
  };
  Object* result = call.vm.newObject();
  for (const auto& [name, side] : sides) {
    call.vm.setMember(result, QString::fromLatin1(name), Value::number(side));
  }
  return Value::object(result);
}

Value getBounds(NativeCall& call) { return boundsOf(call, true); }
Value getRect(NativeCall& call) { return boundsOf(call, false); }

// Moves the point object's x and y from one space to the other, in place.
Value mapPointArg(NativeCall& call, bool toStage) {
  const ClipHandle clip = thisClip(call);
  Object* point = call.arg(0).objectOrNull();
  if (clip == kNoClip || point == nullptr) return {};
  const Value object = call.arg(0);
  const QPointF from(call.vm.toNumber(call.vm.getMember(object, QStringLiteral("x"))),
                     call.vm.toNumber(call.vm.getMember(object, QStringLiteral("y"))));
  if (const auto to = call.vm.host().mapPoint(clip, from, toStage)) {
    call.vm.setMember(point, QStringLiteral("x"), Value::number(to->x()));
    call.vm.setMember(point, QStringLiteral("y"), Value::number(to->y()));
  }
  return {};
}

Value localToGlobal(NativeCall& call) { return mapPointArg(call, true); }
Value globalToLocal(NativeCall& call) { return mapPointArg(call, false); }

Value getInstanceAtDepth(NativeCall& call) {
  const ClipHandle clip = thisClip(call);
  if (clip == kNoClip || call.args.empty()) return {};
  const ClipHandle found = call.vm.host().clipAtDepth(clip, toInt32(numberArg(call, 0)));
  ClipObject* object = call.vm.clipObject(found);
  return object ? Value::object(object) : Value();
}

Value getSwfVersion(NativeCall& call) {
  const ClipHandle clip = thisClip(call);
  return clip == kNoClip ? Value() : Value::number(call.vm.host().swfVersionOf(clip));
}

}  // namespace

void installClipGeometry(Vm& vm, Object* proto) {
  const std::pair<const char*, NativeFn> methods[] = {
      {"getBounds", getBounds},
      {"getRect", getRect},
      {"localToGlobal", localToGlobal},
      {"globalToLocal", globalToLocal},
      {"getInstanceAtDepth", getInstanceAtDepth},
      {"getSWFVersion", getSwfVersion},
  };
  for (const auto& [name, fn] : methods) vm.defineMethod(proto, QString::fromLatin1(name), fn);
  // A clip with onPress or onRelease handlers is a button: these say how it acts.
  vm.defineValue(proto, QStringLiteral("enabled"), Value::boolean(true));
  vm.defineValue(proto, QStringLiteral("useHandCursor"), Value::boolean(true));
  vm.defineValue(proto, QStringLiteral("trackAsMenu"), Value::boolean(false));
}

}  // namespace quelvo::swf::avm1
