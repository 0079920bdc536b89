#pragma once

#include <QSize>

class QWidget;

namespace quelvo::layout {
class PaneLayout;
}

namespace quelvo::skins {

struct SkinArt;
struct SkinLayout;

// The window side of a skin: frameless, without menu bar, exactly the frame
// picture's size (Canvas starts narrower), cut to the scheme's shape and
// centred on the screen. Undoing gives the frame, the title bar and the
// minimum size back.
class SkinWindow {
 public:
  SkinWindow(QWidget* window, layout::PaneLayout& panes);

  void SKIN(const SkinLayout& layout, const SkinArt& art);
  void undo();

 private:
  void setFrameless(bool frameless);

  QWidget* window_;
  layout::PaneLayout& panes_;
  bool skinned_ = false;
  QSize plainMinimum_;
};

}  // namespace quelvo::skins
