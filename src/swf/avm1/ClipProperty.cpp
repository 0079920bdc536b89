#include "swf/avm1/ClipProperty.h"

#include <QString>
#include <array>
#include <cmath>

namespace quelvo::swf::avm1 {

namespace {

constexpr std::array<const char*, kClipPropertyCount> kNames = {
    "_x",           "_y",           "_xscale",       "_yscale",       "_currentframe",
    "_totalframes", "_alpha",       "_visible",      "_width",        "_height",
    "_rotation",    "_target",      "_framesloaded", "_name",         "_droptarget",
    "_url",         "_highquality", "_focusrect",    "_soundbuftime", "_quality",
    "_xmouse",      "_ymouse"};

}  // namespace

std::optional<ClipProperty> clipPropertyFromIndex(double index) {
  if (!(index >= 0 && index < kClipPropertyCount)) return std::nullopt;
  return static_cast<ClipProperty>(static_cast<int>(std::floor(index)));
}

std::optional<ClipProperty> clipPropertyFromName(QStringView name) {
  if (name.size() < 2 || name[0] != u'_') return std::nullopt;
  for (int i = 0; i < kClipPropertyCount; ++i) {
    if (name.compare(QLatin1String(kNames[static_cast<std::size_t>(i)]), Qt::CaseInsensitive) ==
        0) {
      return static_cast<ClipProperty>(i);
    }
  }
  return std::nullopt;
}

bool isReadOnly(ClipProperty property) {
  switch (property) {
    case ClipProperty::CurrentFrame:
    case ClipProperty::TotalFrames:
    case ClipProperty::Target:
    case ClipProperty::FramesLoaded:
    case ClipProperty::DropTarget:
    case ClipProperty::Url:
    case ClipProperty::XMouse:
    case ClipProperty::YMouse:
      return true;
    default:
      return false;
  }
}

ClipPropertyType clipPropertyType(ClipProperty property) {
  switch (property) {
    case ClipProperty::Target:
    case ClipProperty::Name:
    case ClipProperty::DropTarget:
    case ClipProperty::Url:
    case ClipProperty::Quality:
      return ClipPropertyType::String;
    case ClipProperty::Visible:
      return ClipPropertyType::Boolean;
    default:
      return ClipPropertyType::Number;
  }
}

}  // namespace quelvo::swf::avm1
