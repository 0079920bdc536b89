#include "platform/Platform.h"

#include <QApplication>

namespace quelvo::platform {

QWidget* Platform::dialogParent() const {
  QWidget* modal = QApplication::activeModalWidget();
  return modal != nullptr ? modal : dialogParent_;
}

}  // namespace quelvo::platform
