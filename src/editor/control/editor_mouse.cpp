// The editor's left-button handling: placing the caret and selecting by mouse, whole-row selection from
// the left margin, the start of a drag of the selection, the cursor over each area, and the filtering of
// other input while a button is held or a drag waits or runs.
#include "editor/control/editor_mouse.h"

#include <algorithm>
#include <array>
#include <cstdlib>

#include "editor/control/editor.h"
#include "editor/text/editor_screen_strings.h"

namespace editor {

namespace {

// Cursor indices of the platform's table besides those of editor_props_caret.h.
constexpr int crArrow = -2;
constexpr int crNo = -18;
constexpr int crHandPoint = -21;
constexpr int crSizeAll = -22;

// The cursor setting each cursor state shows, in TCursorState order.
constexpr std::array<int TCursorIndices::*, 6> kStateCursors = {
    &TCursorIndices::DefaultCursor,      // curText
    &TCursorIndices::LeftMarginCursor,   // curLeftMargin
    &TCursorIndices::TopMarginCursor,    // curTopMargin
    &TCursorIndices::InSelCursor,        // curInSelection
    &TCursorIndices::DragSelCursor,      // curDragMove
    &TCursorIndices::DragSelCopyCursor,  // curDragCopy
};

struct TCursorOfIndex {
  int Index;
  TCursorKind Kind;
};

// Indices with a cursor of their own; every other index (the default, unregistered ones) is the arrow.
constexpr std::array<TCursorOfIndex, 8> kCursorKinds = {{
    {crArrow, TCursorKind::Arrow},
    {crIBeam, TCursorKind::IBeam},
    {crDrag, TCursorKind::DragMove},
    {crRightArrow, TCursorKind::RightArrow},
    {crDragSelCopy, TCursorKind::DragSelCopy},
    {crNo, TCursorKind::No},
    {crHandPoint, TCursorKind::Hand},
    {crSizeAll, TCursorKind::SizeAll},
}};

// A nearest boundary that falls inside a character (a second byte, a tab's fill) goes to the side of
// the character the pointer is on.
int DirectionOfNearest(int nearestCol, int cellCol) { return nearestCol > cellCol ? -1 : 1; }

// The row a row selection takes for a row under the mouse: inside the rows, and the last row itself
// rather than the virtual row after a text that ends without a line break.
int RowSelectionRow(const TEditorScreenStrings& rows, int row) {
  const int count = rows.Count();
  int result = std::clamp(row, 0, count);
  if (result == count && count > 0 && rows.RowAttribute(count - 1) == raEnd) result = count - 1;
  return result;
}

}  // namespace

int CursorIndexOf(const TCursorIndices& cursors, TCursorState state) {
  return cursors.*kStateCursors.at(static_cast<std::size_t>(state));
}

TCursorKind CursorKindOf(int cursorIndex) {
  for (const TCursorOfIndex& entry : kCursorKinds)
    if (entry.Index == cursorIndex) return entry.Kind;
  return TCursorKind::Arrow;
}

void TEditor::SetCursorState(TCursorState state) {
  if (state == FMouse.CursorState) return;
  FMouse.CursorState = state;
  if (CaretOptions().AutoCursor && FWindow)
    FWindow->SetCursor(CursorKindOf(CursorIndexOf(Caret().Cursors().Values(), state)));
}

void TEditor::MoveCaretToCell(int row, int col, int direction) {
  FCaret.Row = std::clamp(row, 0, FRows->CaretRowLimit());
  FCaret.Col = std::clamp(col, 0, kShownCols);  // a point lies in the columns the view shows
  AdjustCol(direction, false);
  ScrollCaret();
}

void TEditor::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button != TMouseButton::Left && FMouse.Busy()) return;
  if (FWindow && !FWindow->Focused()) FWindow->SetFocus();
  if (button == TMouseButton::Left) {
    // A press while a drag still waits for its release means that release was lost: the drag is over.
    if (FMouse.SelDragState != sdNone) CancelDrag();
    // Alt selects a box; the next plain press selects a stream again (unless the menu set box mode).
    if ((shift & ssAlt) != 0 && !BoxMode()) {
      SetBoxMode(true);
      FAltBox = true;
    } else if ((shift & (ssAlt | ssShift)) == 0 && FAltBox) {
      SetBoxMode(false);
    }
    LeftButtonDown(shift, x, y);
    if (FWindow) FWindow->SetMouseCapture(true);
  }
  if (OnMouseDown) OnMouseDown(*this, button, shift, x, y);
}

