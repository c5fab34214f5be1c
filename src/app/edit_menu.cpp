// The edit menu's items as a table: caption, shortcut, when the popup enables it, what it does.
#include "app/edit_menu.h"

#include <array>

#include "app/menu_items.h"
#include "app/note_window.h"
#include "editor/control/editor.h"
#include "qt/editor_widget.h"

namespace app {
namespace {

enum class TEnabled { Always, CanUndo, CanRedo, Selection, ClipboardText };

struct TItem {
  const char* Name;  // empty for a separator
  const char* Caption;
  const char* Shortcut;
  bool Shown;
  TEnabled Enabled;
  void (*Run)(TfrmMain&, editor::TEditor&);
};

constexpr TItem Separator() { return {"", "-", "", true, TEnabled::Always, nullptr}; }

constexpr std::array<TItem, 13> kItems = {{
    {"mnuEUndo", "元に戻す(&U)", "Ctrl+Z", true, TEnabled::CanUndo, [](TfrmMain&, editor::TEditor& e) { e.Undo(); }},
    {"mnuERedo", "やり直し(&R)", "Ctrl+Y", true, TEnabled::CanRedo, [](TfrmMain&, editor::TEditor& e) { e.Redo(); }},
    Separator(),
    {"mnuECut", "切り取り(&T)", "Ctrl+X", true, TEnabled::Selection,
     [](TfrmMain&, editor::TEditor& e) { e.CutToClipboard(); }},
    {"mnuECopy", "コピー(&C)", "Ctrl+C", true, TEnabled::Selection,
     [](TfrmMain&, editor::TEditor& e) { e.CopyToClipboard(); }},
    {"mnuEPaste", "貼り付け(&P)", "Ctrl+V", true, TEnabled::ClipboardText,
     [](TfrmMain&, editor::TEditor& e) { e.PasteFromClipboard(); }},
    {"mnuEDelete", "削除(&D)", "", true, TEnabled::Selection,
     [](TfrmMain&, editor::TEditor& e) { e.SetSelTextBuf(""); }},
    Separator(),
    {"mnuESelectAll", "すべて選択(&A)", "Ctrl+A", true, TEnabled::Always,
     [](TfrmMain&, editor::TEditor& e) { e.SelectAll(); }},
    {"mnuMainMenu", "dmyMainMenu", "Alt+F", false, TEnabled::Always,
     [](TfrmMain& w, editor::TEditor&) { w.PopupMainMenuBelowLabel(); }},
    {"dmyCut", "dmyCut", "Shift+Del", false, TEnabled::Always,
     [](TfrmMain&, editor::TEditor& e) { e.CutToClipboard(); }},
    {"dmyCopy", "dmyCopy", "Ctrl+Ins", false, TEnabled::Always,
     [](TfrmMain&, editor::TEditor& e) { e.CopyToClipboard(); }},
    {"dmyPaste", "dmyPaste", "Shift+Ins", false, TEnabled::Always,
     [](TfrmMain&, editor::TEditor& e) { e.PasteFromClipboard(); }},
}};

}  // namespace

TEditMenu::TEditMenu(TfrmMain& window, editor::TEditor& editor) : QMenu(&window), FEditor(editor) {
  setObjectName(QStringLiteral("mnuEdit"));
  for (const TItem& item : kItems) {
    if (!item.Run) {
      addSeparator();
      continue;
    }
    QAction* action = AddMenuItem(*this, item.Shown, item.Name, QString::fromUtf8(item.Caption),
                                  QString::fromLatin1(item.Shortcut), window.Memo1(), Qt::WidgetShortcut);
    connect(action, &QAction::triggered, this, [&window, &editor, run = item.Run] { run(window, editor); });
  }
  connect(this, &QMenu::aboutToShow, this, &TEditMenu::EnableItems);
  connect(this, &QMenu::aboutToHide, this, &TEditMenu::EnableAll);
}

QAction* TEditMenu::Item(const char* name) const { return findChild<QAction*>(QString::fromLatin1(name)); }

void TEditMenu::EnableItems() {
  const bool selected = FEditor.SelLength() > 0;
  const bool clipboardText = FEditor.Clipboard() && FEditor.Clipboard()->HasText();
  for (const TItem& item : kItems) {
    if (!item.Run) continue;
    bool enabled = true;
    switch (item.Enabled) {
      case TEnabled::Always:
        break;
      case TEnabled::CanUndo:
        enabled = FEditor.CanUndo();
        break;
      case TEnabled::CanRedo:
        enabled = FEditor.CanRedo();
        break;
      case TEnabled::Selection:
        enabled = selected;
        break;
      case TEnabled::ClipboardText:
        enabled = clipboardText;
        break;
    }
    Item(item.Name)->setEnabled(enabled);
  }
}

void TEditMenu::EnableAll() {
  for (QAction* action : findChildren<QAction*>()) action->setEnabled(true);
}

}  // namespace app
