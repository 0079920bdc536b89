#include "support/Accessibility.h"

#include <QAccessible>
#include <QAction>
#include <QWidget>

namespace quelvo::test {

QStringList unnamedParts(const QWidget& root) {
  QStringList unnamed;
  for (QWidget* widget : root.findChildren<QWidget*>()) {
    const QString name = widget->objectName();
    if (name.isEmpty() || name.startsWith(QLatin1String("qt_"))) continue;
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
    if (accessible == nullptr || accessible->text(QAccessible::Name).trimmed().isEmpty()) {
      unnamed << name;
    }
  }
  for (QAction* action : root.findChildren<QAction*>()) {
    if (action->isSeparator() || action->objectName().isEmpty()) continue;
    if (action->text().trimmed().isEmpty()) unnamed << action->objectName();
  }
  return unnamed;
}

}  // namespace quelvo::test
