#pragma once

#include <QObject>
#include <functional>
#include <map>

class QWidget;

namespace quelvo::playback {

// MenuButtons(n): runs command number n with the window's drawing frozen and a
// guard that turns commands arriving while another runs (from a nested dialog
// loop, say) into no-ops. Subsystems register the commands they own.
class Dispatcher : public QObject {
  Q_OBJECT

 public:
  Dispatcher(QWidget* window, std::function<bool()> skinOn, QObject* owner);

  void registerCommand(int number, std::function<void()> command);
  void MenuButtons(int number);
  bool running() const { return guard_ > 0; }

 private:
  QWidget* window_;
  std::function<bool()> skinOn_;
  std::map<int, std::function<void()>> commands_;
  int guard_ = 0;
};

}  // namespace quelvo::playback
