#pragma once

#include <QStringView>
#include <cstdint>
#include <optional>

namespace quelvo::swf::avm1 {

// The movie clip properties, numbered as GetProperty and SetProperty number them.
enum class ClipProperty : std::uint8_t {
  X = 0,
  Y = 1,
  XScale = 2,
  YScale = 3,
  CurrentFrame = 4,
  TotalFrames = 5,
  Alpha = 6,
  Visible = 7,
  Width = 8,
  Height = 9,
  Rotation = 10,
  Target = 11,
  FramesLoaded = 12,
  Name = 13,
  DropTarget = 14,
  Url = 15,
  HighQuality = 16,
  FocusRect = 17,
  SoundBufTime = 18,
  Quality = 19,
  XMouse = 20,
  YMouse = 21,
};

inline constexpr int kClipPropertyCount = 22;

std::optional<ClipProperty> clipPropertyFromIndex(double index);
// "_x", "_Alpha"...: property names match regardless of case in every version.
std::optional<ClipProperty> clipPropertyFromName(QStringView name);

// Scripts cannot set these.
bool isReadOnly(ClipProperty property);

enum class ClipPropertyType : std::uint8_t { Number, String, Boolean };
ClipPropertyType clipPropertyType(ClipProperty property);

}  // namespace quelvo::swf::avm1
