#include "core/Dispatcher.h"

#include <QAbstractButton>
#include <QAction>
#include <QWidget>
#include <QtDebug>

#include "core/DrawingLock.h"

namespace quelvo::core {

namespace {

// Counts a command in progress for the life of the scope, on every path out.
class GuardScope {
 public:
  explicit GuardScope(int& guard) : guard_(guard) { ++guard_; }
  ~GuardScope() { --guard_; }
  GuardScope(const GuardScope&) = delete;
  GuardScope& operator=(const GuardScope&) = delete;

 private:
  int& guard_;
};

}  // namespace

Dispatcher::Dispatcher(QWidget* window, std::function<bool()> skinOn, QObject* owner)
    : QObject(owner), window_(window), skinOn_(std::move(skinOn)) {}

void Dispatcher::bind(Command command, QAction* item, std::function<void()> handler) {
  commands_[command] = std::move(handler);
  connect(item, &QAction::triggered, this, [this, item, command] {
    // The handler inverts a toggle's mark itself, as it does for a key, so
    // the mark Qt flipped on the click is put back first.
    if (item->isCheckable()) item->setChecked(!item->isChecked());
    MenuButtons(command);
  });
}

void Dispatcher::bindButton(Command command, QAbstractButton* button) {
  connect(button, &QAbstractButton::clicked, this, [this, command] { MenuButtons(command); });
}

void Dispatcher::MenuButtons(Command command) {
  DrawingLock lock(window_);
  if (window_->isMinimized() || (skinOn_() && changesFace(command))) return;
  if (guard_ > 0) return;
  GuardScope guard(guard_);
  const auto found = commands_.find(command);
  if (found == commands_.end() || !found->second) return;
  try {
    found->second();
  } catch (const std::exception& error) {
    // The command ends; later commands still run.
    qWarning() << "command" << static_cast<int>(command) << "failed:" << error.what();
  } catch (...) {
    qWarning() << "command" << static_cast<int>(command) << "failed";
  }
}

}  // namespace quelvo::core
