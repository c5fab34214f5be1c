// Row invalidation and the repaint after a text change.
#include "editor/view/editor_invalidator.h"

#include <algorithm>
#include <cstdlib>

#include "editor/text/editor_screen_strings.h"

namespace editor {

namespace {

void Call(const std::function<void()>& hook) {
  if (hook) hook();
}

}  // namespace

void TEditorInvalidator::InvalidateRow(int row) {
  const TPaintMetrics& m = FMetrics;
  if (!FWindow || row < m.TopRow || row > m.LastShownRow()) return;
  const int top = m.RowTop(row);
  FWindow->Invalidate({m.TextLeft, top, m.ClientWidth, top + m.FontHeight});
}

void TEditorInvalidator::InvalidateBand(int row1, int row2) {
  const TPaintMetrics& m = FMetrics;
  if (!FWindow) return;
  const int first = std::max(std::min(row1, row2), m.TopRow);
  const int last = std::min(std::max(row1, row2), m.LastShownRow());
  if (first > last) return;
  FWindow->Invalidate({0, m.RowTop(first), m.ClientWidth, m.RowTop(last) + m.FontHeight});
}

void TEditorInvalidator::InvalidateRows(int row1, int row2) {
  if (!FWindow) return;
  InvalidateBand(row1, row2);
  FWindow->Update();
}

void TEditorInvalidator::RepaintAfterChange(const TLastUpdate& update, int rowCount, const TRepaintHooks& hooks) {
  const TPaintMetrics& m = FMetrics;
  if (!FWindow) return;
  const int start = update.StartRow;
  const int delta = update.NewRows - update.OldRows;
  if (std::abs(delta) > m.VisibleRows) {
    FWindow->Invalidate({0, m.TopMargin, m.ClientWidth, m.ClientHeight});
    FWindow->Update();
    return;
  }
  const int last = start + std::max(update.NewRows, update.ChangedRows);
  const bool pastEnd = last >= rowCount;
  if (delta != 0) {
    // Nothing is painted before the pixels move: a paint now would draw the rows below the change in
    // their new places, and the scroll would then move them once more.
    InvalidateBand(start, last - 1);
    // The rows from `last` on kept their text: their pixels move with them. Old row last - delta showed
    // what is now row last, and scrolling the band from row last's top by delta rows (pixels leaving the
    // band dropped) puts every such row where it now belongs.
    const TRect area{FBars.ImagebarVisible ? 0 : m.TextLeft, std::max(m.TopMargin, m.RowTop(last)), m.ClientWidth,
                     m.ClientHeight};
    if (!area.IsEmpty()) {
      Call(hooks.BeginCaretHide);
      Call(hooks.BeginUnderlineHide);
      FWindow->Scroll(0, delta * m.RowHeight, area);
      Call(hooks.EndUnderlineHide);
      Call(hooks.EndCaretHide);
    }
    if (pastEnd) InvalidateBand(last, last + 1);
    FWindow->Update();
  } else {
    InvalidateRows(start, pastEnd ? last + 1 : last - 1);
  }
  const bool rowNumbersMoved = delta != 0 && rowCount <= m.TopRow + m.VisibleRows;
  if (FBars.LeftbarVisible && FBars.LeftbarShowNumber && (FBars.LeftbarLineNumbers || rowNumbersMoved)) {
    const int first = std::max(last, m.TopRow);
    const int lastShown = std::min(start + m.VisibleRows, m.TopRow + m.VisibleRows);
    if (first <= lastShown)
      FWindow->Invalidate({FBars.ImagebarWidth, m.RowTop(first), FBars.ImagebarWidth + FBars.LeftbarWidth,
                           m.RowTop(lastShown) + m.FontHeight});
  }
}

}  // namespace editor
