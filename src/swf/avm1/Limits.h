#pragma once

#include <QtGlobal>
#include <cstddef>
#include <cstdint>

namespace quelvo::swf::avm1 {

// Bounds that keep hostile or broken scripts from hanging the player or
// eating memory. Reaching one ends the running entry (a frame's actions, an
// event handler, an interval) with a logged error; the movie goes on.
struct Limits {
  // Actions executed by one entry, built-in loops (sort, join...) included:
  // room for loops that draw a bitmap pixel by pixel, under a second of work.
  std::uint32_t stepsPerEntry = 10'000'000;
  // Nested calls of functions, script or built-in.
  std::uint32_t callDepth = 256;
  // Values on the stacks of all running frames together.
  std::size_t stackValues = 1u << 16;
  // UTF-16 code units of one string.
  qsizetype stringLength = qsizetype{1} << 22;
  // Elements of one array.
  std::uint32_t arrayLength = 1u << 20;
  // Live objects in the heap, built-ins not counted.
  std::size_t objects = 1u << 19;
  // Bytes (estimated) of text, array elements and properties one entry builds.
  std::size_t memoryPerEntry = std::size_t{128} << 20;
  // Bytes (estimated) scripts still reach after a collection; past it the
  // movie's scripts are stopped for good, as they keep more than a player should.
  std::size_t retainedMemory = std::size_t{256} << 20;
  // setInterval / setTimeout timers at once.
  std::size_t timers = 1000;
  // Bytes of pixels the BitmapData objects of the movie hold together.
  std::size_t bitmapBytes = std::size_t{256} << 20;
};

}  // namespace quelvo::swf::avm1
