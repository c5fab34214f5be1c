// Pixels to cells: which screen column and row a client point falls in.
#include "editor/view/hit_test.h"

#include <algorithm>

#include "editor/text/column_map.h"

namespace editor {

TColRow CellAtPoint(const THitGeometry& geometry, int x, int y, bool nearest) {
  TColRow cell{geometry.TopCol, geometry.TopRow};
  const int width = geometry.ColWidth;
  if (width > 0) {
    // Left of the text area the cells count down into negative columns, so shift by a cell less one.
    const int shifted = x < geometry.TextLeft ? x - (width - 1) : x;
    const int column =
        nearest ? (width / 2 + shifted - 1 - geometry.TextLeft) / width : (shifted - geometry.TextLeft) / width;
    cell.Col = std::max(0, column + geometry.TopCol);
  }
  if (geometry.RowHeight > 0) cell.Row = (y - geometry.TopMargin) / geometry.RowHeight + geometry.TopRow;
  return cell;
}

int ByteIndexAtColumn(std::string_view map, int column) {
  const int width = static_cast<int>(map.size());
  if (column > 0 && column < width && map[static_cast<std::size_t>(column)] == colTrail) --column;
  while (column > 0 && column < width && map[static_cast<std::size_t>(column)] == colTabFill) --column;
  return ByteIndexOfColumn(map, column);
}

int BoxEdgeColumn(std::string_view map, int column) {
  const int width = static_cast<int>(map.size());
  while (column > 0 && column < width &&
         (map[static_cast<std::size_t>(column)] == colTrail || map[static_cast<std::size_t>(column)] == colTabFill))
    ++column;
  return column;
}

}  // namespace editor
