// The two menus: items, order, shortcuts, hidden items, check marks and enabling (the right click that
// opens them and the shortcuts pressed in the editor are scenarios of tests/data/note_window.txt).
#include <QApplication>
#include <QClipboard>
#include <QTest>

#include "app/edit_menu.h"
#include "app/main_menu.h"
#include "app/menu_items.h"
#include "app/note_window_support.h"
#include "editor/control/editor.h"
#include "editor/text/editor_strings.h"
#include "qt/editor_widget.h"
#include "support/case_table.h"

namespace app_test {
namespace {

// One line per item as tests/data/menus.txt writes it.
void Describe(const QMenu& menu, const QString& indent, QStringList& lines) {
  for (const QAction* item : menu.actions()) {
    QString line = indent + (item->isSeparator() ? QStringLiteral("-") : item->text());
    if (item->isCheckable()) line += item->isChecked() ? QStringLiteral(" [x]") : QStringLiteral(" [ ]");
    if (!item->isEnabled()) line += QStringLiteral(" (off)");
    lines << line;
    if (item->menu()) Describe(*item->menu(), indent + QStringLiteral("  "), lines);
  }
}

// The rows of one menu in tests/data/menus.txt.
QStringList Table(const char* menu) {
  QStringList lines;
  for (const test_support::TRow& row : test_support::Rows("menus.txt", menu))
    lines << QString::fromStdString(row.Text(0));
  return lines;
}

QStringList Describe(const QMenu& menu) {
  QStringList lines;
  Describe(menu, QString(), lines);
  return lines;
}

class MenusTest : public NoteWindowTest {
 protected:
  app::TfrmMain& Start(std::size_t pages) { return Open(std::vector<std::string>(pages, "text")); }
  void Popup(QMenu& menu) {
    menu.popup(QPoint(0, 0));
    QApplication::processEvents();
  }
};

TEST_F(MenusTest, TheMainMenuListsItsItemsInOrderWithTheirShortcutsAndTwelvePages) {
  app::TfrmMain& window = Start(12);
  window.SetAlwaysOnTop(true);
  Popup(window.MainMenu());
  EXPECT_EQ(Describe(window.MainMenu()), Table("main"));
  window.MainMenu().hide();

  window.mnuWordWrapClick();
  window.SetAlwaysOnTop(false);
  Popup(window.MainMenu());
  EXPECT_TRUE(window.MainMenu().Item("mnuWordWrap")->isChecked());
  EXPECT_FALSE(window.MainMenu().Item("mnuAlwaysOnTop")->isChecked());
  window.MainMenu().hide();
}

TEST_F(MenusTest, TheEditMenuEnablesItsItemsForTheEditorAndKeepsHiddenItemsForTheirShortcuts) {
  app::TfrmMain& window = Start(1);
  QApplication::clipboard()->clear();
  app::TEditMenu& menu = window.EditMenu();
  EXPECT_EQ(window.Memo1().PopupMenu(), &menu);
  Popup(menu);
  EXPECT_EQ(Describe(menu), Table("edit"));
  menu.hide();
  // Closed again, every item works by its shortcut, whatever the popup showed.
  for (QAction* item : menu.findChildren<QAction*>())
    EXPECT_TRUE(item->isEnabled()) << item->objectName().toStdString();

  Editor().SelectAll();
  Editor().CopyToClipboard();
  Editor().SetSelLength(0);
  Editor().PutText("x");
  Editor().SetSelStart(0);
  Editor().PutText("y");
  Editor().Undo();
  Editor().SetSelStart(0);
  Editor().SetSelLength(2);
  Popup(menu);
  for (const char* name : {"mnuEUndo", "mnuERedo", "mnuECut", "mnuECopy", "mnuEPaste", "mnuEDelete", "mnuESelectAll"})
    EXPECT_TRUE(menu.Item(name)->isEnabled()) << name;
  menu.hide();

  for (const auto& [name, shortcut] : {std::pair{"mnuMainMenu", "Alt+F"}, std::pair{"dmyCut", "Shift+Del"},
                                       std::pair{"dmyCopy", "Ctrl+Ins"}, std::pair{"dmyPaste", "Shift+Ins"}}) {
    QAction* item = menu.Item(name);
    ASSERT_NE(item, nullptr) << name;
    EXPECT_FALSE(menu.actions().contains(item)) << name;
    EXPECT_EQ(app::MenuShortcutText(*item), QString::fromLatin1(shortcut));
    EXPECT_TRUE(window.Memo1().actions().contains(item)) << name;
  }
}

}  // namespace
}  // namespace app_test
