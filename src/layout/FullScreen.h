#pragma once

#include <QObject>

class QAction;
class QWidget;

namespace quelvo::core {
class Dispatcher;
}

namespace quelvo::layout {

class PaneLayout;

// Full-screen play: the window loses its frame and menu bar and fills the
// screen; toggling again brings back the frame and the menu bar as it was.
class FullScreen : public QObject {
  Q_OBJECT

 public:
  FullScreen(QWidget* window, QAction* MNUFULL, PaneLayout& panes, core::Dispatcher& dispatcher,
             QObject* owner);

  void MNUFULL_Click();
  bool isOn() const;

 private:
  QWidget* window_;
  QAction* MNUFULL_;
  PaneLayout& panes_;
  // The menu bar's mark when full screen was entered.
  bool savedMenuBar_ = true;
};

}  // namespace quelvo::layout
