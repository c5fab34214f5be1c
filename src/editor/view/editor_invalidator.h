// Turning row changes into window invalidations and scrolls: single rows, row ranges and the repaint
// after a text change, worked out from the row store's record of that change.
#pragma once

#include <functional>

#include "editor/view/editor_painter.h"
#include "editor/view/editor_window.h"

namespace editor {

struct TLastUpdate;

// What the control does around a scroll of its pixels: the caret keeps out of them, the caret-row
// underline is erased and drawn again.
struct TRepaintHooks {
  std::function<void()> BeginCaretHide;
  std::function<void()> EndCaretHide;
  std::function<void()> BeginUnderlineHide;
  std::function<void()> EndUnderlineHide;
};

// Invalidates through the window, or does nothing when there is none yet.
class TEditorInvalidator {
 public:
  TEditorInvalidator(TEditorWindow* window, const TPaintMetrics& metrics, const TPaintBars& bars = {})
      : FWindow(window), FMetrics(metrics), FBars(bars) {}

  // The row's text band, when the row is in view.
  void InvalidateRow(int row);
  // Full-width bands from the lower to the higher row, limited to the view, painted at once.
  void InvalidateRows(int row1, int row2);
  // The repaint after a change: the changed rows are invalidated and, when the row count changed, the
  // rows below are moved by scrolling their pixels rather than repainted.
  void RepaintAfterChange(const TLastUpdate& update, int rowCount, const TRepaintHooks& hooks = {});

 private:
  // InvalidateRows without the paint.
  void InvalidateBand(int row1, int row2);

  TEditorWindow* FWindow;
  TPaintMetrics FMetrics;
  TPaintBars FBars;
};

}  // namespace editor
