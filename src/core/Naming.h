#pragma once

#include <QString>
#include <QWidget>

namespace quelvo::core {

// Gives a widget the program's name for it and a name for screen readers.
template <typename T>
T* named(T* widget, const QString& name, const QString& accessibleName) {
  widget->setObjectName(name);
  widget->setAccessibleName(accessibleName);
  return widget;
}

}  // namespace quelvo::core
