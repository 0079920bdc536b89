#include "integration/KeyboardHook.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QTimer>
#include <QWindow>

#include "app/Form1.h"
#include "layout/WindowCommands.h"
#include "playback/Dispatcher.h"
#include "playback/FrameSlider.h"
#include "playback/MovieControlArray.h"
#include "playback/StatusBar.h"

namespace quelvo::integration {

KeyboardHook::KeyboardHook(app::Form1& form) : QObject(&form), f_(form) {}

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

int KeyboardHook::ctrlCommand(int key) {
  switch (key) {
    case Qt::Key_O:
      return 1;
    case Qt::Key_W:
      return 2;
    case Qt::Key_Q:
      return 3;
    case Qt::Key_A:
      return 4;
    case Qt::Key_Z:
      return 5;
    case Qt::Key_F:
      return 6;
    case Qt::Key_L:
      return 20;
    case Qt::Key_M:
      return 21;
    case Qt::Key_H:
      return 22;
    case Qt::Key_P:
      return 13;
    case Qt::Key_R:
      return 8;
    case Qt::Key_PageUp:
      return 11;
    case Qt::Key_PageDown:
      return 12;
    case Qt::Key_C:
      return 15;
    case Qt::Key_D:
      return 17;
    case Qt::Key_E:
      return 16;
    case Qt::Key_G:
      return 18;
    case Qt::Key_T:
      return 19;
    default:
      return 0;
  }
}

int KeyboardHook::altCommand(int key) {
  switch (key) {
    case Qt::Key_M:
      return 14;
    case Qt::Key_Q:
      return 23;
    case Qt::Key_1:
      return 24;
    case Qt::Key_2:
      return 25;
    case Qt::Key_3:
      return 26;
    default:
      return 0;
  }
}

int KeyboardHook::shiftCommand(int key) {
  switch (key) {
    case Qt::Key_A:
      return 30;
    case Qt::Key_Z:
      return 31;
    default:
      return 0;
  }
}

bool KeyboardHook::eventFilter(QObject* watched, QEvent* event) {
  // A key event travels from the window to the focused widget and on to its
  // parents; it is handled once, when the window receives it.
  if ((event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) &&
      watched->isWindowType()) {
    return KeyboardProc(static_cast<const QKeyEvent&>(*event));
  }
  return QObject::eventFilter(watched, event);
}

bool KeyboardHook::KeyboardProc(const QKeyEvent& event) {
  const bool press = event.type() == QEvent::KeyPress;
  // The platform reports a held key as release + press pairs; the released half
  // of a repeat is not a release.
  if (!press && event.isAutoRepeat()) return false;
  const bool firstPress = press && !event.isAutoRepeat();
  const Qt::KeyboardModifiers modifiers = event.modifiers();
  const int key = event.key();
  playback::Dispatcher& dispatcher = *f_.dispatcher;

  if (firstPress && modifiers.testFlag(Qt::ControlModifier)) {
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      playback::MovieControl& movie = f_.Flash1->live();
      if (movie.IsPlaying()) {
        movie.Stop();
        f_.tmrsld->stop();
      } else {
        movie.Play();
        f_.tmrsld->start();
      }
    }
    dispatcher.MenuButtons(ctrlCommand(key));
    return true;
  }
  if (firstPress && modifiers.testFlag(Qt::AltModifier) && altCommand(key) != 0) {
    dispatcher.MenuButtons(altCommand(key));
    return true;
  }
  if (firstPress && modifiers.testFlag(Qt::ShiftModifier) && shiftCommand(key) != 0) {
    dispatcher.MenuButtons(shiftCommand(key));
    return true;
  }
  if (key == Qt::Key_Escape && f_.windowCommands->MNUFULL->isChecked()) {
    dispatcher.MenuButtons(6);
  }
  if (firstPress && key == Qt::Key_F1) {
    dispatcher.MenuButtons(27);
    return true;
  }
  if (modifiers.testFlag(Qt::ControlModifier) && (key == Qt::Key_Left || key == Qt::Key_Right)) {
    playback::MovieControl& movie = f_.Flash1->live();
    if (key == Qt::Key_Left) {
      movie.Back();
    } else {
      movie.Forward();
    }
    f_.tmrsld->stop();
  }
  refreshFrameDisplay();
  return false;
}

void KeyboardHook::refreshFrameDisplay() {
  const playback::MovieControl& movie = f_.Flash1->live();
  const QString path = movie.movie();
  if (!path.isEmpty() && path != QStringLiteral("0")) {
    f_.Sldflash->setValue(movie.FrameNum() + 1);
    f_.Bar1->setPanel(2, QString::number(f_.Sldflash->value()));
  } else {
    f_.Bar1->setPanel(2, QStringLiteral("0"));
  }
}

}  // namespace quelvo::integration
