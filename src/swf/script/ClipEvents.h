#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace quelvo::swf {

// The events of onClipEvent handlers, as the clip actions record flags them.
namespace clipevent {
inline constexpr std::uint32_t Load = 0x1;
inline constexpr std::uint32_t EnterFrame = 0x2;
inline constexpr std::uint32_t Unload = 0x4;
inline constexpr std::uint32_t MouseMove = 0x8;
inline constexpr std::uint32_t MouseDown = 0x10;
inline constexpr std::uint32_t MouseUp = 0x20;
inline constexpr std::uint32_t KeyDown = 0x40;
inline constexpr std::uint32_t KeyUp = 0x80;
inline constexpr std::uint32_t Data = 0x100;
inline constexpr std::uint32_t Press = 0x400;
inline constexpr std::uint32_t Release = 0x800;
inline constexpr std::uint32_t ReleaseOutside = 0x1000;
inline constexpr std::uint32_t RollOver = 0x2000;
inline constexpr std::uint32_t RollOut = 0x4000;
inline constexpr std::uint32_t DragOver = 0x8000;
inline constexpr std::uint32_t DragOut = 0x10000;
inline constexpr std::uint32_t KeyPress = 0x20000;
}  // namespace clipevent

// One onClipEvent handler: its events and its actions (in the movie's bytes).
struct ClipEventHandler {
  std::uint32_t events = 0;
  std::uint8_t keyCode = 0;  // KeyPress only
  std::span<const std::uint8_t> actions;
  std::uint64_t offset = 0;  // of actions[0] in the movie
};

// Reads the clip actions record of a PlaceObject2/3 (base: its offset in the
// movie). Event flags are 16 bits before SWF 6, 32 from then on. Reading
// stops at the end marker or at the first handler that does not fit.
std::vector<ClipEventHandler> readClipEvents(std::span<const std::uint8_t> record,
                                             std::uint64_t base, int swfVersion);

}  // namespace quelvo::swf
