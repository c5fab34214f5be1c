// Point queries of the editor: the cell, row and byte under a client point, the token there or at the
// caret, whether a cell lies in the selection, and the two edit messages that convert points and offsets.
#include <algorithm>
#include <memory>

#include "editor/control/editor.h"
#include "editor/syntax/editor_parser.h"
#include "editor/syntax/token_row_states.h"
#include "editor/text/editor_screen_strings.h"

namespace editor {

TColRow TEditor::PointToColRow(int x, int y, bool nearest) const {
  return CellAtPoint(FViewport.HitGeometry(), x, y, nearest);
}

bool TEditor::TextPosFromPoint(TPoint point, int& row, int& index) const {
  row = -1;
  index = -1;
  const THitGeometry geometry = FViewport.HitGeometry();
  const int count = FRows->Count();
  if (count == 0 || geometry.ColWidth <= 0 || point.X < geometry.TextLeft || point.Y < geometry.TopMargin) return false;
  const TColRow cell = CellAtPoint(geometry, point.X, point.Y, true);
  if (cell.Row < 0 || cell.Row > count) return false;
  row = cell.Row;
  if (row == count) return false;  // the virtual row holds no text
  std::string map;
  BuildColumnMap(FRows->RowText(row), ColumnRules(), static_cast<std::size_t>(cell.Col) + 2, map);
  // The boundary after the last character is no character either.
  if (cell.Col >= static_cast<int>(map.size())) return false;
  index = std::min(ByteIndexAtColumn(map, cell.Col), RowLength(row));
  return true;
}

TTokenHit TEditor::FindTokenAt(TPoint point, bool useFountain, bool useBrackets) {
  TTokenHit hit;
  int row = -1;
  int index = -1;
  if (!TextPosFromPoint(point, row, index)) return hit;
  TEditorScreenStrings& rows = *FRows;
  const int first = rows.LineStartRow(row);

  TRowAttributeData state;
  std::unique_ptr<TFountainParser> parser;
  if (useFountain) {
    // A token carried over from the rows above starts the line in its state, as the painter draws it.
    if (!rows.StateComputed(first)) rows.UpdateStates(first, false);
    if (rows.StateComputed(first)) state = rows.RowAttributeData(first);
    parser = CreateStateParser(ActiveFountain());
  } else {
    parser = std::make_unique<TTokenParser>();
  }
  // A bracket index the parser does not know as a region keeps it from opening one.
  if (!useFountain || !useBrackets) state.BracketIndex = BracketNotComputed;
  if (!parser) return hit;

  int offset = index;
  for (int r = first; r < row; ++r) offset += RowLength(r);
  const std::string line = rows.RowsText(first, rows.LineEndRow(row) - first + 1);
  parser->SetSource(line, state);
  while (parser->NextToken() != tokEnd) {
    const int pos = parser->TokenPos();
    if (pos > offset) break;
    if (offset <= pos + parser->TokenLength() - 1) {
      hit.Text = parser->TokenString();
      hit.Kind = parser->TokenKind();
      hit.LineStartRow = first;
      hit.Pos = pos;
      break;
    }
  }
  return hit;
}

TTokenKind TEditor::TokenKindAtPoint(TPoint point) { return FindTokenAt(point, true, false).Kind; }

std::string TEditor::TokenAtPoint(TPoint point) { return FindTokenAt(point, true, false).Text; }

// The caret's cell, the left edge of which the platform caret stood on.
TTokenKind TEditor::TokenKindAtCaret() { return TokenKindAtPoint(FViewport.CellPoint(FCaret.Row, ShownCol())); }

std::string TEditor::TokenAtCaret() { return TokenAtPoint(FViewport.CellPoint(FCaret.Row, ShownCol())); }

bool TEditor::SelectTokenAt(TPoint point, bool useFountain, bool useBrackets) {
  const TTokenHit hit = FindTokenAt(point, useFountain, useBrackets);
  if (hit.Kind == tokEnd || hit.Text.empty()) return false;
  CleanSelection();
  PlaceCaret(hit.LineStartRow, hit.Pos);
  SetSelLength(static_cast<int>(hit.Text.size()));
  return true;
}

bool TEditor::IsInSelection(int row, int col) const {
  if (FSelection.State() != sstSelected) return false;
  const TSelectionRange& range = FSelection.Range();
  if (row < range.StartRow || row > range.EndRow) return false;
  if (FSelection.BoxMode()) {
    const std::string map = RowMap(row);
    return col >= BoxEdgeColumn(map, std::min(range.StartCol, range.EndCol)) &&
           col < BoxEdgeColumn(map, std::max(range.StartCol, range.EndCol));
  }
  if (row == range.StartRow && col < range.StartCol) return false;
  if (row == range.EndRow && col >= range.EndCol) return false;
  return true;
}

bool TEditor::CanDragSelection() const {
  return !FReadOnly && FSelection.State() == sstSelected && !FSelection.BoxMode() && CaretOptions().SelMove;
}

bool TEditor::CharFromPos(int x, int y, TCharPos& found) const {
  if (!FWindow || x < 0 || y < 0 || x >= FWindow->ClientWidth() || y >= FWindow->ClientHeight()) return false;
  const TColRow cell = PointToColRow(x, y, true);
  // Outside the rows the nearest row is taken, so the answer is always a position in the text.
  const int count = FRows->Count();
  const int row = std::clamp(cell.Row, 0, FRows->CaretRowLimit());
  int index = 0;
  if (row < count) {
    std::string map;
    BuildColumnMap(FRows->RowText(row), ColumnRules(), static_cast<std::size_t>(cell.Col) + 2, map);
    index = std::min(ByteIndexAtColumn(map, cell.Col), RowLength(row));
  }
  int offset = index;
  for (int r = 0; r < row; ++r) offset += RowLength(r) + (FRows->RowAttribute(r) == raBreak ? 2 : 0);
  found = {offset, row};
  return true;
}

TPoint TEditor::PosFromChar(int offset) const {
  // The rows are walked as PlaceCaret walks them, without moving the caret.
  const TRowAtOffset place = RowAtOffset(*FRows, 0, offset);
  int col = 0;
  if (!place.PastEnd) {
    const std::string map = RowMap(place.Row);
    col = std::min(ColumnOfByteIndex(map, place.Rest), static_cast<int>(map.size()));
  } else {
    col = RowWidth(place.Row);
  }
  return FViewport.CellPoint(place.Row, col);
}

}  // namespace editor
