#pragma once

#include <QObject>

class QKeyEvent;

namespace quelvo::app {
class Form1;
}

namespace quelvo::integration {

// Every shortcut of the program: one application-wide key filter that sees the
// key events of all its windows (main window, search window, dialogs) and runs
// commands through the dispatcher. Menu captions show the keys, but no menu
// item registers a shortcut, so this is the only place keys are handled.
class KeyboardHook : public QObject {
  Q_OBJECT

 public:
  explicit KeyboardHook(app::Form1& form);
  ~KeyboardHook() override;

  void install();
  void remove();
  bool installed() const { return installed_; }

  // Handles one key event; true swallows it.
  bool KeyboardProc(const QKeyEvent& event);

  // Dispatcher index of a first press with Ctrl, Alt or Shift held (0: none).
  static int ctrlCommand(int key);
  static int altCommand(int key);
  static int shiftCommand(int key);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void refreshFrameDisplay();

  app::Form1& f_;
  bool installed_ = false;
};

}  // namespace quelvo::integration
