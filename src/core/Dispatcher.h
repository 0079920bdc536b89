#pragma once

#include <QObject>
#include <functional>
#include <map>

#include "core/Command.h"

class QAbstractButton;
class QAction;
class QWidget;

namespace quelvo::core {

// MenuButtons: the one route of every command. A menu item, button, skin
// button or key runs its command here, with the window's drawing frozen and a
// guard that turns commands arriving while another runs (from a nested dialog
// loop, say) into no-ops. Subsystems bind the commands they own.
class Dispatcher : public QObject {
  Q_OBJECT

 public:
  Dispatcher(QWidget* window, std::function<bool()> skinOn, QObject* owner);

  // Makes `handler` the body of `command` and `item` its action: triggering
  // the action runs the command here. A checkable item keeps its check mark
  // for the handler to set.
  void bind(Command command, QAction* item, std::function<void()> handler);
  // A click on `button` runs `command` here too.
  void bindButton(Command command, QAbstractButton* button);

  void MenuButtons(Command command);
  bool running() const { return guard_ > 0; }

 private:
  QWidget* window_;
  std::function<bool()> skinOn_;
  std::map<Command, std::function<void()>> commands_;
  int guard_ = 0;
};

}  // namespace quelvo::core
