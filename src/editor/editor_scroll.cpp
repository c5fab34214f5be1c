// Scrolling the editor's view: top row and column, scroll requests, and keeping the caret in view.
#include <algorithm>
#include <cstdlib>

#include "editor/editor.h"
#include "editor/editor_viewport.h"
#include "editor/screen_strings.h"

namespace editor {

void TEditorViewport::SetTopRow(int value) {
  const int count = FEditor.ListInfo().Count();
  const int newTop = std::clamp(value, 0, count);
  TEditorWindow* window = FEditor.Window();
  if (!window) {
    FTopRow = newTop;
    return;
  }
  FEditor.HideCaret();
  const int delta = FTopRow - newTop;
  FTopRow = newTop;
  // A jump of more than a page scrolls everything away: the whole text area is repainted.
  const int limit = FMetrics.VisibleRows + 1;
  const int pixels = std::clamp(delta, -limit, limit) * FMetrics.RowHeight;
  if (pixels != 0) {
    ScrollRect(0, pixels, TRect{0, FMetrics.TopMargin, window->ClientWidth(), window->ClientHeight()});
    if (VerticalBar())
      window->SetScrollRange(true, 0, std::max(FMetrics.VisibleRows, FMaxRow), FMetrics.VisibleRows, FTopRow);
    PlaceWindowCaret();
    CompositionAfterScroll();
    if (FEditor.OnTopRowChange) FEditor.OnTopRowChange(&FEditor);
  }
  FEditor.ShowCaret();
}

void TEditorViewport::SetTopCol(int value) {
  const int newCol = std::max(0, std::min(value, FMaxCols - FMetrics.VisibleCols / 2));
  TEditorWindow* window = FEditor.Window();
  if (!window) {
    FTopCol = newCol;
    FHOffset = FTopCol * FMetrics.ColWidth;
    return;
  }
  FEditor.HideCaret();
  const int delta = FTopCol - newCol;
  FTopCol = newCol;
  const int pixels = delta * FMetrics.ColWidth;
  if (pixels != 0) {
    ScrollRect(pixels, 0, TRect{FMetrics.TextLeft, 0, window->ClientWidth(), window->ClientHeight()});
    if (HorizontalBar())
      window->SetScrollRange(false, 0, FMetrics.VisibleCols / 2 + FMaxCols, FMetrics.VisibleCols, FTopCol);
    PlaceWindowCaret();
    CompositionAfterScroll();
    if (FEditor.OnTopColChange) FEditor.OnTopColChange(&FEditor);
  }
  FEditor.ShowCaret();
}

void TEditorViewport::ScrollRect(int dx, int dy, const TRect& rect) {
  TEditorWindow* window = FEditor.Window();
  if (!window) return;
  FHOffset -= dx;
  window->Scroll(dx, dy, rect);
  window->Update();
}

void TEditorViewport::ScrollRows(int delta) {
  TEditorScreenStrings& rows = FEditor.ListInfo();
  if (FTopRow == 0 && delta < 0) {
    FEditor.SetRow(0);
    return;
  }
  if (delta > 0 && FTopRow < rows.Count() && rows.RowAttribute(FTopRow) == raEnd) return;
  const int offset = FEditor.Row() - FTopRow;
  SetTopRow(std::clamp(FTopRow + delta, 0, rows.Count()));
  FEditor.SetRow(FTopRow + offset);
}

int TEditorViewport::VScroll(int code, int position) {
  int delta = 0;
  switch (code) {
    case SB_LINEUP:
      delta = -1;
      break;
    case SB_LINEDOWN:
      delta = 1;
      break;
    case SB_PAGEUP:
      delta = std::min(-1, -FMetrics.VisibleRows);
      break;
    case SB_PAGEDOWN:
      delta = std::max(1, FMetrics.VisibleRows);
      break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
      delta = position - FTopRow;
      break;
    case SB_TOP:
      delta = -FTopRow;
      break;
    case SB_BOTTOM:
      delta = FMaxRow - FTopRow;
      break;
    default:
      return 0;
  }
  delta = std::clamp(delta, -FTopRow, std::max(-FTopRow, FMaxRow - FTopRow));
  if (delta != 0) {
    SetTopRow(FTopRow + delta);
    if (FEditor.Caret().LockScroll()) FEditor.SetRow(FEditor.Row() + delta);
  }
  return 0;
}

int TEditorViewport::HScroll(int code, int position) {
  const int extent = FMetrics.VisibleCols / 2 + FMaxCols;
  int delta = 0;
  switch (code) {
    case SB_LINEUP:
      delta = -1;
      break;
    case SB_LINEDOWN:
      delta = 1;
      break;
    case SB_PAGEUP:
      delta = std::min(-1, -FMetrics.VisibleCols);
      break;
    case SB_PAGEDOWN:
      delta = std::max(1, FMetrics.VisibleCols);
      break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
      delta = position - FTopCol;
      break;
    case SB_TOP:
      delta = -FTopCol;
      break;
    case SB_BOTTOM:
      delta = extent - FTopCol;
      break;
    default:
      return 0;
  }
  delta = std::clamp(delta, -FTopCol, std::max(-FTopCol, extent - FTopCol));
  if (delta != 0) SetTopCol(FTopCol + delta);
  return 0;
}

void TEditorViewport::ScrollCaretMessage() {
  const int row = FEditor.Row();
  const int col = FEditor.Col();
  if (row < FTopRow || row > FTopRow + FMetrics.VisibleRows - 1) SetTopRow(row - FMetrics.VisibleRows / 3);
  if (col < FTopCol || col > FTopCol + FMetrics.VisibleCols - 1) SetTopCol(col - FMetrics.VisibleCols / 3);
}

void TEditorViewport::ScrollCaret() {
  const int row = FEditor.Row();
  const int col = FEditor.Col();
  if (row < FTopRow) {
    SetTopRow(row);
  } else if (FMetrics.VisibleRows > 0 && row >= FTopRow + FMetrics.VisibleRows) {
    SetTopRow(row - FMetrics.VisibleRows + 1);
  }
  // Columns only matter where there are some to show.
  if (FMetrics.VisibleCols > 0 && (col < FTopCol || col >= FTopCol + FMetrics.VisibleCols))
    SetTopCol(col - FMetrics.VisibleCols / 3);
  PlaceWindowCaret();
}

void TEditor::ScrollCaret() { FViewport.ScrollCaret(); }

}  // namespace editor
