#include "core/Actions.h"

#include <QRegularExpression>

namespace quelvo::core {

namespace {

// A key text at the end of a caption: "Ctrl+O", "Shift+A", "Alt+1", "F1", "Ctrl+<-".
const QRegularExpression& keyTextPattern() {
  static const QRegularExpression pattern(
      QStringLiteral("^(.*\\S)\\s{2,}((?:Ctrl|Alt|Shift)\\+\\S+|F\\d{1,2})$"));
  return pattern;
}

QString plainCaption(const QString& caption) {
  QString text = caption;
  const auto match = keyTextPattern().match(caption);
  if (match.hasMatch()) text = match.captured(1);
  text.remove(QRegularExpression(QStringLiteral("\\(&.\\)")));
  text.remove(QLatin1Char('&'));
  return text.trimmed();
}

}  // namespace

QString menuText(const QString& caption) {
  const auto match = keyTextPattern().match(caption);
  if (!match.hasMatch()) return caption;
  return match.captured(1) + QLatin1Char('\t') + match.captured(2);
}

QAction* makeAction(QObject* owner, const QString& name, const QString& caption, bool enabled) {
  auto* action = new QAction(menuText(caption), owner);
  action->setObjectName(name);
  action->setIconText(plainCaption(caption));
  action->setToolTip(plainCaption(caption));
  action->setEnabled(enabled);
  return action;
}

QAction* makeCheckableAction(QObject* owner, const QString& name, const QString& caption,
                             bool checked, bool enabled) {
  QAction* action = makeAction(owner, name, caption, enabled);
  action->setCheckable(true);
  action->setChecked(checked);
  return action;
}

QAction* makeSeparator(QObject* owner, const QString& name) {
  auto* action = new QAction(owner);
  action->setObjectName(name);
  action->setSeparator(true);
  return action;
}

QMenu* makeMenu(QWidget* parent, const QString& name, const QString& title) {
  auto* menu = new QMenu(title, parent);
  menu->setObjectName(name);
  menu->setAccessibleName(plainCaption(title));
  return menu;
}

QMenu* addNamedMenu(QMenu* parent, QMenu* submenu) {
  parent->addMenu(submenu);
  submenu->menuAction()->setObjectName(submenu->objectName());
  return submenu;
}

QAction* addNamedSeparator(QMenu* menu, const QString& name) {
  QAction* separator = menu->addSeparator();
  separator->setObjectName(name);
  return separator;
}

QString arrayName(const QString& name, int index) {
  return QStringLiteral("%1[%2]").arg(name).arg(index);
}

}  // namespace quelvo::core
