// The view's ranges, clamps and scroll-request arithmetic.
#include "editor/view/editor_viewport.h"

#include <algorithm>

namespace editor {

void TEditorViewport::SetMetrics(const TEditorMetrics& metrics, bool transparentTokens) {
  FMetrics = metrics;
  FCellAdvance.assign(kCellAdvanceCount, FMetrics.ColWidth);
  FTransparentTokens = transparentTokens;
}

void TEditorViewport::SetWindowlessVisibleRows(int rows) { FMetrics.VisibleRows = std::max(0, rows); }

void TEditorViewport::UpdateRanges(int rowCount) {
  FMaxRow = std::max(0, rowCount + FMetrics.VisibleRows - 1);
  FTopRow = std::min(FTopRow, FMaxRow);
  FMaxCols = MaxColsExtent;
  FTopCol = std::min(FTopCol, FMaxCols - FMetrics.VisibleCols / 2);
  FTopCol = std::max(FTopCol, 0);
  FHOffset = FTopCol * FMetrics.ColWidth;
}

void TEditorViewport::ClampTopRow(int limit) { FTopRow = std::clamp(FTopRow, 0, std::max(limit, 0)); }

int TEditorViewport::VerticalRangeMax() const { return std::max(FMetrics.VisibleRows, FMaxRow); }

int TEditorViewport::HorizontalRangeMax() const { return FMetrics.VisibleCols / 2 + FMaxCols; }

int TEditorViewport::TopRowFor(int value, int rowCount) const { return std::clamp(value, 0, rowCount); }

int TEditorViewport::TopColFor(int value) const {
  return std::max(0, std::min(value, FMaxCols - FMetrics.VisibleCols / 2));
}

void TEditorViewport::StoreTopCol(int col) {
  FTopCol = col;
  FHOffset = FTopCol * FMetrics.ColWidth;
}

namespace {

// What a scroll-bar request moves a view by that stands at `at` of a range 0 .. max with a page of
// `page`: clamped so the view stays inside the range.
int RequestDelta(TScrollRequest request, int position, int at, int page, int max) {
  int delta = 0;
  switch (request) {
    case TScrollRequest::LineUp:
      delta = -1;
      break;
    case TScrollRequest::LineDown:
      delta = 1;
      break;
    case TScrollRequest::PageUp:
      delta = std::min(-1, -page);
      break;
    case TScrollRequest::PageDown:
      delta = std::max(1, page);
      break;
    case TScrollRequest::ThumbPosition:
    case TScrollRequest::ThumbTrack:
      delta = position - at;
      break;
    case TScrollRequest::Top:
      delta = -at;
      break;
    case TScrollRequest::Bottom:
      delta = max - at;
      break;
    case TScrollRequest::EndScroll:
      return 0;
  }
  return std::clamp(delta, -at, std::max(-at, max - at));
}

}  // namespace

int TEditorViewport::VScrollDelta(TScrollRequest request, int position) const {
  return RequestDelta(request, position, FTopRow, FMetrics.VisibleRows, FMaxRow);
}

int TEditorViewport::HScrollDelta(TScrollRequest request, int position) const {
  return RequestDelta(request, position, FTopCol, FMetrics.VisibleCols, HorizontalRangeMax());
}

TPoint TEditorViewport::CellPoint(int row, int col) const {
  return TPoint{FMetrics.TextLeft + (col - FTopCol) * FMetrics.ColWidth,
                (row - FTopRow) * FMetrics.RowHeight + FMetrics.TopMargin};
}

bool TEditorViewport::CellInView(int row, int col) const {
  return row >= FTopRow && row <= FTopRow + FMetrics.VisibleRows && col >= FTopCol &&
         col <= FTopCol + FMetrics.VisibleCols;
}

THitGeometry TEditorViewport::HitGeometry() const {
  return {FMetrics.ColWidth, FMetrics.RowHeight, FMetrics.TextLeft, FMetrics.TopMargin, FTopRow, FTopCol};
}

}  // namespace editor
