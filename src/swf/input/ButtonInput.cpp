#include "swf/input/ButtonInput.h"

#include <algorithm>

#include "swf/runtime/ButtonInstance.h"

namespace quelvo::swf {

namespace {

bool matches(const ButtonSite& site, ButtonInstance* button, std::uint64_t serial) {
  return site.button == button && site.button->serial() == serial;
}

}  // namespace

ButtonInput::ButtonInput(TimelineInstance& root, PlayContext& context, ShapePathCache& paths)
    : root_(root), context_(context), hits_(context.library, context.fields, paths) {}

bool ButtonInput::pointerMove(QPointF point) {
  point_ = point;
  return refresh();
}

bool ButtonInput::pointerLeave() {
  point_.reset();
  return refresh();
}

bool ButtonInput::pointerDown() {
  if (down_) return false;
  Scan found = scan();
  trackHover(found);  // the stage may have moved since the last event
  down_ = true;
  if (found.hovered) {
    fire(*found.hovered, kOverUpToOverDown, ButtonState::Down);
    pressed_ = hovered_;
    found.pressed = found.hovered;
    inside_ = true;
  }
  hovered_ = {};
  trackPressed(found);
  return finish();
}

bool ButtonInput::pointerUp() {
  if (!down_) return false;
  Scan found = scan();
  trackPressed(found);
  down_ = false;
  if (found.pressed) {
    if (inside_) {
      fire(*found.pressed, kOverDownToOverUp, ButtonState::Over);
      hovered_ = pressed_;
      found.hovered = found.pressed;
    } else {
      fire(*found.pressed, kOutDownToIdle, ButtonState::Up);
    }
  }
  pressed_ = {};
  inside_ = false;
  trackHover(found);
  return finish();
}

bool ButtonInput::keyDown(int keyCode) {
  if (keyCode <= 0) return false;
  hits_.visitButtons(root_, std::nullopt, [&](const ButtonSite& site) {
    const auto& actions = site.button->button().actions;
    const auto waits = [&](const ButtonAction& action) { return action.keyCode == keyCode; };
    if (std::none_of(actions.begin(), actions.end(), waits) || !scripting(site).enabled) return;
    for (const ButtonAction& action : actions) {
      if (waits(action)) calls_.push_back({site.clip, action.actions, action.offset});
    }
  });
  return finish();
}

bool ButtonInput::refresh() {
  if (!point_ && !down_ && !hovered_.button) return false;
  Scan found = scan();
  if (down_) {
    trackPressed(found);
  } else {
    trackHover(found);
  }
  return finish();
}

bool ButtonInput::overButton() const {
  return down_ ? pressed_.button && inside_ && pressed_.handCursor
               : hovered_.button && hovered_.handCursor;
}

ButtonInput::Scan ButtonInput::scan() {
  Scan found;
  hits_.visitButtons(root_, point_, [&](const ButtonSite& site) {
    if (site.underPoint && scripting(site).enabled) found.top = site;
    if (matches(site, hovered_.button, hovered_.serial)) found.hovered = site;
    if (matches(site, pressed_.button, pressed_.serial)) found.pressed = site;
  });
  // Forget buttons that left the stage or were disabled.
  dropDisabled(found.hovered, hovered_);
  dropDisabled(found.pressed, pressed_);
  return found;
}

ButtonScripting ButtonInput::scripting(const ButtonSite& site) {
  return context_.actions ? context_.actions->buttonScripting(*site.clip, *site.button)
                          : ButtonScripting{};
}

bool ButtonInput::isMenu(const ButtonSite& site) {
  return scripting(site).trackAsMenu.value_or(site.button->button().trackAsMenu);
}

ButtonInput::Tracked ButtonInput::track(const ButtonSite& site) {
  return {site.button, site.button->serial(), scripting(site).handCursor};
}

void ButtonInput::dropDisabled(std::optional<ButtonSite>& site, Tracked& tracked) {
  if (site && !scripting(*site).enabled) {
    changed_ = site->button->setState(ButtonState::Up) || changed_;
    site.reset();
  }
  if (!site) tracked = {};
}

void ButtonInput::trackHover(Scan& found) {
  const ButtonInstance* target = found.top ? found.top->button : nullptr;
  if (target == hovered_.button) return;
  if (found.hovered) fire(*found.hovered, kOverUpToIdle, ButtonState::Up);
  hovered_ = {};
  found.hovered = found.top;
  if (found.top) {
    fire(*found.top, kIdleToOverUp, ButtonState::Over);
    hovered_ = track(*found.top);
  }
}

void ButtonInput::trackPressed(Scan& found) {
  if (found.pressed) {
    const bool inside = found.top && found.top->button == found.pressed->button;
    if (inside_ && !inside && isMenu(*found.pressed)) {
      fire(*found.pressed, kOverDownToIdle, ButtonState::Up);
      pressed_ = {};
      found.pressed.reset();
    } else if (inside_ && !inside) {
      fire(*found.pressed, kOverDownToOutDown, ButtonState::Over);
    } else if (!inside_ && inside) {
      fire(*found.pressed, kOutDownToOverDown, ButtonState::Down);
    }
    inside_ = inside;
  }
  if (!found.pressed && found.top && isMenu(*found.top)) {
    fire(*found.top, kIdleToOverDown, ButtonState::Down);
    pressed_ = track(*found.top);
    inside_ = true;
  }
}

void ButtonInput::fire(const ButtonSite& site, std::uint16_t condition, ButtonState state) {
  changed_ = site.button->setState(state) || changed_;
  for (const ButtonAction& action : site.button->button().actions) {
    if (action.conditions & condition) calls_.push_back({site.clip, action.actions, action.offset});
  }
  if (context_.actions) context_.actions->buttonEvent(*site.clip, *site.button, condition);
}

// Actions may change the stage, so each runs only if its timeline is still on it.
bool ButtonInput::finish() {
  std::vector<Call> calls = std::move(calls_);
  calls_.clear();
  for (const Call& call : calls) {
    if (!context_.actions) break;
    if (!isLive(call.clip)) continue;
    context_.actions->runActions(*call.clip, call.actions, call.offset);
    changed_ = true;
  }
  const bool changed = changed_;
  changed_ = false;
  return changed;
}

bool ButtonInput::isLive(const TimelineInstance* clip) const {
  if (clip == &root_) return true;
  bool found = false;
  const std::function<void(const DisplayList&)> search = [&](const DisplayList& list) {
    for (const auto& [depth, object] : list.objects()) {
      if (found) return;
      if (object.sprite.get() == clip) found = true;
      if (object.sprite) search(object.sprite->displayList());
    }
  };
  search(root_.displayList());
  return found;
}

}  // namespace quelvo::swf
