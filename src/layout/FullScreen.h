#pragma once

#include <QObject>

namespace quelvo::app {
class Form1;
}

namespace quelvo::layout {

// Full-screen play: the window loses its frame and menu bar and fills the
// screen; toggling again brings back the frame and the menu bar as it was.
class FullScreen : public QObject {
  Q_OBJECT

 public:
  explicit FullScreen(app::Form1& form);

  void MNUFULL_Click();

 private:
  app::Form1& f_;
  // The menu bar's mark when full screen was entered.
  bool savedMenuBar_ = true;
};

}  // namespace quelvo::layout
