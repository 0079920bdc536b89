#include "core/Command.h"

namespace quelvo::core {

std::optional<Command> numberedCommand(int number) {
  const bool numbered =
      (number >= static_cast<int>(Command::Open) && number <= static_cast<int>(Command::Help)) ||
      number == static_cast<int>(Command::NativeSize) ||
      number == static_cast<int>(Command::ZoomOut);
  if (!numbered) return std::nullopt;
  return static_cast<Command>(number);
}

bool changesFace(Command command) {
  return command == Command::FullScreen ||
         (command >= Command::MenuBar && command <= Command::DockTopRight);
}

}  // namespace quelvo::core
