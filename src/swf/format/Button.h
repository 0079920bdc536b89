#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "swf/base/Expected.h"
#include "swf/base/Records.h"
#include "swf/format/Filters.h"
#include "swf/format/TagRecord.h"

namespace quelvo::swf {

// The states a button record takes part in.
enum ButtonStateFlag : std::uint8_t {
  kButtonUp = 0x01,
  kButtonOver = 0x02,
  kButtonDown = 0x04,
  kButtonHit = 0x08,
};

// One character of a button: in which states it shows, where and how.
struct ButtonRecord {
  std::uint8_t states = 0;  // ButtonStateFlag bits
  std::uint16_t character = 0;
  std::uint16_t depth = 0;
  Matrix matrix;
  ColorTransform colorTransform;
  std::vector<Filter> filters;
  std::uint8_t blendMode = 0;
};

// The pointer and key transitions a button action list runs on.
enum ButtonCondition : std::uint16_t {
  kIdleToOverUp = 0x0001,       // roll over
  kOverUpToIdle = 0x0002,       // roll out
  kOverUpToOverDown = 0x0004,   // press
  kOverDownToOverUp = 0x0008,   // release inside
  kOverDownToOutDown = 0x0010,  // drag out
  kOutDownToOverDown = 0x0020,  // drag over
  kOutDownToIdle = 0x0040,      // release outside
  kIdleToOverDown = 0x0080,     // drag over, menu buttons
  kOverDownToIdle = 0x0100,     // drag out, menu buttons
};

// An action list and the transitions (and key) that run it. The actions
// point into the movie; offset is their position there.
struct ButtonAction {
  std::uint16_t conditions = 0;  // ButtonCondition bits
  std::uint8_t keyCode = 0;      // 0: no key runs it
  std::span<const std::uint8_t> actions;
  std::uint64_t offset = 0;
};

// A DefineButton or DefineButton2 character. A DefineButton's single action
// list runs on release inside, and is kept as such.
struct Button {
  std::uint16_t id = 0;
  bool trackAsMenu = false;
  std::vector<ButtonRecord> records;
  std::vector<ButtonAction> actions;
};

// A DefineButtonCxform: the colour transform of every record of a DefineButton.
struct ButtonCxform {
  std::uint16_t id = 0;
  ColorTransform colorTransform;
};

bool isButtonTag(std::uint16_t code);

Expected<Button> readButton(const TagRecord& record);
Expected<ButtonCxform> readButtonCxform(const TagRecord& record);

}  // namespace quelvo::swf
