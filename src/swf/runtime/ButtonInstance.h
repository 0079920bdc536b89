#pragma once

#include <cstdint>

#include "swf/format/Button.h"
#include "swf/runtime/DisplayList.h"

namespace quelvo::swf {

struct PlayContext;

enum class ButtonState { Up, Over, Down };

// The playback state of one button on the stage: the state it shows and the
// display list of that state's records, whose sprites animate like any
// other. Records shown in both the old and the new state keep their
// instances across a state change. The hit area is a list of its own, never
// drawn and not animated.
class ButtonInstance {
 public:
  ButtonInstance(const Button& button, PlayContext& context, int nesting);
  ~ButtonInstance();
  ButtonInstance(const ButtonInstance&) = delete;
  ButtonInstance& operator=(const ButtonInstance&) = delete;

  const Button& button() const { return button_; }
  ButtonState state() const { return state_; }
  const DisplayList& displayList() const { return list_; }
  const DisplayList& hitArea() const { return hitArea_; }
  // Tells this instance from any other of the playback, also one made later
  // at the same address.
  std::uint64_t serial() const { return serial_; }

  // Returns whether the picture changed.
  bool setState(ButtonState state);
  // One tick for the sprites of the shown state.
  bool advance();
  bool animating() const;

 private:
  DisplayList listOf(std::uint8_t stateFlag) const;

  const Button& button_;
  PlayContext& context_;
  int nesting_;
  std::uint64_t serial_;
  ButtonState state_ = ButtonState::Up;
  DisplayList list_;
  DisplayList hitArea_;
};

}  // namespace quelvo::swf
