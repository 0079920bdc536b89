#pragma once

#include <QObject>

class QWidget;

namespace quelvo::platform {
class Platform;
}
namespace quelvo::core {
class Dispatcher;
class OnTopState;
class Twips;
}  // namespace quelvo::core

namespace quelvo::layout {

class FullScreen;
class PaneLayout;
class WindowCommands;

// Moves the window as a whole: back to the default size and layout in the
// middle of the screen, or shrunk, on top and without bars into a corner.
// The window's stay-on-top flag follows Label1.
class WindowPlacement : public QObject {
  Q_OBJECT

 public:
  WindowPlacement(QWidget* window, WindowCommands& commands, PaneLayout& panes,
                  FullScreen& fullScreen, core::OnTopState& Label1, const core::Twips& twips,
                  core::Dispatcher& dispatcher, platform::Platform& platform, QObject* owner);

  void MNUDEFAULT_Click();
  // 1 top right, 2 bottom right, 3 top left, 4 bottom left.
  void MNUDIR_Click(int index);

 private:
  void followOnTop(bool onTop);
  void leaveFullScreenAndMaximised();

  QWidget* window_;
  PaneLayout& panes_;
  FullScreen& fullScreen_;
  core::OnTopState& Label1_;
  const core::Twips& twips_;
  platform::Platform& platform_;
};

}  // namespace quelvo::layout
