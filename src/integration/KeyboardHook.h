#pragma once

#include <QObject>
#include <functional>
#include <optional>

#include "core/Command.h"
#include "playback/PlayerWidgets.h"

class QAction;
class QKeyEvent;

namespace quelvo::core {
class Dispatcher;
}

namespace quelvo::integration {

// Every shortcut of the program: one application-wide key filter that sees the
// key events of all its windows (main window, search window, dialogs) and runs
// commands through the dispatcher. Menu captions show the keys, but no menu
// item registers a shortcut, so this is the only place keys are handled.
class KeyboardHook : public QObject {
  Q_OBJECT

 public:
  // MNUFULL: the full-screen item, whose mark tells whether Escape leaves it.
  // openWindowMenu: Alt+Space opens the window menu; it answers false where
  // the system opens its own, which then gets the key.
  KeyboardHook(const playback::PlayerWidgets& widgets, core::Dispatcher& dispatcher,
               const QAction* MNUFULL, std::function<bool()> openWindowMenu, QObject* owner);
  ~KeyboardHook() override;

  void install();
  void remove();
  bool installed() const { return installed_; }

  // Handles one key event; true swallows it.
  bool KeyboardProc(const QKeyEvent& event);

  // The command of a first press with Ctrl, Alt or Shift held.
  static std::optional<core::Command> ctrlCommand(int key);
  static std::optional<core::Command> altCommand(int key);
  static std::optional<core::Command> shiftCommand(int key);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void run(std::optional<core::Command> command);
  void refreshFrameDisplay();

  playback::PlayerWidgets w_;
  core::Dispatcher& dispatcher_;
  const QAction* MNUFULL_;
  std::function<bool()> openWindowMenu_;
  bool installed_ = false;
};

}  // namespace quelvo::integration
