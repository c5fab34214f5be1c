// Metrics arithmetic: integer division truncating toward zero, as the control has always measured.
#include "editor/view/editor_metrics.h"

#include <algorithm>

namespace editor {
namespace {

// Room under the last whole row that never holds one.
constexpr int kBottomSlack = 5;
constexpr int kRulerStrokeBand = 6;

}  // namespace

TEditorMetrics ComputeMetrics(const TMetricsInput& input) {
  TEditorMetrics m;
  m.FontHeight = input.Font.Height + input.Font.ExternalLeading;
  m.ColWidth = input.MarginCharacter + input.Font.AveCharWidth;
  m.UnderlineSpace = input.UnderlineSpace;
  m.RowHeight = m.FontHeight + input.MarginLine + m.UnderlineSpace;
  m.ImagebarWidth = input.ImagebarWidth;
  m.LeftbarWidth = input.LeftbarWidth;
  m.RulerHeight = input.RulerHeight;
  m.TextLeft = input.MarginLeft + input.ImagebarWidth + input.LeftbarWidth;
  m.TopMargin = input.MarginTop + input.RulerHeight;
  // A font the window could not measure gives zero-sized cells; the view then shows one row and no
  // columns instead of dividing by zero.
  const int height = input.ClientHeight - m.TopMargin - kBottomSlack - input.HorzScrollBarHeight;
  m.VisibleRows = m.RowHeight > 0 ? std::max(1, height / m.RowHeight) : 1;
  const int width = input.ClientWidth - m.TextLeft - m.ColWidth / 2 - input.VertScrollBarWidth;
  m.VisibleCols = m.ColWidth > 0 ? std::max(0, width / m.ColWidth) : 0;
  return m;
}

int LeftbarWidthFor(int leftMargin, int column, int rightMargin, int colWidth) {
  return leftMargin + column * colWidth + rightMargin;
}

int RulerHeightFor(int fontHeight) { return fontHeight / 2 + kRulerStrokeBand; }

int RowsShown(int clientHeight, int topMargin, int rowHeight, int visibleRows) {
  const int inPart = rowHeight > 0 ? (clientHeight - topMargin + rowHeight - 1) / rowHeight : 0;
  return std::max(visibleRows + 1, inPart);
}

}  // namespace editor