void TEditor::LeftButtonDown(TShiftState shift, int x, int y) {
  const THitGeometry geometry = FViewport.HitGeometry();
  const TColRow cell = PointToColRow(x, y, false);
  const TColRow nearest = PointToColRow(x, y, true);
  if ((shift & ssShift) != 0) {
    if (FSelection.State() == sstNone || FSelection.State() == sstHitSelected) BeginSelection();
    MoveCaretToCell(nearest.Row, nearest.Col, DirectionOfNearest(nearest.Col, cell.Col));
    ExtendSelection();
    FMouse.ButtonHeld = true;
    return;
  }

  FMouse.DownPoint = {x, y};
  const bool inText = x >= geometry.TextLeft && y >= geometry.TopMargin;
  if (inText && CanDragSelection() && IsInSelection(cell.Row, cell.Col)) {
    MoveCaretToCell(cell.Row, cell.Col, -1);  // the selection stays
    if (CaretOptions().SelDragMode == dmAutomatic) {
      // The press ends here: moving the mouse now drags the selection instead of selecting.
      FMouse.ButtonHeld = false;
      FMouse.RowSelecting = false;
      FMouse.SelDragState = sdPending;
    } else {
      FMouse.ButtonHeld = true;
    }
    return;
  }

  FMouse.ButtonHeld = true;
  if (x < geometry.TextLeft && CaretOptions().RowSelect) {
    SelectRowAt(nearest.Row);
    return;
  }
  HideCaret();
  MoveCaretToCell(nearest.Row, nearest.Col, DirectionOfNearest(nearest.Col, cell.Col));
  BeginSelection();
  ShowCaret();
}

void TEditor::SelectWholeRows(int from, int to) {
  const int count = FRows->Count();
  const auto rowStart = [](int row) { return TSelectionPos{row, 0, 0}; };
  // A row's end is the start of the next row, past its line break; the last row ends at its text's end.
  const auto rowEnd = [this, count](int row) {
    if (row < count && FRows->RowAttribute(row) != raEnd) return TSelectionPos{row + 1, 0, 0};
    if (row < count) return TSelectionPos{row, RowLength(row), RowWidth(row)};
    return TSelectionPos{row, 0, 0};
  };
  const TSelectionPos anchor = to >= from ? rowStart(from) : rowEnd(from);
  const TSelectionPos caret = to >= from ? rowEnd(to) : rowStart(to);
  FSelection.Begin(anchor);
  FSelection.Extend(caret);
  FCaret.Row = caret.Row;
  FCaret.Col = caret.Col;
  FCaret.RememberedCol = -1;
  SelectionChanged();
}

void TEditor::SelectRowAt(int row) {
  const int selected = RowSelectionRow(*FRows, row);
  FMouse.RowSelecting = true;
  FMouse.RowSelectRow = selected;
  HideCaret();
  SelectWholeRows(selected, selected);
  FCaret.Row = selected;
  FCaret.Col = 0;
  ScrollCaret();
  ShowCaret();
}

void TEditor::ExtendRowSelection(int row) {
  HideCaret();
  SelectWholeRows(FMouse.RowSelectRow, RowSelectionRow(*FRows, row));
  ScrollCaret();
  ShowCaret();
}

