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

const std::string& TEditor::RowMap(int row, std::size_t columns) const {
  static const std::string kNoMap;
  if (row < 0 || row >= FRows->Count()) return kNoMap;
  // A keystroke asks for the caret row's map several times: it is built once. A map shorter than the
  // columns it was built for holds the whole row.
  const TColumnRules rules = ColumnRules();
  const bool reaches = FMapColumns >= columns || FMap.size() < FMapColumns;
  if (row != FMapRow || FRows->ChangeCount() != FMapChanges || !(rules == FMapRules) || !reaches) {
    BuildColumnMap(FRows->RowText(row), rules, columns, FMap);
    FMapRow = row;
    FMapColumns = columns;
    FMapChanges = FRows->ChangeCount();
    FMapRules = rules;
  }
  return FMap;
}

bool TEditor::TabFreeBefore(int row, int bytes) const {
  return row >= 0 && row < FRows->Count() && FRows->RowTabFree(row, static_cast<std::size_t>(std::max(bytes, 0)));
}

int TEditor::ByteIndexOfCol(int row, int col) const {
  // Before a row's first tab every byte is one column (past the end too: a short map adds no fill).
  if (col <= 0 || row >= FRows->Count() || TabFreeBefore(row, col)) return std::max(col, 0);
  return ByteIndexOfColumn(RowMap(row, static_cast<std::size_t>(col) + 1), col);
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
  // Undo and redo end here, after their update of the rows: the drawn caret goes where the caret went,
  // and into view. Inside an update of the caller's the rows are not final yet; its end places the caret.
  if (FRows->UpdateCount() == 0) ScrollCaret();
}

void TEditor::AdjustCol(int direction, bool vertical) {
  // The rules look at the columns around the caret and at the row's end: the map up to a column past
  // the caret (or the remembered column) is enough, however long the row, and without a tab before
  // then the row's text serves.
  const int col = std::max(FCaret.Col, FCaret.RememberedCol);
  const TCaretRow row = TabFreeBefore(FCaret.Row, col + 2)
                            ? TCaretRow::OfTabFreeText(FRows->RowText(FCaret.Row))
                            : TCaretRow::OfMap(RowMap(FCaret.Row, static_cast<std::size_t>(col) + 2));
  AdjustCaretCol(FCaret, row, *FRows, CaretRules(), direction, vertical);
}

void TEditor::PlaceCaret(int fromRow, int offset) {
  const TRowAtOffset place = RowAtOffset(*FRows, fromRow, offset);
  FCaret.Row = place.Row;
  if (!place.PastEnd && TabFreeBefore(place.Row, place.Rest)) {
    // Without a tab before it, a byte's column is its index (the end of the row for one in the break).
    FCaret.Col = std::min(place.Rest, static_cast<int>(FRows->RowText(place.Row).size()));
  } else if (!place.PastEnd) {
    // A tab before the byte: the map is read as far as the byte would reach without one first, and
    // wholly only when that falls short.
    const std::size_t columns = static_cast<std::size_t>(place.Rest) + 2;
    const std::string* map = &RowMap(place.Row, columns);
    if (map->size() >= columns && ColumnOfByteIndex(*map, place.Rest) >= static_cast<int>(map->size()))
      map = &RowMap(place.Row);
    FCaret.Col = ColumnOfByteIndex(*map, place.Rest);
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
    offset += std::min(ByteIndexOfCol(row, col), length);
  }
  return offset;
}

}  // namespace editor
