// What the editor answers about points where editing.txt does not reach: the cell under a point of the
// view, an editor without a window, and a pasted view that ends before its buffer does.
#include <gtest/gtest.h>

#include <string>

#include "editor/view/hit_test.h"
#include "support/mouse_driver.h"

namespace editor {
namespace {

using test::TMouseDriver;

TEST(CellAtPoint, NearestTakesTheBoundaryOfTheHalfAndMarginsCountDown) {
  const THitGeometry g{8, 16, 20, 10, 5, 3};  // 8 x 16 cells, text from (20, 10), view at row 5, column 3
  EXPECT_EQ(CellAtPoint(g, 27, 25, false), (TColRow{3, 5}));
  EXPECT_EQ(CellAtPoint(g, 28, 26, false), (TColRow{4, 6}));
  EXPECT_EQ(CellAtPoint(g, 24, 10, true).Col, 3);  // the cell's fifth pixel still belongs to its left half
  EXPECT_EQ(CellAtPoint(g, 25, 10, true).Col, 4);
  EXPECT_EQ(CellAtPoint(g, 19, 10, false).Col, 2);  // left of the text: the columns before TopCol
  EXPECT_EQ(CellAtPoint(g, 11, 10, false).Col, 1);
  EXPECT_EQ(CellAtPoint(g, -50, 10, false).Col, 0);
  EXPECT_EQ(CellAtPoint(g, 20, 9, false).Row, 5);  // less than a row above truncates to the top row
  EXPECT_EQ(CellAtPoint(g, 20, -6, false).Row, 4);
  EXPECT_EQ(CellAtPoint(THitGeometry{0, 0, 0, 0, 2, 1}, 100, 100, true), (TColRow{1, 2}));
}

TEST(TextPosFromPoint, AnEditorWithoutAWindowHasNoCellsToFind) {
  TEditor unmeasured;
  unmeasured.Lines().SetText("abc");
  int row = 0, index = 0;
  EXPECT_FALSE(unmeasured.TextPosFromPoint({10, 10}, row, index));
}

TEST(EditorInput, APastedViewEndsWhereTheViewEndsNotWhereItsBufferDoes) {
  TMouseDriver d;
  d.Load("");
  const std::string buffer =
      "x\x82"
      "A";  // a view of two bytes: the lead byte has no partner in it
  d.Editor.PutText(std::string_view(buffer.data(), 2));
  EXPECT_EQ(d.Text(), "x?");
}

}  // namespace
}  // namespace editor
