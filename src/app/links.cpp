// Web and mail addresses in the text: the hand cursor over them and opening them on a double click.
#include "app/note_window.h"
#include "editor/control/editor.h"
#include "editor/syntax/token.h"
#include "qt/editor_widget.h"
#include "qt/text_convert.h"

namespace app {
namespace {

bool IsLink(editor::TTokenKind kind) { return kind == editor::tokUrl || kind == editor::tokMail; }

}  // namespace

void TfrmMain::Memo1MouseMove(int x, int y) {
  editor::TEditor& editor = FMemo1->Editor();
  editor::TEditorWindow* window = editor.Window();
  if (!window) return;
  if (IsLink(editor.TokenKindAtPoint({x, y}))) {
    window->SetCursor(editor::TCursorKind::Hand);
    return;
  }
  // Off an address the cursor is the one the editor's own state shows, as the editor maps it.
  window->SetCursor(
      editor::CursorKindOf(editor::CursorIndexOf(editor.Caret().Cursors().Values(), editor.CursorState())));
}

void TfrmMain::Memo1DblClick(editor::TObject*) {
  editor::TEditor& editor = FMemo1->Editor();
  // The caret stands where the double click's first press put it.
  const editor::TTokenKind kind = editor.TokenKindAtCaret();
  if (!IsLink(kind)) return;
  const QString address = qtui::FromCp932(editor.TokenAtCaret());
  FServices.Opener.Open(kind == editor::tokMail ? QStringLiteral("mailto:") + address : address);
}

}  // namespace app
