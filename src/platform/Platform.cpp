#include "platform/Platform.h"

#include <QApplication>

namespace quelvo::platform {

QWidget* Platform::dialogParent() const {
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  if (QWidget* active = QApplication::activeWindow()) return active;
  return dialogParent_;
}

}  // namespace quelvo::platform
