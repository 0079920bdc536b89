// Clips that act as buttons: a clip with press, release or roll handlers
// (methods or on() clip events) takes the pointer's button events, as a
// button does, while its enabled member is true. The topmost such clip
// under the pointer takes them; the clips inside it do not. A clip whose
// trackAsMenu is true lets go of a press dragged out of it, and takes over
// a press dragged onto it from anywhere, so a release over it is its release.
// A clip whose hitArea names another clip takes the pointer where that clip's
// shapes are, shown or hidden, instead of where its own are.
#include "swf/geometry/Transforms.h"
#include "swf/script/ScriptHost.h"

namespace quelvo::swf {

using avm1::ClipHandle;
using avm1::kNoClip;

namespace {

constexpr std::uint32_t kButtonEvents =
    clipevent::Press | clipevent::Release | clipevent::ReleaseOutside | clipevent::RollOver |
    clipevent::RollOut | clipevent::DragOver | clipevent::DragOut;

constexpr const char* kButtonMethods[] = {"onPress",    "onRelease", "onReleaseOutside",
                                          "onRollOver", "onRollOut", "onDragOver",
                                          "onDragOut"};

}  // namespace

bool ScriptHost::clipFlag(ClipHandle handle, const QString& member) {
  return vm_->toBoolean(vm_->getVariable(handle, member));
}

bool ScriptHost::actsAsButton(ClipHandle handle) {
  bool handles = false;
  if (const auto found = handlers_.find(handle); found != handlers_.end()) {
    for (const ClipEventHandler& handler : found->second) {
      handles = handles || (handler.events & kButtonEvents) != 0;
    }
  }
  for (const char* method : kButtonMethods) {
    handles = handles || vm_->hasClipMethod(handle, QString::fromLatin1(method));
  }
  return handles && clipFlag(handle, QStringLiteral("enabled"));
}

ClipHandle ScriptHost::clipButtonAt(TimelineInstance& timeline, const QTransform& toStage,
                                    QPointF point, int nesting) {
  if (nesting > PlayContext::kMaxNesting) return kNoClip;
  const auto& objects = timeline.displayList().objects();
  for (auto it = objects.rbegin(); it != objects.rend(); ++it) {
    const DisplayObject& object = it->second;
    if (!object.sprite || !object.visible || object.clipDepth != 0) continue;
    if (actsAsButton(object.sprite->id())) {
      if (clipButtonHit(object, toStage, point)) return object.sprite->id();
      continue;
    }
    const QTransform transform = toQTransform(object.matrix) * toStage;
    const ClipHandle inner = clipButtonAt(*object.sprite, transform, point, nesting + 1);
    if (inner != kNoClip) return inner;
  }
  return kNoClip;
}

bool ScriptHost::clipButtonHit(const DisplayObject& object, const QTransform& toStage,
                               QPointF point) {
  const ClipHandle area =
      avm1::Vm::clipOf(vm_->getVariable(object.sprite->id(), QStringLiteral("hitArea")));
  if (const TimelineInstance* areaClip = area != object.sprite->id() ? clip(area) : nullptr) {
    return hits_.clipContains(*areaClip, toRoot(*areaClip), point);
  }
  return hits_.contains(object, toStage, point);
}

void ScriptHost::fireClipButton(ClipHandle handle, std::uint32_t event, const QString& method) {
  if (!clip(handle) || !clipFlag(handle, QStringLiteral("enabled"))) return;
  queueHandlers(handle, event);
  if (vm_->hasClipMethod(handle, method)) {
    Pending entry;
    entry.clip = handle;
    entry.method = method;
    queue_.push_back(std::move(entry));
  }
}

void ScriptHost::trackClipButtons() {
  ClipButtons& b = clipButtons_;
  rebuildDrawings();
  const ClipHandle top = clipButtonAt(root_, QTransform(), QPointF(pointerX_, pointerY_), 0);
  if (!b.down) {
    if (top == b.hovered) return;
    fireClipButton(b.hovered, clipevent::RollOut, QStringLiteral("onRollOut"));
    b.hovered = top;
    fireClipButton(top, clipevent::RollOver, QStringLiteral("onRollOver"));
    return;
  }
  if (b.pressed != kNoClip && (top == b.pressed) != b.inside) {
    b.inside = !b.inside;
    fireClipButton(b.pressed, b.inside ? clipevent::DragOver : clipevent::DragOut,
                   b.inside ? QStringLiteral("onDragOver") : QStringLiteral("onDragOut"));
    if (!b.inside && clipFlag(b.pressed, QStringLiteral("trackAsMenu"))) b.pressed = kNoClip;
  }
  if (top != kNoClip && top != b.pressed && clipFlag(top, QStringLiteral("trackAsMenu"))) {
    b.pressed = top;
    b.inside = true;
    fireClipButton(top, clipevent::DragOver, QStringLiteral("onDragOver"));
  }
}

void ScriptHost::pressClipButton() {
  ClipButtons& b = clipButtons_;
  if (b.down) return;
  trackClipButtons();  // the stage may have moved since the pointer did
  b.down = true;
  b.pressed = b.hovered;
  b.inside = b.pressed != kNoClip;
  fireClipButton(b.pressed, clipevent::Press, QStringLiteral("onPress"));
}

void ScriptHost::releaseClipButton() {
  ClipButtons& b = clipButtons_;
  if (!b.down) return;
  trackClipButtons();
  b.down = false;
  if (b.inside) {
    fireClipButton(b.pressed, clipevent::Release, QStringLiteral("onRelease"));
  } else {
    fireClipButton(b.pressed, clipevent::ReleaseOutside, QStringLiteral("onReleaseOutside"));
  }
  b.hovered = b.inside ? b.pressed : kNoClip;
  b.pressed = kNoClip;
  b.inside = false;
  trackClipButtons();
}

bool ScriptHost::cursorOverClipButton() {
  const ClipButtons& b = clipButtons_;
  const ClipHandle over = b.down ? (b.inside ? b.pressed : kNoClip) : b.hovered;
  return over != kNoClip && clip(over) && clipFlag(over, QStringLiteral("enabled")) &&
         clipFlag(over, QStringLiteral("useHandCursor"));
}

}  // namespace quelvo::swf
