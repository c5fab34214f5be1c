// The caret: clamping its row and column, keeping it off second bytes and tab fills, and converting
// between caret positions and byte offsets.
#include <algorithm>

#include "editor/editor.h"
#include "editor/screen_strings.h"
#include "editor/wrap_option.h"

namespace editor {

namespace {

constexpr int kMaxCol = 1000;
constexpr int kMaxColInput = 1001;

}  // namespace

void TEditor::HideCaret() {
  // Only the outermost hide reaches the window, and only while the editor has the focus.
  if (++FCaretHideCount == 1 && FWindow && FWindow->Focused()) {
    FWindow->HideCaret();
    FCaretWindowHidden = true;
  }
}

void TEditor::ShowCaret() {
  if (FCaretHideCount == 0) return;
  if (--FCaretHideCount == 0 && FCaretWindowHidden) {
    FCaretWindowHidden = false;
    FWindow->ShowCaret();
  }
}

void TEditor::FocusIn() {
  FFocused = true;
  ResetWindowCaret();
}

void TEditor::FocusOut() {
  FFocused = false;
  FPendingLead = 0;  // a lead byte typed before the focus left has no trail byte coming
  if (FWindow) FWindow->DestroyCaret();
  FCaretWindowHidden = false;
}

std::string TEditor::RowMap(int row) const {
  std::string map;
  if (row >= 0 && row < FRows->Count()) BuildColumnMap(FRows->RowText(row), ColumnRules(), kCaretColumnLimit, map);
  return map;
}

void TEditor::SetRow(int row) {
  FRow = std::clamp(row, 0, FRows->CaretRowLimit());
  AdjustCol(-1, true);
}

void TEditor::SetCol(int col) {
  const int direction = col > FCol ? 1 : -1;
  FCol = std::clamp(col, 0, kMaxColInput);
  AdjustCol(direction, false);
}

void TEditor::AdjustCol(int direction, bool vertical) {
  const std::string map = RowMap(FRow);
  const int width = static_cast<int>(map.size());
  const auto code = [&map, width](int col) {
    return col >= 0 && col < width ? map[static_cast<std::size_t>(col)] : colEnd;
  };
  const auto offCharacterInside = [&](int step) {
    if (code(FCol) == colTrail) FCol += step;
    if (!CaretOptions().InTab)
      while (code(FCol) == colTabFill) FCol += step;
  };

  if (!vertical) {
    FRememberedCol = -1;
  } else if (FRememberedCol >= 0) {
    FCol = FRememberedCol;
  }
  if (!CaretOptions().FreeCaret && FCol > width) {
    if (CaretOptions().KeepCaret && vertical && FRememberedCol < 0) FRememberedCol = FCol;
    if (!(CaretOptions().FreeRow && vertical)) FCol = width;
  }
  offCharacterInside(vertical ? -1 : direction);

  if (FRows->WordWrap() && FCol >= width && FRow < FRows->Count()) {
    const int wrapByte = FRows->WrapOption().WrapByte();
    if (FRows->RowAttribute(FRow) == raWrap) {
      // The end of a wrapped row is the same text position as the start of the next row.
      FCol = std::max(0, width - 1);
    } else if (FCol >= wrapByte) {
      FCol = std::max(width, wrapByte - 1);
    }
    offCharacterInside(-1);
  }
  if (FCol > kMaxCol) FCol = code(kMaxCol) == colTrail ? kMaxCol - 1 : kMaxCol;
  FCol = std::max(FCol, 0);
}

void TEditor::PlaceCaret(int fromRow, int offset) {
  const TEditorScreenStrings& rows = *FRows;
  const int count = rows.Count();
  int row = std::max(fromRow, 0);
  int rest = std::max(offset, 0);
  while (row < count) {
    const int span = RowSpan(row);
    if (span > rest || rows.RowAttribute(row) == raEnd) break;
    rest -= span;
    ++row;
  }
  if (row < count) {
    FRow = row;
    const std::string map = RowMap(row);
    FCol = std::min(ColumnOfByteIndex(map, rest), static_cast<int>(map.size()));
  } else {
    FRow = std::min(count, rows.CaretRowLimit());
    FCol = RowWidth(FRow);
  }
  FCol = std::min(FCol, kMaxColInput);
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
