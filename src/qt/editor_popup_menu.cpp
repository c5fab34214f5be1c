// The items of the control's own menu: row marks, undo and redo, the clipboard, select all, box mode.
#include "qt/editor_popup_menu.h"

#include <functional>

namespace qtui {
TEditorPopupMenu::TEditorPopupMenu(editor::TEditor& editor, QWidget* shortcutOwner)
    : QMenu(shortcutOwner), FEditor(editor) {
  auto add = [this, shortcutOwner](QMenu* menu, const QString& caption, const QString& shortcut,
                                   std::function<void()> run) {
    QAction* action = menu->addAction(caption);
    if (!shortcut.isEmpty()) {
      action->setShortcut(QKeySequence(shortcut));
      action->setShortcutContext(Qt::WidgetShortcut);
      shortcutOwner->addAction(action);
    }
    connect(action, &QAction::triggered, this, std::move(run));
    return action;
  };
  QMenu* setMark = addMenu(QStringLiteral("マーク設定"));
  QMenu* jumpMark = addMenu(QStringLiteral("マークジャンプ"));
  for (int mark = 0; mark <= 9; ++mark) {
    const QString digit = QString::number(mark);
    add(setMark, digit, QStringLiteral("Shift+Ctrl+") + digit, [this, mark] { FEditor.PutRowMark(mark); });
    add(jumpMark, digit, QStringLiteral("Ctrl+") + digit, [this, mark] { FEditor.GotoRowMark(mark); });
  }
  addSeparator();
  FUndo = add(this, QStringLiteral("元に戻す(&U)"), QStringLiteral("Ctrl+Z"), [this] { FEditor.Undo(); });
  FRedo = add(this, QStringLiteral("やり直し(&R)"), QStringLiteral("Ctrl+A"), [this] { FEditor.Redo(); });
  addSeparator();
  FCut = add(this, QStringLiteral("切り取り(&T)"), QStringLiteral("Ctrl+X"), [this] { FEditor.CutToClipboard(); });
  FCopy = add(this, QStringLiteral("コピー(&C)"), QStringLiteral("Ctrl+C"), [this] { FEditor.CopyToClipboard(); });
  FPaste =
      add(this, QStringLiteral("貼り付け(&P)"), QStringLiteral("Ctrl+V"), [this] { FEditor.PasteFromClipboard(); });
  // Box editing is not built: a box paste inserts the clipboard's text as a stream, losing nothing.
  FBoxPaste =
      add(this, QStringLiteral("Box貼り付け(&B)"), QStringLiteral("Ctrl+B"), [this] { FEditor.PasteFromClipboard(); });
  FDelete = add(this, QStringLiteral("削除(&D)"), QString(), [this] { FEditor.DeleteSelection(); });
  addSeparator();
  add(this, QStringLiteral("すべて選択(&A)"), QString(), [this] { FEditor.SelectAll(); });
  addSeparator();
  FBoxMode = add(this, QStringLiteral("Box選択モード(&K)"), QStringLiteral("Ctrl+K"),
                 [this] { FEditor.SetBoxMode(!FEditor.BoxMode()); });
  FBoxMode->setCheckable(true);
  connect(this, &QMenu::aboutToShow, this, &TEditorPopupMenu::UpdateItems);
}

void TEditorPopupMenu::UpdateItems() {
  const bool selected = FEditor.SelLength() > 0;
  const bool writable = !FEditor.ReadOnly();
  const bool clipboardText = FEditor.Clipboard() && FEditor.Clipboard()->HasText();
  FUndo->setEnabled(writable && FEditor.CanUndo());
  FRedo->setEnabled(writable && FEditor.CanRedo());
  FCut->setEnabled(writable && selected);
  FCopy->setEnabled(selected);
  FPaste->setEnabled(writable && clipboardText);
  FBoxPaste->setEnabled(writable && clipboardText);
  FDelete->setEnabled(writable && selected);
  FBoxMode->setChecked(FEditor.BoxMode());
}

}  // namespace qtui
