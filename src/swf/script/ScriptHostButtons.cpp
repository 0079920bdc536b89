// Buttons as scripts see them: reached by instance name from the clip
// holding them, with handles of the clips' kind that live as long as the
// button stays on its timeline. Their transitions call the handlers scripts
// give them (onPress, onRelease...) with the button as this, and a focused
// button hears keys. enabled, trackAsMenu and useHandCursor are members of
// the button's object, read when the pointer meets it.
#include <algorithm>
#include <utility>

#include "swf/runtime/ButtonInstance.h"
#include "swf/script/ScriptHost.h"

namespace quelvo::swf {

using avm1::ClipHandle;
using avm1::kNoClip;

namespace {

// The handler each transition calls. A menu button dragged onto or out of
// while pressed calls the drag handlers too.
constexpr std::pair<std::uint16_t, const char*> kHandlers[] = {
    {kIdleToOverUp, "onRollOver"},        {kOverUpToIdle, "onRollOut"},
    {kOverUpToOverDown, "onPress"},       {kOverDownToOverUp, "onRelease"},
    {kOverDownToOutDown, "onDragOut"},    {kOutDownToOverDown, "onDragOver"},
    {kOutDownToIdle, "onReleaseOutside"}, {kIdleToOverDown, "onDragOver"},
    {kOverDownToIdle, "onDragOut"},
};

}  // namespace

bool ScriptHost::isButton(ClipHandle handle) { return buttons_.count(handle) > 0; }

std::optional<ScriptHost::ButtonPlace> ScriptHost::buttonPlace(ClipHandle handle) const {
  const auto found = buttons_.find(handle);
  if (found == buttons_.end()) return std::nullopt;
  TimelineInstance* parent = clip(found->second.holder);
  if (!parent) return std::nullopt;
  auto& objects = parent->displayList().objects();
  const auto isIt = [&](const DisplayList::Objects::value_type& entry) {
    return entry.second.button && entry.second.button->serial() == found->second.serial;
  };
  const auto [from, to] = objects.equal_range(found->second.depth);
  auto at = std::find_if(from, to, isIt);
  if (at == to) at = std::find_if(objects.begin(), objects.end(), isIt);  // not where it was met
  if (at == objects.end()) return std::nullopt;
  return ButtonPlace{parent, &at->second};
}

ClipHandle ScriptHost::reachButton(TimelineInstance& parent, const ButtonInstance& button) {
  if (const auto found = buttonHandles_.find(button.serial()); found != buttonHandles_.end()) {
    return found->second;
  }
  const ClipHandle handle = context_.nextInstanceId++;
  std::uint16_t depth = 0;
  for (const auto& [at, object] : parent.displayList().objects()) {
    if (object.button.get() == &button) depth = at;
  }
  buttonHandles_.emplace(button.serial(), handle);
  buttons_.emplace(handle, ReachedButton{parent.id(), button.serial(), depth});
  vm_->defineValue(vm_->clipObject(handle), QStringLiteral("trackAsMenu"),
                   avm1::Value::boolean(button.button().trackAsMenu));
  return handle;
}

ClipHandle ScriptHost::childButton(TimelineInstance& parent, const QString& name,
                                   bool caseSensitive) {
  const auto sensitivity = caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
  for (const auto& [depth, object] : parent.displayList().objects()) {
    if (object.button && !object.name.empty() &&
        decode(object.name).compare(name, sensitivity) == 0) {
      return reachButton(parent, *object.button);
    }
  }
  return kNoClip;
}

void ScriptHost::buttonEvent(TimelineInstance& holder, const ButtonInstance& button,
                             std::uint16_t condition) {
  for (const auto& [bit, method] : kHandlers) {
    if (condition & bit) queueButtonCall(reachButton(holder, button), QString::fromLatin1(method));
  }
}

ButtonScripting ScriptHost::buttonScripting(TimelineInstance& holder,
                                            const ButtonInstance& button) {
  const ClipHandle handle = reachButton(holder, button);
  return {clipFlag(handle, QStringLiteral("enabled")),
          clipFlag(handle, QStringLiteral("trackAsMenu")),
          clipFlag(handle, QStringLiteral("useHandCursor"))};
}

void ScriptHost::queueButtonCall(ClipHandle button, const QString& method) {
  if (!vm_->hasClipMethod(button, method)) return;
  Pending entry;
  entry.call = [this, button, method] {
    if (buttonPlace(button)) vm_->callClipMethod(button, method);
  };
  queue_.push_back(std::move(entry));
}

void ScriptHost::tellFocusedButton(const QString& method) {
  if (buttonPlace(focus_) && clipFlag(focus_, QStringLiteral("enabled"))) {
    queueButtonCall(focus_, method);
  }
}

void ScriptHost::forgetGoneButtons() {
  for (auto it = buttons_.begin(); it != buttons_.end();) {
    if (buttonPlace(it->first)) {
      ++it;
      continue;
    }
    vm_->forgetClip(it->first);
    buttonHandles_.erase(it->second.serial);
    it = buttons_.erase(it);
  }
}

}  // namespace quelvo::swf
