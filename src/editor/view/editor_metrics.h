// The editor's pixel metrics (cells, rows, margins, visible rows and columns) computed from the font the
// window measures and the settings of the property objects.
#pragma once

#include "editor/view/editor_window.h"

namespace editor {

// The cells a text output may advance over: every byte of a row up to column 1000, and one more so a
// double-byte character at column 1000 is drawn whole.
inline constexpr int kCellAdvanceCount = 1001;

// What the metrics depend on. Widths and heights of hidden bars and missing scroll bars are 0.
struct TMetricsInput {
  TFontMetrics Font;
  int MarginCharacter = 0;
  int MarginLine = 0;
  int MarginLeft = 0;
  int MarginTop = 0;
  int UnderlineSpace = 0;
  int ImagebarWidth = 0;
  int LeftbarWidth = 0;
  int RulerHeight = 0;
  int ClientWidth = 0;
  int ClientHeight = 0;
  int HorzScrollBarHeight = 0;
  int VertScrollBarWidth = 0;
};

struct TEditorMetrics {
  int FontHeight = 0;  // text height plus external leading
  int ColWidth = 0;    // Margin.Character + the font's average character width
  int RowHeight = 0;   // FontHeight + Margin.Line + UnderlineSpace
  int UnderlineSpace = 0;
  int TextLeft = 0;     // Margin.Left + image bar + line-number bar
  int TopMargin = 0;    // Margin.Top + ruler
  int VisibleRows = 1;  // whole rows in the text area, at least 1
  int VisibleCols = 0;  // whole cells in the text area, never negative
  int ImagebarWidth = 0;
  int LeftbarWidth = 0;
  int RulerHeight = 0;
  bool operator==(const TEditorMetrics&) const = default;
};

TEditorMetrics ComputeMetrics(const TMetricsInput& input);

// The rows a client area `clientHeight` high shows from the top row on, whole or in part: the whole rows
// and the one after them, and one more when the room under the whole rows holds part of it.
int RowsShown(int clientHeight, int topMargin, int rowHeight, int visibleRows);

// The line-number bar's width: its margins around Column digits of one cell each.
int LeftbarWidthFor(int leftMargin, int column, int rightMargin, int colWidth);
// The ruler's height: a row of gauge digits at half the font height over a band of gauge strokes.
int RulerHeightFor(int fontHeight);

}  // namespace editor
