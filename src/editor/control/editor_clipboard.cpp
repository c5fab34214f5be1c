// The clipboard commands: copy and cut of the selected text, paste at the caret or over the selection.
#include "editor/base/strings.h"
#include "editor/control/editor.h"

namespace editor {

void TEditor::CopyToClipboard() {
  if (!FClipboard || !SelectionActive()) return;
  FClipboard->SetText(SelText(), FSelection.BoxMode());
}

void TEditor::CutToClipboard() {
  if (FReadOnly || !FClipboard || !SelectionActive()) return;
  CopyToClipboard();
  DeleteSelection();
}

void TEditor::PasteFromClipboard() {
  if (FReadOnly || !FClipboard || !FClipboard->HasText()) return;
  const std::string text = FClipboard->GetText();
  const std::string_view cut = CutAtNul(text);
  if (cut.empty()) return;
  if (FClipboard->HasBoxFormat()) {
    PasteBox(cut);
  } else {
    SetSelTextBuf(cut);
  }
}

}  // namespace editor
