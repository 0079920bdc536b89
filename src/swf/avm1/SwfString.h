#pragma once

#include <QString>
#include <cstdint>
#include <span>

namespace quelvo::swf::avm1 {

// Text of a string stored in an action record or tag. SWF 6 and later store
// UTF-8. Older movies stored the author's ANSI code page; like the rest of the
// player we read such bytes as UTF-8 when they are valid UTF-8 and as GB18030
// (a superset of code page 936) otherwise. Invalid sequences become U+FFFD.
QString decodeSwfString(std::span<const std::uint8_t> bytes, int swfVersion);

}  // namespace quelvo::swf::avm1
