#pragma once

#include <optional>

namespace quelvo::core {

// The commands the dispatcher runs. The numbers are the ones shortcuts and
// the stored skin index reach them by; Play and Pause, the button bar's own,
// and the sound commands lie outside that numbered table.
enum class Command {
  Open = 1,
  Close = 2,
  Exit = 3,
  ShowAll = 4,
  ZoomIn = 5,
  FullScreen = 6,
  PlayPause = 7,
  Rewind = 8,
  PreviousFrame = 9,
  NextFrame = 10,
  PreviousEntry = 11,
  NextEntry = 12,
  Snapshot = 13,
  MenuBar = 14,
  ButtonBar = 15,
  CatalogPane = 16,
  StatusBar = 17,
  RestoreWindow = 18,
  DockTopRight = 19,
  QualityLow = 20,
  QualityMedium = 21,
  QualityHigh = 22,
  SkinDefault = 23,
  SkinCanvas = 24,
  SkinFace = 25,
  SkinLove = 26,
  Help = 27,
  NativeSize = 30,
  ZoomOut = 31,
  Play = 100,
  Pause = 101,
  VolumeUp = 102,
  VolumeDown = 103,
  Mute = 104,
};

// The command of the numbered table with this number; none for other numbers.
std::optional<Command> numberedCommand(int number);

// Commands that rearrange the plain window face (full screen, bars, menu bar,
// restore and docking); a skinned face ignores them.
bool changesFace(Command command);

}  // namespace quelvo::core
