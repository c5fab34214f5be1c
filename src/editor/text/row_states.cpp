// The lazy start states: marking rows as not computed.
#include "editor/text/row_states.h"

#include "editor/text/editor_screen_strings.h"

namespace editor {

int TLazyRowStates::UpdateStates(TEditorScreenStrings& rows, int fromRow, bool notify) {
  (void)notify;  // nothing was computed, so nothing needs repainting
  if (fromRow >= 0 && fromRow < rows.Count()) rows.SetStateNotComputed(fromRow);
  return 0;
}

void TLazyRowStates::ResetStates(TEditorScreenStrings& rows) {
  for (int row = 0; row < rows.Count(); ++row) rows.SetStateNotComputed(row);
}

}  // namespace editor
