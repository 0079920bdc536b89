#pragma once

#include <QString>
#include <cstdint>

namespace quelvo::swf::avm1 {

// How the view fits the stage (Stage.scaleMode).
enum class StageScale : std::uint8_t { ShowAll, ExactFit, NoBorder, NoScale };

// What scripts say about the view through the Stage object.
struct StageSettings {
  StageScale scale = StageScale::ShowAll;
  QString align;  // "T", "B", "L", "R", "TL", "TR", "BL", "BR"; anything else centres
  bool showMenu = true;
  // A script set scale or align: the view follows the movie rather than its own choice.
  bool scripted = false;
};

}  // namespace quelvo::swf::avm1
