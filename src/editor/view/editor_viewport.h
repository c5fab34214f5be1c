// The editor's view over its rows: the metrics, the top row and column, the scroll ranges, and the
// arithmetic of scroll requests and of keeping a cell in view. It only computes; the controller
// applies the results to the window.
#pragma once

#include <cstdint>
#include <vector>

#include "editor/base/geometry.h"
#include "editor/view/editor_metrics.h"
#include "editor/view/hit_test.h"

namespace editor {

// A request of a scroll bar (WM_VSCROLL, WM_HSCROLL).
enum class TScrollRequest : std::uint8_t {
  LineUp,
  LineDown,
  PageUp,
  PageDown,
  ThumbPosition,
  ThumbTrack,
  Top,
  Bottom,
  EndScroll,
};

class TEditorViewport {
 public:
  // The horizontal scroll extent in columns.
  static constexpr int MaxColsExtent = 1000;

  TEditorViewport() = default;
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

  // New metrics, measured by the window (InitMetrics).
  void SetMetrics(const TEditorMetrics& metrics, bool transparentTokens);
  // Without a window there is no client area to measure: the owner gives the visible row count.
  void SetWindowlessVisibleRows(int rows);

  // Recomputes MaxRow and MaxCols for rowCount rows and clamps TopRow and TopCol to them.
  void UpdateRanges(int rowCount);
  // After rows went away: a top row past the limit comes back to it.
  void ClampTopRow(int limit);
  // The vertical range a scroll bar shows: 0 .. VerticalRangeMax, a page of VisibleRows.
  int VerticalRangeMax() const;
  int HorizontalRangeMax() const;

  // The values SetTopRow and SetTopCol store for a requested one.
  int TopRowFor(int value, int rowCount) const;
  int TopColFor(int value) const;
  // Stores a top row or column (with its pixel offset) as given; the controller scrolls the pixels.
  void StoreTopRow(int row) { FTopRow = row; }
  void StoreTopCol(int col);

  // The rows and columns a scroll-bar request moves the view by (already clamped to the ranges).
  int VScrollDelta(TScrollRequest request, int position) const;
  int HScrollDelta(TScrollRequest request, int position) const;

  // The client position of a cell's top-left corner.
  TPoint CellPoint(int row, int col) const;
  // Whether a cell lies inside the view: rows TopRow .. TopRow + VisibleRows (the partly shown row
  // under the last whole one included), columns TopCol .. TopCol + VisibleCols.
  bool CellInView(int row, int col) const;
  // The cell arithmetic of hit testing, with this view's metrics and offsets.
  THitGeometry HitGeometry() const;

 private:
  TEditorMetrics FMetrics;
  int FTopRow = 0;
  int FTopCol = 0;
  int FMaxRow = 0;
  int FMaxCols = MaxColsExtent;
  int FHOffset = 0;
  std::vector<int> FCellAdvance;
  bool FTransparentTokens = false;
};

}  // namespace editor
