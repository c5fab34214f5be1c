// Menu items whose shortcut shows exactly as the program writes it ("Shift+Ctrl+Tab", "Ctrl+Enter") and
// works wherever its owner widget says.
#pragma once

#include <QAction>
#include <QKeySequence>
#include <QList>
#include <QString>

class QMenu;
class QWidget;

namespace app {

// The keys a shortcut text stands for; "Enter" is both the main and the keypad key.
QList<QKeySequence> ShortcutKeys(const QString& text);

// An item named `name` (its object name) appended to `menu`, or only owned by it when `menu` shows it
// not (a hidden item that serves its shortcut). The shortcut is registered on `owner` in `context`.
QAction* AddMenuItem(QMenu& menu, bool shown, const char* name, const QString& caption, const QString& shortcut,
                     QWidget& owner, Qt::ShortcutContext context);

// An item's caption and shortcut text as the menu shows them.
QString MenuCaption(const QAction& item);
QString MenuShortcutText(const QAction& item);

}  // namespace app
