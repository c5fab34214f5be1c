// The caret's place: clamping its row and column, converting between caret positions and byte offsets,
// and its counted hiding, focus and shape as the caret model shows them.
#include <algorithm>

#include "editor/control/editor.h"
#include "editor/text/editor_screen_strings.h"
#include "editor/text/editor_wrap_option.h"

namespace editor {

void TEditor::HideCaret() { FCaretModel.Hide(); }

void TEditor::ShowCaret() { FCaretModel.Show(); }

void TEditor::FocusIn() {
  FFocused = true;
  ResetWindowCaret();
}

void TEditor::FocusOut() {
  FFocused = false;
  FPendingLead = 0;  // a lead byte typed before the focus left has no trail byte coming
  FCaretModel.Destroy();
}

std::string TEditor::RowMap(int row, std::size_t columns) const {
  std::string map;
  if (row >= 0 && row < FRows->Count()) BuildColumnMap(FRows->RowText(row), ColumnRules(), columns, map);
  return map;
}

TCaretRules TEditor::CaretRules() const {
  TCaretRules rules{CaretOptions(), FRows->WordWrap(), FRows->WrapOption().WrapByte()};
  // A box may reach past the end of a row: in box mode the caret does too.
  if (FSelection.BoxMode()) rules.Options.FreeCaret = true;
  return rules;
}

void TEditor::SetRow(int row) {
  FCaret.Row = std::clamp(row, 0, FRows->CaretRowLimit());
  AdjustCol(-1, true);
}

void TEditor::SetCol(int col) {
  const int direction = col > FCaret.Col ? 1 : -1;
  FCaret.Col = std::max(col, 0);
  AdjustCol(direction, false);
}

void TEditor::MoveCaret(TCaretPos caret) {
  SetRow(caret.Row);
  SetCol(caret.Col);
}

void TEditor::AdjustCol(int direction, bool vertical) {
  // The rules look at the columns around the caret and at the row's end: the map up to a column past
  // the caret (or the remembered column) is enough, however long the row.
  const int col = std::max(FCaret.Col, FCaret.RememberedCol);
  const std::string map = RowMap(FCaret.Row, static_cast<std::size_t>(col) + 2);
  AdjustCaretCol(FCaret, map, *FRows, CaretRules(), direction, vertical);
}

void TEditor::PlaceCaret(int fromRow, int offset) {
  const TRowAtOffset place = RowAtOffset(*FRows, fromRow, offset);
  FCaret.Row = place.Row;
  if (!place.PastEnd) {
    const std::string map = RowMap(place.Row);
    FCaret.Col = std::min(ColumnOfByteIndex(map, place.Rest), static_cast<int>(map.size()));
  } else {
    FCaret.Col = RowWidth(FCaret.Row);
  }
  AdjustCol(1, false);
}

int TEditor::CaretOffset(int fromRow, int row, int col) const {
  const TEditorScreenStrings& rows = *FRows;
  const int count = rows.Count();
  int offset = 0;
  for (int r = std::max(fromRow, 0); r < row && r < count; ++r) offset += RowSpan(r);
  if (row >= 0 && row < count) {
    const int length = static_cast<int>(rows.RowText(row).size());
    offset += std::min(ByteIndexOfColumn(RowMap(row), col), length);
  }
  return offset;
}

}  // namespace editor
