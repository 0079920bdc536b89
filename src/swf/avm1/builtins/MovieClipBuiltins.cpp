#include <cmath>

#include "swf/avm1/NumberText.h"
#include "swf/avm1/builtins/Builtins.h"
#include "swf/avm1/builtins/NativeSupport.h"

namespace quelvo::swf::avm1 {

namespace {

// gotoAndPlay(12) or gotoAndPlay("label"): the 0-based frame, if any.
std::optional<int> frameIndexFor(NativeCall& call, ClipHandle clip, const Value& spec) {
  const QString text = call.vm.toString(spec);
  const double number = spec.isNumber() ? spec.asNumber() : parseNumber(text);
  if (!std::isnan(number)) {
    return static_cast<int>(std::clamp(toInteger(number) - 1, -1.0, 2147483646.0));
  }
  return call.vm.host().frameOfLabel(clip, text);
}

int depthArg(NativeCall& call, std::size_t index) { return toInt32(numberArg(call, index)); }

// The new clip as a value, with the properties of initObject copied onto it;
// then the constructor of its registered class runs, if it has one.
Value made(NativeCall& call, ClipHandle clip, const Value& initObject) {
  ClipObject* object = call.vm.clipObject(clip);
  if (object == nullptr) return {};
  if (Object* init = initObject.objectOrNull()) {
    for (const QString& name : call.vm.enumerate(init)) {
      call.vm.setMember(object, name, call.vm.getMember(initObject, name));
    }
  }
  call.vm.initializeClip(clip);
  return Value::object(object);
}

Value play(NativeCall& call) {
  if (const ClipHandle clip = thisClip(call)) call.vm.host().play(clip);
  return {};
}

Value stop(NativeCall& call) {
  if (const ClipHandle clip = thisClip(call)) call.vm.host().stop(clip);
  return {};
}

Value nextFrame(NativeCall& call) {
  if (const ClipHandle clip = thisClip(call)) call.vm.host().nextFrame(clip);
  return {};
}

Value prevFrame(NativeCall& call) {
  if (const ClipHandle clip = thisClip(call)) call.vm.host().prevFrame(clip);
  return {};
}

Value gotoFrame(NativeCall& call, bool play) {
  const ClipHandle clip = thisClip(call);
  if (clip == kNoClip) return {};
  if (const auto frame = frameIndexFor(call, clip, call.arg(0))) {
    call.vm.host().gotoFrame(clip, *frame, play);
  }
  return {};
}

Value gotoAndPlay(NativeCall& call) { return gotoFrame(call, true); }
Value gotoAndStop(NativeCall& call) { return gotoFrame(call, false); }

Value duplicateMovieClip(NativeCall& call) {
  const ClipHandle clip = thisClip(call);
  if (clip == kNoClip) return {};
  return made(call, call.vm.host().duplicateClip(clip, stringArg(call, 0), depthArg(call, 1)),
              call.arg(2));
}

Value attachMovie(NativeCall& call) {
  const ClipHandle clip = thisClip(call);
  if (clip == kNoClip) return {};
  return made(
      call,
      call.vm.host().attachClip(clip, stringArg(call, 0), stringArg(call, 1), depthArg(call, 2)),
      call.arg(3));
}

Value createEmptyMovieClip(NativeCall& call) {
  const ClipHandle clip = thisClip(call);
  if (clip == kNoClip) return {};
  return made(call, call.vm.host().createEmptyClip(clip, stringArg(call, 0), depthArg(call, 1)),
              Value());
}

Value removeMovieClip(NativeCall& call) {
  if (const ClipHandle clip = thisClip(call)) call.vm.host().removeClip(clip);
  return {};
}

Value getDepth(NativeCall& call) {
  const ClipHandle clip = thisClip(call);
  return clip == kNoClip ? Value() : Value::number(call.vm.host().depthOf(clip));
}

Value getNextHighestDepth(NativeCall& call) {
  const ClipHandle clip = thisClip(call);
  return clip == kNoClip ? Value() : Value::number(call.vm.host().nextHighestDepth(clip));
}

// swapDepths(depth) or swapDepths(otherClip)
Value swapDepths(NativeCall& call) {
  const ClipHandle clip = thisClip(call);
  if (clip == kNoClip) return {};
  const ClipHandle other = Vm::clipOf(call.arg(0));
  const int depth = other != kNoClip ? call.vm.host().depthOf(other) : depthArg(call, 0);
  call.vm.host().swapDepths(clip, depth);
  return {};
}

// setMask(clip) or setMask(null)
Value setMask(NativeCall& call) {
  if (const ClipHandle clip = thisClip(call)) call.vm.host().setMask(clip, Vm::clipOf(call.arg(0)));
  return {};
}

Value startDrag(NativeCall& call) {
  const ClipHandle clip = thisClip(call);
  if (clip == kNoClip) return {};
  DragOptions options;
  options.lockCenter = call.vm.toBoolean(call.arg(0));
  options.constrained = call.args.size() >= 5;
  if (options.constrained) {
    options.left = numberArg(call, 1);
    options.top = numberArg(call, 2);
    options.right = numberArg(call, 3);
    options.bottom = numberArg(call, 4);
  }
  call.vm.host().startDrag(clip, options);
  return {};
}

Value stopDrag(NativeCall& call) {
  call.vm.host().stopDrag();
  return {};
}

// hitTest(x, y, shapeFlag) or hitTest(otherClip)
Value hitTest(NativeCall& call) {
  const ClipHandle clip = thisClip(call);
  if (clip == kNoClip) return Value::boolean(false);
  if (call.args.size() >= 2) {
    return Value::boolean(call.vm.host().hitTestPoint(clip, numberArg(call, 0), numberArg(call, 1),
                                                      call.vm.toBoolean(call.arg(2))));
  }
  Value other = call.arg(0);
  if (other.isString()) other = call.vm.getVariable(clip, other.asString());
  return Value::boolean(call.vm.host().hitTestClip(clip, Vm::clipOf(other)));
}

// Movies are read whole before they play: loaded is total.
Value getBytesLoaded(NativeCall& call) {
  return call.vm.getClipProperty(thisClip(call), ClipProperty::FramesLoaded);
}

Value getBytesTotal(NativeCall& call) {
  return call.vm.getClipProperty(thisClip(call), ClipProperty::TotalFrames);
}

UrlRequest::Method methodArg(NativeCall& call, std::size_t index) {
  const QString method = stringArg(call, index).toUpper();
  if (method == QLatin1String("GET")) return UrlRequest::Method::Get;
  if (method == QLatin1String("POST")) return UrlRequest::Method::Post;
  return UrlRequest::Method::None;
}

Value getUrl(NativeCall& call) {
  UrlRequest request;
  request.url = stringArg(call, 0);
  request.target = call.arg(1).isUndefined() ? QString() : stringArg(call, 1);
  request.method = methodArg(call, 2);
  call.vm.host().getUrl(request);
  return {};
}

Value loadInto(NativeCall& call, bool variables) {
  const ClipHandle clip = thisClip(call);
  if (clip == kNoClip) return {};
  UrlRequest request;
  request.url = stringArg(call, 0);
  request.target = call.vm.dotPath(clip);
  request.method = methodArg(call, 1);
  request.targetIsClip = true;
  request.targetClip = clip;
  request.loadVariables = variables;
  call.vm.host().getUrl(request);
  return {};
}

Value loadMovie(NativeCall& call) { return loadInto(call, false); }
// unloadMovie(): a load request without an address empties the clip.
Value unloadMovie(NativeCall& call) {
  if (thisClip(call) == kNoClip) return {};
  const Value none[] = {Value::string(QString())};
  NativeCall empty{call.vm, call.thisValue, none, false};
  return loadInto(empty, false);
}
Value loadVariables(NativeCall& call) { return loadInto(call, true); }

Value movieClipConstructor(NativeCall&) { return {}; }

}  // namespace

void installMovieClip(Vm& vm) {
  Object* proto = vm.newObject();
  vm.protos().movieClip = proto;
  defineClass(vm, QStringLiteral("MovieClip"), movieClipConstructor, proto);
  const std::pair<const char*, NativeFn> methods[] = {
      {"play", play},
      {"stop", stop},
      {"nextFrame", nextFrame},
      {"prevFrame", prevFrame},
      {"gotoAndPlay", gotoAndPlay},
      {"gotoAndStop", gotoAndStop},
      {"duplicateMovieClip", duplicateMovieClip},
      {"attachMovie", attachMovie},
      {"createEmptyMovieClip", createEmptyMovieClip},
      {"removeMovieClip", removeMovieClip},
      {"getDepth", getDepth},
      {"getNextHighestDepth", getNextHighestDepth},
      {"swapDepths", swapDepths},
      {"startDrag", startDrag},
      {"stopDrag", stopDrag},
      {"hitTest", hitTest},
      {"getBytesLoaded", getBytesLoaded},
      {"getBytesTotal", getBytesTotal},
      {"getURL", getUrl},
      {"loadMovie", loadMovie},
      {"unloadMovie", unloadMovie},
      {"loadVariables", loadVariables},
  };
  for (const auto& [name, fn] : methods) vm.defineMethod(proto, QString::fromLatin1(name), fn);
  // Movies older than SWF 6 do not see setMask.
  if (vm.swfVersion() >= 6) vm.defineMethod(proto, QStringLiteral("setMask"), setMask);
  installDrawing(vm, proto);
  installClipGeometry(vm, proto);
}

}  // namespace quelvo::swf::avm1
