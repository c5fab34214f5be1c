// The lazy start states: moving the computed mark back.
#include "editor/text/row_states.h"

#include "editor/text/editor_screen_strings.h"

namespace editor {

int TLazyRowStates::UpdateStates(TEditorScreenStrings& rows, int fromRow, bool notify) {
  (void)notify;  // nothing was computed, so nothing needs repainting
  if (fromRow >= 0 && fromRow < rows.Count()) rows.DropStatesFrom(fromRow);
  return 0;
}

void TLazyRowStates::ResetStates(TEditorScreenStrings& rows) { rows.DropStatesFrom(0); }

}  // namespace editor
