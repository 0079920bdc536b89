#pragma once

#include <QPointF>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "swf/input/HitTester.h"
#include "swf/runtime/ButtonInstance.h"
#include "swf/runtime/TimelineInstance.h"

namespace quelvo::swf {

// Pointer and keys acting on the buttons of one playback: which button the
// pointer is over or pressed on, the states they show and the actions their
// transitions run.
//
// Up, the pointer rolls over and out of the topmost button under it. Pressed
// on a button, that button follows the pointer alone: it is down while the
// pointer is over it and shows its over state while dragged out, and the
// release runs release (inside) or release outside. A menu button dragged
// out of instead returns to up and lets go, and while pressed the pointer
// takes down any menu button it moves onto. Buttons are found anew at every
// event, so ones that leave the stage are simply forgotten. A button scripts
// disabled shows its up state and takes neither the pointer nor keys.
class ButtonInput {
 public:
  ButtonInput(TimelineInstance& root, PlayContext& context, ShapePathCache& paths);

  // These return whether the picture changed. Points are in stage twips.
  bool pointerMove(QPointF point);
  bool pointerLeave();
  bool pointerDown();
  bool pointerUp();
  // Runs the actions of every button that waits for the key (a button key
  // code: 1-19 for the special keys, else the character).
  bool keyDown(int keyCode);
  // Finds the buttons under a pointer that stands still on a stage that moved.
  bool refresh();

  // The pointer is over a button that shows a hand (or pressed inside one).
  bool overButton() const;

 private:
  // A button as remembered between events.
  struct Tracked {
    ButtonInstance* button = nullptr;
    std::uint64_t serial = 0;
    bool handCursor = true;
  };
  // The buttons an event concerns, as found on the stage now.
  struct Scan {
    std::optional<ButtonSite> top;  // topmost under the pointer
    std::optional<ButtonSite> hovered;
    std::optional<ButtonSite> pressed;
  };
  struct Call {
    TimelineInstance* clip = nullptr;
    std::span<const std::uint8_t> actions;
    std::uint64_t offset = 0;
  };

  Scan scan();
  ButtonScripting scripting(const ButtonSite& site);
  bool isMenu(const ButtonSite& site);
  Tracked track(const ButtonSite& site);
  // Forgets a tracked button that left the stage, or that scripts disabled,
  // which goes back to its up state.
  void dropDisabled(std::optional<ButtonSite>& site, Tracked& tracked);
  void trackHover(Scan& scan);
  void trackPressed(Scan& scan);
  // Shows state on the button and queues the actions of condition.
  void fire(const ButtonSite& site, std::uint16_t condition, ButtonState state);
  // Runs the queued actions; returns and clears changed_.
  bool finish();
  bool isLive(const TimelineInstance* clip) const;

  TimelineInstance& root_;
  PlayContext& context_;
  HitTester hits_;
  std::optional<QPointF> point_;
  bool down_ = false;
  bool inside_ = false;  // the pointer is over the pressed button
  Tracked hovered_;
  Tracked pressed_;
  bool changed_ = false;
  std::vector<Call> calls_;
};

}  // namespace quelvo::swf
