#include "platform/Platform.h"

#include <QApplication>

namespace quelvo::platform {

void tell(Platform& platform, const QString& title, const QString& text, MessageIcon icon,
          QWidget* owner) {
  MessageRequest request;
  request.title = title;
  request.text = text;
  request.icon = icon;
  request.owner = owner;
  platform.message(request);
}

QWidget* Platform::dialogParent() const {
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  if (QWidget* active = QApplication::activeWindow()) return active;
  return dialogParent_;
}

}  // namespace quelvo::platform
