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

int TEditorViewport::VScrollDelta(TScrollRequest request, int position) const {
  int delta = 0;
  switch (request) {
    case TScrollRequest::LineUp:
      delta = -1;
      break;
    case TScrollRequest::LineDown:
      delta = 1;
      break;
    case TScrollRequest::PageUp:
      delta = std::min(-1, -FMetrics.VisibleRows);
      break;
    case TScrollRequest::PageDown:
      delta = std::max(1, FMetrics.VisibleRows);
      break;
    case TScrollRequest::ThumbPosition:
    case TScrollRequest::ThumbTrack:
      delta = position - FTopRow;
      break;
    case TScrollRequest::Top:
      delta = -FTopRow;
      break;
    case TScrollRequest::Bottom:
      delta = FMaxRow - FTopRow;
      break;
    case TScrollRequest::EndScroll:
      return 0;
  }
  return std::clamp(delta, -FTopRow, std::max(-FTopRow, FMaxRow - FTopRow));
}

int TEditorViewport::HScrollDelta(TScrollRequest request, int position) const {
  const int extent = HorizontalRangeMax();
  int delta = 0;
  switch (request) {
    case TScrollRequest::LineUp:
      delta = -1;
      break;
    case TScrollRequest::LineDown:
      delta = 1;
      break;
    case TScrollRequest::PageUp:
      delta = std::min(-1, -FMetrics.VisibleCols);
      break;
    case TScrollRequest::PageDown:
      delta = std::max(1, FMetrics.VisibleCols);
      break;
    case TScrollRequest::ThumbPosition:
    case TScrollRequest::ThumbTrack:
      delta = position - FTopCol;
      break;
    case TScrollRequest::Top:
      delta = -FTopCol;
      break;
    case TScrollRequest::Bottom:
      delta = extent - FTopCol;
      break;
    case TScrollRequest::EndScroll:
      return 0;
  }
  return std::clamp(delta, -FTopCol, std::max(-FTopCol, extent - FTopCol));
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
