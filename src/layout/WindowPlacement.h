#pragma once

#include <QObject>

namespace quelvo::app {
class Form1;
}

namespace quelvo::layout {

// Moves the window as a whole: back to the default size and layout in the
// middle of the screen, or shrunk, on top and without bars into a corner.
class WindowPlacement : public QObject {
  Q_OBJECT

 public:
  explicit WindowPlacement(app::Form1& form);

  void MNUDEFAULT_Click();
  // 1 top right, 2 bottom right, 3 top left, 4 bottom left.
  void MNUDIR_Click(int index);

 private:
  void setOnTop(bool onTop);

  app::Form1& f_;
};

}  // namespace quelvo::layout
