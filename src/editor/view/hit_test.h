// What lies under a client point: the cell arithmetic that turns pixels into screen columns and rows.
#pragma once

#include <string_view>

namespace editor {

// A screen column (cells, a double-byte character taking two and a tab its fill) and a row.
struct TColRow {
  int Col = 0;
  int Row = 0;
  bool operator==(const TColRow&) const = default;
};

// The metrics and view offsets the cell arithmetic needs.
struct THitGeometry {
  int ColWidth = 0;
  int RowHeight = 0;
  int TextLeft = 0;
  int TopMargin = 0;
  int TopRow = 0;
  int TopCol = 0;
};

// The column and row under (x, y). With nearest, a point in the right half of a cell gives the boundary
// after it. Rows are not clamped, and a point less than one row above the text area still gives TopRow
// (the division truncates toward zero). Without a measured font (a zero width or height) the point
// falls on the top row or column instead of dividing by zero.
TColRow CellAtPoint(const THitGeometry& geometry, int x, int y, bool nearest);

// The byte index a screen column of a row with this column map stands for: off a second byte and off
// a tab's fill onto the character itself.
int ByteIndexAtColumn(std::string_view map, int column);

// Where a box's edge at `column` lies on a row with this column map: an edge that falls inside a
// character (on its second byte or in a tab's fill) moves right, past it. Drawing, hit testing and box
// editing all take a row's part of a box between its two edges so moved.
int BoxEdgeColumn(std::string_view map, int column);

}  // namespace editor
