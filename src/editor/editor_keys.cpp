// Key commands: caret movement with Shift (selection) and Ctrl (words, text ends, view scrolling), the
// page keys and Delete.
#include <algorithm>
#include <string>

#include "editor/editor.h"
#include "editor/editor_keys.h"
#include "editor/parser_editor.h"
#include "editor/screen_strings.h"

namespace editor {

namespace {

bool IsMovementKey(int key) { return key >= VK_PRIOR && key <= VK_DOWN; }

}  // namespace

void TEditor::KeyDown(int key, TShiftState shift, bool repeat) {
  FKeyRepeating = repeat;
  FPendingLead = 0;  // a key between the two bytes of a pair means the lead byte came alone
  if (IsMovementKey(key)) {
    MoveKey(key, shift);
  } else if (key == VK_DELETE) {
    DeleteKey();
  }
}

void TEditor::KeyUp() { FKeyRepeating = false; }

void TEditor::MoveKey(int key, TShiftState shift) {
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
    case VK_PRIOR:
    case VK_NEXT: {
      const int n =
          ((VisibleRows() - 1) / 2) * (FKeyRepeating ? Speed().PageVerticalRangeAc() : Speed().PageVerticalRange());
      if (key == VK_PRIOR) {
        ScrollRows(-n);
      } else if (!(FRow < FRows->Count() && FRows->RowAttribute(FRow) == raEnd)) {
        ScrollRows(n);
      }
      break;
    }
    case VK_HOME:
      if (withCtrl) SetRow(0);
      SetCol(0);
      break;
    case VK_END:
      if (withCtrl) SetRow(FRows->Count());
      SetCol(RowWidth(FRow));
      break;
    case VK_LEFT:
      if (withCtrl) {
        WordLeft();
      } else if (FCol > 0) {
        SetCol(FCol - 1);
      } else if (FRow > 0 && (CaretOptions().NextLine || FRows->RowAttribute(FRow - 1) == raWrap)) {
        SetRow(FRow - 1);
        SetCol(RowWidth(FRow));
      }
      break;
    case VK_RIGHT:
      if (withCtrl) {
        WordRight();
      } else {
        const int old = FCol;
        SetCol(FCol + 1);
        const bool nextRow = CaretOptions().NextLine || (FRow < FRows->Count() && FRows->RowAttribute(FRow) == raWrap);
        if (FCol == old && FRow < FRows->CaretRowLimit() && nextRow) {
          SetRow(FRow + 1);
          SetCol(0);
        }
      }
      break;
    case VK_UP:
    case VK_DOWN: {
      const bool up = key == VK_UP;
      const int edgeRow = up ? TopRow() : TopRow() + VisibleRows() - 1;
      const int n = FKeyRepeating && FRow == edgeRow ? Speed().CaretVerticalAc() : 1;
      if (withCtrl) {
        scrollCaret = false;
        ScrollLines(up ? -n : n);
      } else if (up) {
        SetRow(FRow - n);
      } else if (FRow < FRows->Count() && FRows->RowAttribute(FRow) != raEnd) {
        SetRow(FRow + n);
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
  if (FRow < TopRow()) {
    SetRow(TopRow());
  } else if (FRow > last) {
    SetRow(last);
  }
}

// --- Word stops.

std::vector<int> TEditor::WordStops(int row) const {
  std::vector<int> stops;
  if (row < 0 || row >= FRows->Count()) return stops;
  // The tokenizer reads the row as it is shown: each tab's cells as blanks, one byte per column.
  const std::string& text = FRows->RowText(row);
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
  if (FRow >= count) return;
  int row = FRow;
  int col = FCol;
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
  if (FCol == 0 && FRow > 0) {
    SetRow(FRow - 1);
    SetCol(RowWidth(FRow));
    if (FRows->RowAttribute(FRow) == raBreak) return;
  }
  const std::vector<int> stops = WordStops(FRow);
  for (auto it = stops.rbegin(); it != stops.rend(); ++it) {
    if (*it < FCol) {
      SetCol(*it);
      return;
    }
  }
  if (FRow > 0) {
    SetRow(FRow - 1);
    SetCol(RowWidth(FRow));
  } else {
    SetCol(0);
  }
}

}  // namespace editor
