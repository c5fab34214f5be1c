// Key commands: caret movement with Shift (selection) and Ctrl (words, text ends, view scrolling), the
// page keys and Delete.
#include <algorithm>
#include <string>

#include "editor/control/editor.h"
#include "editor/control/editor_key.h"
#include "editor/syntax/editor_parser.h"
#include "editor/text/editor_screen_strings.h"

namespace editor {

namespace {

bool IsMovementKey(TEditorKey key) { return key >= TEditorKey::PageUp && key <= TEditorKey::Down; }

}  // namespace

void TEditor::KeyDown(TEditorKey key, TShiftState shift, bool repeat) {
  FKeyRepeating = repeat;
  FPendingLead = 0;  // a key between the two bytes of a pair means the lead byte came alone
  if (IsMovementKey(key)) {
    MoveKey(key, shift);
  } else if (key == TEditorKey::Delete) {
    DeleteKey();
  }
}

void TEditor::KeyUp() { FKeyRepeating = false; }

void TEditor::MoveKey(TEditorKey key, TShiftState shift) {
  const bool withShift = (shift & ssShift) != 0;
  const bool withCtrl = (shift & ssCtrl) != 0;
  if (FSelection.State() == sstHitSelected) CleanSelection();
  if (withShift && FSelection.State() == sstNone) {
    BeginSelection();
  } else if (!withShift) {
    CleanSelection();
  }

  bool scrollCaret = true;
  switch (key) {
    case TEditorKey::PageUp:
    case TEditorKey::PageDown: {
      const int n =
          ((VisibleRows() - 1) / 2) * (FKeyRepeating ? Speed().PageVerticalRangeAc() : Speed().PageVerticalRange());
      if (key == TEditorKey::PageUp) {
        ScrollRows(-n);
      } else if (!(FCaret.Row < FRows->Count() && FRows->RowAttribute(FCaret.Row) == raEnd)) {
        ScrollRows(n);
      }
      break;
    }
    case TEditorKey::Home:
      if (withCtrl) SetRow(0);
      SetCol(0);
      break;
    case TEditorKey::End:
      if (withCtrl) SetRow(FRows->Count());
      SetCol(RowWidth(FCaret.Row));
      break;
    case TEditorKey::Left:
      if (withCtrl) {
        WordLeft();
      } else if (FCaret.Col > 0) {
        SetCol(FCaret.Col - 1);
      } else if (FCaret.Row > 0 && (CaretOptions().NextLine || FRows->RowAttribute(FCaret.Row - 1) == raWrap)) {
        SetRow(FCaret.Row - 1);
        SetCol(RowWidth(FCaret.Row));
      }
      break;
    case TEditorKey::Right:
      if (withCtrl) {
        WordRight();
      } else {
        const int old = FCaret.Col;
        SetCol(FCaret.Col + 1);
        const bool nextRow =
            CaretOptions().NextLine || (FCaret.Row < FRows->Count() && FRows->RowAttribute(FCaret.Row) == raWrap);
        if (FCaret.Col == old && FCaret.Row < FRows->CaretRowLimit() && nextRow) {
          SetRow(FCaret.Row + 1);
          SetCol(0);
        }
      }
      break;
    case TEditorKey::Up:
    case TEditorKey::Down: {
      const bool up = key == TEditorKey::Up;
      const int edgeRow = up ? TopRow() : TopRow() + VisibleRows() - 1;
      const int n = FKeyRepeating && FCaret.Row == edgeRow ? Speed().CaretVerticalAc() : 1;
      if (withCtrl) {
        scrollCaret = false;
        ScrollLines(up ? -n : n);
      } else if (up) {
        SetRow(FCaret.Row - n);
      } else if (FCaret.Row < FRows->Count() && FRows->RowAttribute(FCaret.Row) != raEnd) {
        SetRow(FCaret.Row + n);
      }
      break;
    }
    default:
      break;
  }
  if (scrollCaret) ScrollCaret();
  if (withShift) ExtendSelection();
}

void TEditor::ScrollLines(int delta) {
  SetTopRow(TopRow() + delta);
  const int last = TopRow() + std::max(VisibleRows(), 1) - 1;
  if (FCaret.Row < TopRow()) {
    SetRow(TopRow());
  } else if (FCaret.Row > last) {
    SetRow(last);
  }
}

// --- Word stops.

std::vector<int> TEditor::WordStops(int row) const {
  std::vector<int> stops;
  if (row < 0 || row >= FRows->Count()) return stops;
  // The tokenizer reads the row as it is shown: each tab's cells as blanks, one byte per column.
  const std::string_view text = FRows->RowText(row);
  const std::string map = RowMap(row);
  std::string shown;
  shown.reserve(map.size());
  std::size_t byte = 0;
  for (const char code : map) {
    if (code == colTabFill || (byte < text.size() && text[byte] == '\t')) {
      shown += ' ';
    } else {
      shown += byte < text.size() ? text[byte] : ' ';
    }
    if (code != colTabFill) ++byte;
  }
  TTokenParser parser;
  parser.SetSource(shown, TRowAttributeData{});
  const bool endStops = CaretOptions().TokenEndStop;
  for (TTokenKind kind = parser.NextToken(); kind != tokEnd; kind = parser.NextToken()) {
    if (kind == tokSymbol && !endStops) continue;
    if (stops.empty() || stops.back() != parser.TokenPos()) stops.push_back(parser.TokenPos());
    if (endStops) stops.push_back(parser.TokenPos() + parser.TokenLength());
  }
  return stops;
}

void TEditor::WordRight() {
  const int count = FRows->Count();
  if (FCaret.Row >= count) return;
  int row = FCaret.Row;
  int col = FCaret.Col;
  if (col >= RowWidth(row) && row + 1 <= FRows->CaretRowLimit()) {
    ++row;
    col = -1;  // a token at column 0 of the next row counts
  }
  for (const int stop : WordStops(row)) {
    if (stop > col) {
      SetRow(row);
      SetCol(stop);
      return;
    }
  }
  if (row < count && FRows->RowAttribute(row) == raWrap) {
    SetRow(row + 1);
    SetCol(0);
  } else {
    SetRow(row);
    SetCol(RowWidth(row));
  }
}

void TEditor::WordLeft() {
  if (FCaret.Col == 0 && FCaret.Row > 0) {
    SetRow(FCaret.Row - 1);
    SetCol(RowWidth(FCaret.Row));
    if (FRows->RowAttribute(FCaret.Row) == raBreak) return;
  }
  const std::vector<int> stops = WordStops(FCaret.Row);
  for (auto it = stops.rbegin(); it != stops.rend(); ++it) {
    if (*it < FCaret.Col) {
      SetCol(*it);
      return;
    }
  }
  if (FCaret.Row > 0) {
    SetRow(FCaret.Row - 1);
    SetCol(RowWidth(FCaret.Row));
  } else {
    SetCol(0);
  }
}

}  // namespace editor
