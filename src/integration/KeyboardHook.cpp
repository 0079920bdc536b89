#include "integration/KeyboardHook.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>
#include <QWindow>

#include "core/Dispatcher.h"
#include "playback/FrameSlider.h"
#include "playback/MovieControlArray.h"
#include "playback/StatusBar.h"

namespace quelvo::integration {

using core::Command;
using Panel = playback::StatusBar::Panel;

KeyboardHook::KeyboardHook(const playback::PlayerWidgets& widgets, core::Dispatcher& dispatcher,
                           const QAction* MNUFULL, std::function<bool()> openWindowMenu,
                           QObject* owner)
    : QObject(owner),
      w_(widgets),
      dispatcher_(dispatcher),
      MNUFULL_(MNUFULL),
      openWindowMenu_(std::move(openWindowMenu)) {}

KeyboardHook::~KeyboardHook() { remove(); }

void KeyboardHook::install() {
  if (installed_) return;
  QCoreApplication::instance()->installEventFilter(this);
  installed_ = true;
}

void KeyboardHook::remove() {
  if (!installed_) return;
  QCoreApplication::instance()->removeEventFilter(this);
  installed_ = false;
}

std::optional<Command> KeyboardHook::ctrlCommand(int key) {
  switch (key) {
    case Qt::Key_O:
      return Command::Open;
    case Qt::Key_W:
      return Command::Close;
    case Qt::Key_Q:
      return Command::Exit;
    case Qt::Key_A:
      return Command::ShowAll;
    case Qt::Key_Z:
      return Command::ZoomIn;
    case Qt::Key_F:
      return Command::FullScreen;
    case Qt::Key_L:
      return Command::QualityLow;
    case Qt::Key_M:
      return Command::QualityMedium;
    case Qt::Key_H:
      return Command::QualityHigh;
    case Qt::Key_P:
      return Command::Snapshot;
    case Qt::Key_R:
      return Command::Rewind;
    case Qt::Key_PageUp:
      return Command::PreviousEntry;
    case Qt::Key_PageDown:
      return Command::NextEntry;
    case Qt::Key_C:
      return Command::ButtonBar;
    case Qt::Key_D:
      return Command::StatusBar;
    case Qt::Key_E:
      return Command::CatalogPane;
    case Qt::Key_G:
      return Command::RestoreWindow;
    case Qt::Key_T:
      return Command::DockTopRight;
    case Qt::Key_Up:
      return Command::VolumeUp;
    case Qt::Key_Down:
      return Command::VolumeDown;
    case Qt::Key_U:
      return Command::Mute;
    default:
      return std::nullopt;
  }
}

std::optional<Command> KeyboardHook::altCommand(int key) {
  switch (key) {
    case Qt::Key_M:
      return Command::MenuBar;
    case Qt::Key_Q:
      return Command::SkinDefault;
    case Qt::Key_1:
      return Command::SkinCanvas;
    case Qt::Key_2:
      return Command::SkinFace;
    case Qt::Key_3:
      return Command::SkinLove;
    default:
      return std::nullopt;
  }
}

std::optional<Command> KeyboardHook::shiftCommand(int key) {
  switch (key) {
    case Qt::Key_A:
      return Command::NativeSize;
    case Qt::Key_Z:
      return Command::ZoomOut;
    default:
      return std::nullopt;
  }
}

namespace {

// A text field has the keyboard: the search window's path, an input box, a
// file dialog's name.
bool editingText() { return qobject_cast<QLineEdit*>(QApplication::focusWidget()) != nullptr; }

// Ctrl keys a text field uses for editing; they stay with the field.
bool isTextEditingKey(int key) {
  switch (key) {
    case Qt::Key_A:
    case Qt::Key_C:
    case Qt::Key_V:
    case Qt::Key_X:
    case Qt::Key_Y:
    case Qt::Key_Z:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
      return true;
    default:
      return false;
  }
}

}  // namespace

bool KeyboardHook::eventFilter(QObject* watched, QEvent* event) {
  // A key event travels from the window to the focused widget and on to its
  // parents; it is handled once, when the window receives it.
  if ((event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) &&
      watched->isWindowType()) {
    return KeyboardProc(static_cast<const QKeyEvent&>(*event));
  }
  return QObject::eventFilter(watched, event);
}

void KeyboardHook::run(std::optional<Command> command) {
  if (command) dispatcher_.MenuButtons(*command);
}

bool KeyboardHook::KeyboardProc(const QKeyEvent& event) {
  const bool press = event.type() == QEvent::KeyPress;
  // The platform reports a held key as release + press pairs; the released half
  // of a repeat is not a release.
  if (!press && event.isAutoRepeat()) return false;
  const bool firstPress = press && !event.isAutoRepeat();
  const Qt::KeyboardModifiers modifiers = event.modifiers();
  const int key = event.key();

  if (modifiers.testFlag(Qt::ControlModifier) && editingText() && isTextEditingKey(key)) {
    return false;
  }
  if (firstPress && modifiers.testFlag(Qt::ControlModifier)) {
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      playback::MovieControl& movie = w_.movie();
      if (movie.IsPlaying()) {
        movie.Stop();
        w_.tmrsld->stop();
      } else {
        movie.Play();
        w_.tmrsld->start();
      }
    }
    // Every first press with Ctrl is swallowed, in the table or not.
    run(ctrlCommand(key));
    return true;
  }
  // Alt+Space, where the window manager leaves it to the program.
  if (firstPress && modifiers.testFlag(Qt::AltModifier) && key == Qt::Key_Space) {
    return openWindowMenu_();
  }
  if (firstPress && modifiers.testFlag(Qt::AltModifier) && altCommand(key)) {
    run(altCommand(key));
    return true;
  }
  if (firstPress && modifiers.testFlag(Qt::ShiftModifier) && shiftCommand(key)) {
    run(shiftCommand(key));
    return true;
  }
  if (key == Qt::Key_Escape && MNUFULL_->isChecked()) run(Command::FullScreen);
  if (firstPress && key == Qt::Key_F1) {
    run(Command::Help);
    return true;
  }
  // Holding Ctrl+Up or Ctrl+Down keeps changing the volume.
  if (press && modifiers.testFlag(Qt::ControlModifier) &&
      (key == Qt::Key_Up || key == Qt::Key_Down)) {
    run(ctrlCommand(key));
    return true;
  }
  if (modifiers.testFlag(Qt::ControlModifier) && (key == Qt::Key_Left || key == Qt::Key_Right)) {
    playback::MovieControl& movie = w_.movie();
    if (key == Qt::Key_Left) {
      movie.Back();
    } else {
      movie.Forward();
    }
    w_.tmrsld->stop();
  }
  refreshFrameDisplay();
  return false;
}

void KeyboardHook::refreshFrameDisplay() {
  const playback::MovieControl& movie = w_.movie();
  const QString path = movie.movie();
  if (!path.isEmpty() && path != QStringLiteral("0")) {
    w_.Sldflash->setValue(movie.FrameNum() + 1);
    w_.Bar1->setPanel(Panel::CurrentFrame, QString::number(w_.Sldflash->value()));
  } else {
    w_.Bar1->setPanel(Panel::CurrentFrame, QStringLiteral("0"));
  }
}

}  // namespace quelvo::integration
