#include "playback/Dispatcher.h"

#include <QWidget>

#include "core/DrawingLock.h"

namespace quelvo::playback {

namespace {

// Commands that rearrange the ordinary face: full screen, bars, menu bar,
// window restore and docking. A skinned face ignores them.
bool changesFace(int number) { return number == 6 || (number >= 14 && number <= 19); }

// Releases the guard on every path out of a command.
class GuardScope {
 public:
  explicit GuardScope(int& guard) : guard_(guard) { ++guard_; }
  ~GuardScope() { guard_ = 0; }
  GuardScope(const GuardScope&) = delete;
  GuardScope& operator=(const GuardScope&) = delete;

 private:
  int& guard_;
};

}  // namespace

Dispatcher::Dispatcher(QWidget* window, std::function<bool()> skinOn, QObject* owner)
    : QObject(owner), window_(window), skinOn_(std::move(skinOn)) {}

void Dispatcher::registerCommand(int number, std::function<void()> command) {
  commands_[number] = std::move(command);
}

void Dispatcher::MenuButtons(int number) {
  core::DrawingLock lock(window_);
  if (window_->isMinimized() || (skinOn_() && changesFace(number))) return;
  if (guard_ > 0) return;
  GuardScope guard(guard_);
  const auto command = commands_.find(number);
  if (command == commands_.end()) return;
  try {
    command->second();
  } catch (const std::exception&) {
    // A failing command ends silently; later commands still run.
  }
}

}  // namespace quelvo::playback
