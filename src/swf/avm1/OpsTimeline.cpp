#include <cmath>

#include "swf/avm1/Interpreter.h"
#include "swf/avm1/NumberText.h"
#include "swf/avm1/Vm.h"

namespace quelvo::swf::avm1 {

namespace {

const QString kFsCommandPrefix = QStringLiteral("FSCommand:");

bool isFsCommand(const QString& url) {
  return url.startsWith(kFsCommandPrefix, Qt::CaseInsensitive);
}

}  // namespace

void Interpreter::opTimeline(Frame& frame, ActionCode code) {
  Host& host = vm_.host();
  const ClipHandle clip = frame.target;
  switch (code) {
    case ActionCode::ToggleQuality:
      host.toggleQuality();
      return;
    case ActionCode::StopSounds:
      host.stopSounds();
      return;
    case ActionCode::EndDrag:
      host.stopDrag();
      return;
    case ActionCode::GetTime:
      frame.stack.push(Value::number(std::floor(host.timerMs())));
      return;
    default:
      break;
  }
  if (clip == kNoClip) return;  // tellTarget named no clip
  switch (code) {
    case ActionCode::NextFrame:
      host.nextFrame(clip);
      break;
    case ActionCode::PreviousFrame:
      host.prevFrame(clip);
      break;
    case ActionCode::Play:
      host.play(clip);
      break;
    default:
      host.stop(clip);
      break;
  }
}

void Interpreter::opGotoFrame(Frame& frame, const Action& action) {
  if (frame.target != kNoClip) vm_.host().gotoFrame(frame.target, action.integer(), false);
}

void Interpreter::opGotoLabel(Frame& frame, const Action& action) {
  if (frame.target == kNoClip) return;
  if (const auto index = vm_.host().frameOfLabel(frame.target, std::get<QString>(action.operand))) {
    vm_.host().gotoFrame(frame.target, *index, false);
  }
}

bool Interpreter::resolveFrame(Frame& frame, const Value& spec, ClipHandle& clip, int& frameIndex) {
  clip = frame.target;
  QString text = vm_.toString(spec);
  if (const qsizetype colon = text.lastIndexOf(u':'); colon >= 0 && !spec.isNumber()) {
    clip = scope(frame).clipFor(Value::string(text.left(colon)));
    text = text.mid(colon + 1);
  }
  if (clip == kNoClip) return false;
  const double number = parseNumber(text);
  if (!std::isnan(number)) {
    frameIndex = static_cast<int>(std::clamp(toInteger(number) - 1, -1.0, 2147483646.0));
    return true;
  }
  const auto labelled = vm_.host().frameOfLabel(clip, text);
  if (!labelled) return false;
  frameIndex = *labelled;
  return true;
}

void Interpreter::opGotoFrame2(Frame& frame, const Action& action) {
  const auto& def = std::get<GotoFrame2Def>(action.operand);
  ClipHandle clip = kNoClip;
  int index = 0;
  if (resolveFrame(frame, frame.stack.pop(), clip, index)) {
    vm_.host().gotoFrame(
        clip,
        static_cast<int>(std::min<std::int64_t>(std::int64_t{index} + def.sceneBias, INT32_MAX)),
        def.play);
  }
}

void Interpreter::setTarget(Frame& frame, ClipHandle clip) {
  frame.target = clip;
  // Frame code looks names up on the told timeline as well.
  if (frame.activation == nullptr && !frame.scope.empty()) {
    ClipObject* told = vm_.clipObject(clip != kNoClip ? clip : frame.originalTarget);
    if (told != nullptr) frame.scope.front() = told;
  }
}

void Interpreter::opSetTarget(Frame& frame, const QString& path) {
  if (path.isEmpty()) {
    setTarget(frame, frame.originalTarget);
    return;
  }
  // Paths of tellTarget start from the timeline the code belongs to.
  const ClipHandle current = frame.target;
  frame.target = frame.originalTarget;
  const ClipHandle clip = scope(frame).clipFor(Value::string(path));
  frame.target = current;
  setTarget(frame, clip);
}

void Interpreter::opSetTarget2(Frame& frame) {
  const Value target = frame.stack.pop();
  if (target.isObject()) {
    setTarget(frame, Vm::clipOf(target));
  } else {
    opSetTarget(frame, vm_.toString(target));
  }
}

void Interpreter::opWaitForFrame2(Frame& frame) {
  frame.stack.pop();  // every frame counts as loaded: nothing is skipped
}

void Interpreter::opGetUrl(Frame&, const Action& action) {
  const auto& def = std::get<GetUrlDef>(action.operand);
  if (isFsCommand(def.url)) {
    vm_.host().fsCommand(def.url.mid(kFsCommandPrefix.size()), def.target);
    return;
  }
  UrlRequest request;
  request.url = def.url;
  request.target = def.target;
  request.targetIsClip = def.target.startsWith(QStringLiteral("_level"), Qt::CaseInsensitive);
  vm_.host().getUrl(request);
}

void Interpreter::opGetUrl2(Frame& frame, const Action& action) {
  const auto& def = std::get<GetUrl2Def>(action.operand);
  const Value target = frame.stack.pop();
  const QString url = vm_.toString(frame.stack.pop());
  UrlRequest request;
  request.url = url;
  request.target = target.isObject() ? vm_.dotPath(Vm::clipOf(target)) : vm_.toString(target);
  if (isFsCommand(url)) {
    vm_.host().fsCommand(url.mid(kFsCommandPrefix.size()), request.target);
    return;
  }
  request.method = def.method == 1   ? UrlRequest::Method::Get
                   : def.method == 2 ? UrlRequest::Method::Post
                                     : UrlRequest::Method::None;
  request.loadVariables = def.loadVariables;
  request.targetIsClip =
      def.loadTarget || request.target.startsWith(QStringLiteral("_level"), Qt::CaseInsensitive);
  if (request.targetIsClip) request.targetClip = scope(frame).clipFor(target);
  vm_.host().getUrl(request);
}

void Interpreter::opGetProperty(Frame& frame) {
  const auto property = clipPropertyFromIndex(vm_.toNumber(frame.stack.pop()));
  const ClipHandle clip = scope(frame).clipFor(frame.stack.pop());
  frame.stack.push(property ? vm_.getClipProperty(clip, *property) : Value());
}

void Interpreter::opSetProperty(Frame& frame) {
  const Value value = frame.stack.pop();
  const auto property = clipPropertyFromIndex(vm_.toNumber(frame.stack.pop()));
  const ClipHandle clip = scope(frame).clipFor(frame.stack.pop());
  if (property) vm_.setClipProperty(clip, *property, value);
}

void Interpreter::opCloneSprite(Frame& frame) {
  const double depth = vm_.toNumber(frame.stack.pop());
  const QString name = vm_.toString(frame.stack.pop());
  const ClipHandle source = scope(frame).clipFor(frame.stack.pop());
  if (source != kNoClip && std::isfinite(depth)) {
    vm_.host().duplicateClip(source, name, toInt32(depth));
  }
}

void Interpreter::opRemoveSprite(Frame& frame) {
  const ClipHandle clip = scope(frame).clipFor(frame.stack.pop());
  if (clip != kNoClip) vm_.host().removeClip(clip);
}

void Interpreter::opStartDrag(Frame& frame) {
  const ClipHandle clip = scope(frame).clipFor(frame.stack.pop());
  DragOptions options;
  options.lockCenter = vm_.toBoolean(frame.stack.pop());
  options.constrained = vm_.toBoolean(frame.stack.pop());
  if (options.constrained) {
    options.bottom = vm_.toNumber(frame.stack.pop());
    options.right = vm_.toNumber(frame.stack.pop());
    options.top = vm_.toNumber(frame.stack.pop());
    options.left = vm_.toNumber(frame.stack.pop());
  }
  if (clip != kNoClip) vm_.host().startDrag(clip, options);
}

void Interpreter::opCall(Frame& frame) {
  ClipHandle clip = kNoClip;
  int index = 0;
  if (!resolveFrame(frame, frame.stack.pop(), clip, index)) return;
  for (const ActionBlock& block : vm_.host().frameActions(clip, index)) vm_.runNested(clip, block);
}

void Interpreter::opRandomNumber(Frame& frame) {
  const double range = toInteger(vm_.toNumber(frame.stack.pop()));
  const double value = range > 0 ? std::floor(vm_.host().random() * range) : 0;
  frame.stack.push(Value::number(std::min(value, std::max(range - 1, 0.0))));
}

void Interpreter::opTrace(Frame& frame) {
  const Value value = frame.stack.pop();
  vm_.host().trace(value.isUndefined() ? QStringLiteral("undefined") : vm_.toString(value));
}

}  // namespace quelvo::swf::avm1
