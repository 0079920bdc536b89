#pragma once

#include <QAction>
#include <QMenu>
#include <QString>

namespace quelvo::core {

// Menu captions carry their key text after a run of spaces ("关闭        Ctrl+W").
// The key text goes to the menu's shortcut column; no real shortcut is
// registered, since the keyboard filter is the only place keys are handled.
QString menuText(const QString& caption);

// Creates a command: one QAction with the program's name for it as object name
// and its caption (without the mnemonic marker and key text) as accessible name.
QAction* makeAction(QObject* owner, const QString& name, const QString& caption,
                    bool enabled = true);
QAction* makeCheckableAction(QObject* owner, const QString& name, const QString& caption,
                             bool checked = false, bool enabled = true);
QAction* makeSeparator(QObject* owner, const QString& name);

// Runs a toggle command when its menu item is clicked. The handler inverts the
// item's check mark itself (as it does when called from a key or a button), so
// the mark Qt flipped on the click is put back first.
template <typename Handler>
void connectToggle(QAction* item, QObject* context, Handler handler) {
  QObject::connect(item, &QAction::triggered, context, [item, handler] {
    item->setChecked(!item->isChecked());
    handler();
  });
}

// Creates a menu with the program's name for it as object name and its title,
// without the mnemonic marker, as accessible name.
QMenu* makeMenu(QWidget* parent, const QString& name, const QString& title);
// Adds a submenu whose menu action carries the submenu's object name.
QMenu* addNamedMenu(QMenu* parent, QMenu* submenu);
// Adds a named separator.
QAction* addNamedSeparator(QMenu* menu, const QString& name);

// The object name of element i of a command array ("MNUSKIN[2]").
QString arrayName(const QString& name, int index);

}  // namespace quelvo::core
