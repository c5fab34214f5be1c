// The editor's view over its rows: the metrics, the top row and column, the scroll ranges and the
// scrolling that keeps the window's pixels, scroll bars and caret in step.
#pragma once

#include <vector>

#include "editor/editor_metrics.h"
#include "editor/geometry.h"

namespace editor {

class TEditor;

// The scroll requests of WM_VSCROLL and WM_HSCROLL.
inline constexpr int SB_LINEUP = 0;
inline constexpr int SB_LINEDOWN = 1;
inline constexpr int SB_PAGEUP = 2;
inline constexpr int SB_PAGEDOWN = 3;
inline constexpr int SB_THUMBPOSITION = 4;
inline constexpr int SB_THUMBTRACK = 5;
inline constexpr int SB_TOP = 6;
inline constexpr int SB_BOTTOM = 7;
inline constexpr int SB_ENDSCROLL = 8;

class TEditorViewport {
 public:
  // The horizontal scroll extent in columns.
  static constexpr int MaxColsExtent = 1000;

  explicit TEditorViewport(TEditor& editor) : FEditor(editor) {}
  TEditorViewport(const TEditorViewport&) = delete;
  TEditorViewport& operator=(const TEditorViewport&) = delete;

  const TEditorMetrics& Metrics() const { return FMetrics; }
  int FontHeight() const { return FMetrics.FontHeight; }
  int ColWidth() const { return FMetrics.ColWidth; }
  int RowHeight() const { return FMetrics.RowHeight; }
  int TextLeft() const { return FMetrics.TextLeft; }
  int TopMargin() const { return FMetrics.TopMargin; }
  int VisibleRows() const { return FMetrics.VisibleRows; }
  int VisibleCols() const { return FMetrics.VisibleCols; }
  int TopRow() const { return FTopRow; }
  int TopCol() const { return FTopCol; }
  int MaxRow() const { return FMaxRow; }
  int MaxCols() const { return FMaxCols; }
  int HOffset() const { return FHOffset; }
  // One advance of ColWidth per cell, for every text output.
  const std::vector<int>& CellAdvance() const { return FCellAdvance; }
  // The font or a colour record of the active scheme is italic: tokens are drawn over a filled row.
  bool TransparentTokens() const { return FTransparentTokens; }

  // A control without a window has no client area to measure; its owner (a test, or a control kept off
  // screen) gives the visible row count instead. InitMetrics replaces it once there is a window.
  void SetWindowlessVisibleRows(int rows);

  // Recomputes the metrics from the window's font metrics and client size (only with a window).
  void InitMetrics();
  // Recomputes MaxRow and MaxCols, clamps TopRow and TopCol, and sets the window's scroll bars.
  void UpdateScrollBars();

  // Scrolls the view to a row (0 .. row count) or a column (0 .. MaxCols - VisibleCols div 2), scrolling
  // the window's pixels and raising OnTopRowChange / OnTopColChange when the value changed. Without a
  // window the value is only stored.
  void SetTopRow(int value);
  void SetTopCol(int value);
  // Moves the pixels of rect by (dx, dy) and repaints what they uncover at once.
  void ScrollRect(int dx, int dy, const TRect& rect);
  // The view and the caret move together by delta rows (the page keys).
  void ScrollRows(int delta);
  // WM_VSCROLL and WM_HSCROLL; position: the thumb's track position for the thumb requests. Return 0.
  int VScroll(int code, int position);
  int HScroll(int code, int position);
  // EM_SCROLLCARET: a caret outside the view brings it to a third of the view.
  void ScrollCaretMessage();
  // After a caret move: scrolls just enough rows to show the caret row (the caret column, when out of
  // view, goes to a third of the view as EM_SCROLLCARET puts it) and puts the window's caret on its cell.
  void ScrollCaret();
  // After rows went away: a top row past the limit comes back to it (no event).
  void ClampTopRow(int limit);

  // The client position of the caret's cell.
  TPoint CaretPoint() const;
  // Puts the window's caret on the caret's cell.
  void PlaceWindowCaret();
  // Repaints one row when it is on screen.
  void InvalidateRow(int row);

  // The view scrolled while a key repeated: the input method's composition window waits for the key's
  // release (or the next typed character) to follow the caret.
  bool CompositionPending() const { return FCompositionPending; }
  void MoveCompositionWindow();

 private:
  // After a scroll: the composition window follows now, or once the repeating key is released.
  void CompositionAfterScroll();
  bool VerticalBar() const;
  bool HorizontalBar() const;

  TEditor& FEditor;
  TEditorMetrics FMetrics;
  int FTopRow = 0;
  int FTopCol = 0;
  int FMaxRow = 0;
  int FMaxCols = MaxColsExtent;
  int FHOffset = 0;
  std::vector<int> FCellAdvance;
  bool FTransparentTokens = false;
  bool FCompositionPending = false;
};

}  // namespace editor
