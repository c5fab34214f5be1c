// Scrolling the editor's view: top row and column, scroll bars, and keeping the caret in view.
#include "editor/editor.h"

namespace editor {

void TEditor::ScrollCaret() {
  if (FRow < FTopRow) SetTopRow(FRow);
  if (FVisibleRows > 0 && FRow >= FTopRow + FVisibleRows) SetTopRow(FRow - FVisibleRows + 1);
}

}  // namespace editor
