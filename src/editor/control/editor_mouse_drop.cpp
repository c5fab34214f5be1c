// Dropping a dragged selection: moving the selected text to the drop point as one edit, or copying it
// there with Ctrl, or just letting the selection go when the drop lands on it or outside the control.
#include <algorithm>
#include <string>

#include "editor/control/editor.h"
#include "editor/text/editor_screen_strings.h"

namespace editor {

void TEditor::Drop(TShiftState shift, int x, int y) {
  FMouse.SelDragState = sdNone;
  const bool inClient = FWindow && x >= 0 && y >= 0 && x < FWindow->ClientWidth() && y < FWindow->ClientHeight();
  // The end of the selection is the selection too: moving the text there would change nothing but
  // still leave an edit to undo.
  const TSelectionRange& range = FSelection.Range();
  const bool ontoItself =
      IsInSelection(FCaret.Row, FCaret.Col) || (FCaret.Row == range.EndRow && FCaret.Col == range.EndCol);
  if (!inClient || ontoItself || !SelectionActive()) {
    CleanSelection();
  } else if ((shift & ssCtrl) != 0) {
    CopySelectionToCaret();
  } else {
    MoveSelectionToCaret();
  }
  UpdateCursorState(x, y);
}

void TEditor::MoveSelectionToCaret() {
  if (FReadOnly) {
    CleanSelection();
    return;
  }
  const TSelectionRange range = FSelection.Range();
  const int length = SelLength();
  const int count = FRows->Count();
  const int dropRow = FCaret.Row;
  // One replacement covers every row from the first to the last touched by the selection or the drop.
  const int first = std::min(range.StartRow, dropRow);
  const int last = std::min(std::max(range.EndRow, dropRow), count - 1);
  std::string text = FRows->RowsText(first, last - first + 1);
  int start = OffsetFrom(first, range.StartRow, range.StartIndex);
  int drop = static_cast<int>(text.size());  // the virtual row: after everything
  if (dropRow < count) {
    const int rowStart = OffsetFrom(first, dropRow, 0);
    const int rowLength = RowLength(dropRow);
    const int index = ByteIndexOfCol(dropRow, FCaret.Col);
    if (index > rowLength) {
      // A drop beyond the end of its row lands there: the row is padded up to it.
      const int pad = index - rowLength;
      const int rowEnd = rowStart + rowLength;
      text.insert(static_cast<std::size_t>(rowEnd), static_cast<std::size_t>(pad), ' ');
      if (start >= rowStart + rowLength) start += pad;
    }
    drop = rowStart + index;
  }
  const std::string moved = text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(length));
  text.erase(static_cast<std::size_t>(start), static_cast<std::size_t>(length));
  const int insertAt = drop > start ? drop - length : drop;
  text.insert(static_cast<std::size_t>(insertAt), moved);

  const int from = FRows->LineStartRow(first);
  const int offset = OffsetFrom(from, first, 0) + insertAt + length;
  FSelection.Clear();
  SelectionChanged();
  EditRows(first, last - first + 1, text, from, offset);
}

void TEditor::CopySelectionToCaret() {
  if (!CanDragSelection()) {
    CleanSelection();
    return;
  }
  const std::string copied = SelText();
  CleanSelection();
  SetSelTextBuf(copied);  // at the caret, which marks the drop point, as pasted text goes in
}

}  // namespace editor
