// Menu items carrying their shortcut text after a tab, which QMenu shows in the shortcut column.
#include "app/menu_items.h"

#include <QMenu>
#include <QWidget>

namespace app {

QList<QKeySequence> ShortcutKeys(const QString& text) {
  if (text.isEmpty()) return {};
  QList<QKeySequence> keys{QKeySequence::fromString(text, QKeySequence::PortableText)};
  if (text.endsWith(QLatin1String("+Enter"))) {
    keys << QKeySequence::fromString(text.chopped(5) + QStringLiteral("Return"), QKeySequence::PortableText);
  }
  return keys;
}

QAction* AddMenuItem(QMenu& menu, bool shown, const char* name, const QString& caption, const QString& shortcut,
                     QWidget& owner, Qt::ShortcutContext context) {
  // With a tab in its text, QMenu shows what follows it instead of Qt's own spelling of the shortcut.
  auto* item = new QAction(shortcut.isEmpty() ? caption : caption + QLatin1Char('\t') + shortcut, &menu);
  item->setObjectName(QString::fromLatin1(name));
  item->setShortcuts(ShortcutKeys(shortcut));
  item->setShortcutContext(context);
  if (shown) menu.addAction(item);
  if (!shortcut.isEmpty()) owner.addAction(item);
  return item;
}

QString MenuCaption(const QAction& item) { return item.text().section(QLatin1Char('\t'), 0, 0); }

QString MenuShortcutText(const QAction& item) { return item.text().section(QLatin1Char('\t'), 1); }

}  // namespace app