void TEditor::MouseMove(TShiftState shift, int x, int y) {
  const THitGeometry geometry = FViewport.HitGeometry();
  const int threshold = geometry.ColWidth / 2;
  const bool moved = std::abs(x - FMouse.DownPoint.X) >= threshold || std::abs(y - FMouse.DownPoint.Y) >= threshold;
  if (FMouse.ButtonHeld) {
    TColRow nearest = PointToColRow(x, y, true);
    // Above the text the caret climbs a row per move, which scrolls the view up.
    if (y < geometry.TopMargin) nearest.Row = std::max(0, nearest.Row - 1);
    if (FMouse.RowSelecting) {
      ExtendRowSelection(nearest.Row);
    } else {
      MoveCaretToCell(nearest.Row, nearest.Col, DirectionOfNearest(nearest.Col, PointToColRow(x, y, false).Col));
      // A press that wanders by less than half a cell is still a click.
      if (FSelection.State() == sstSelected || moved) ExtendSelection();
    }
  } else if (FMouse.SelDragState == sdPending) {
    if (moved) {
      FMouse.SelDragState = sdDragging;
      SetCursorState((shift & ssCtrl) != 0 ? curDragCopy : curDragMove);
    }
  } else if (FMouse.SelDragState == sdDragging) {
    TColRow cell = PointToColRow(x, y, false);
    if (y < geometry.TopMargin) cell.Row = std::max(0, cell.Row - 1);
    MoveCaretToCell(cell.Row, cell.Col, -1);  // the caret marks the drop point
  } else {
    UpdateCursorState(x, y);
  }
  if (OnMouseMove) OnMouseMove(*this, shift, x, y);
}

void TEditor::UpdateCursorState(int x, int y) {
  const THitGeometry geometry = FViewport.HitGeometry();
  if (x < geometry.TextLeft) {
    SetCursorState(curLeftMargin);
  } else if (y < geometry.TopMargin) {
    SetCursorState(curTopMargin);
  } else {
    const TColRow nearest = PointToColRow(x, y, true);
    SetCursorState(CanDragSelection() && IsInSelection(nearest.Row, nearest.Col) ? curInSelection : curText);
  }
}

void TEditor::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (button != TMouseButton::Left) {
    if (!FMouse.Busy() && OnMouseUp) OnMouseUp(*this, button, shift, x, y);
    return;
  }
  FMouse.ButtonHeld = false;
  if (FWindow) FWindow->SetMouseCapture(false);
  if (OnMouseUp) OnMouseUp(*this, button, shift, x, y);
  if (FMouse.SelDragState == sdDragging) {
    Drop(shift, x, y);
  } else if (FMouse.SelDragState == sdPending) {
    // A press in the selection that never became a drag is a click: the selection goes.
    FMouse.SelDragState = sdNone;
    SetCursorState(curText);
    CleanSelection();
  } else {
    FMouse.RowSelecting = false;
  }
}

void TEditor::DoubleClick(TMouseButton button, TShiftState shift, int x, int y) {
  if (FMouse.Busy()) return;
  if (FWindow && !FWindow->Focused()) FWindow->SetFocus();
  if (OnMouseDown) OnMouseDown(*this, button, shift, x, y);
  if (button == TMouseButton::Left && OnDblClick) OnDblClick(this);
}

bool TEditor::PassKeyDown(TEditorKey key, TShiftState) {
  if (FMouse.SelDragState == sdDragging) {
    if (key == TEditorKey::Control) SetCursorState(curDragCopy);
    if (key == TEditorKey::Escape) CancelDrag();
    return true;
  }
  return !FMouse.Busy();
}

bool TEditor::PassKeyUp(TEditorKey key) {
  if (FMouse.SelDragState == sdDragging && key == TEditorKey::Control) {
    SetCursorState(curDragMove);
    return true;
  }
  return !FMouse.Busy();
}

bool TEditor::PassChar() const { return !FMouse.Busy(); }

void TEditor::SetReadOnly(bool value) {
  if (FMouse.SelDragState == sdDragging || value == FReadOnly) return;
  FReadOnly = value;
  if (value && FSelection.State() == sstSelected && FWindow) {
    FMouse.CursorState = curText;
    FWindow->SetCursor(CursorKindOf(Caret().Cursors().DefaultCursor()));
  }
}

bool TEditor::PassMouseWheel() const { return !FMouse.Busy(); }

void TEditor::CancelDrag() {
  FMouse.SelDragState = sdNone;
  CleanSelection();
  SetCursorState(curText);
}

}  // namespace editor
