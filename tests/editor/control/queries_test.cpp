// What the editor answers about points where editing.txt does not reach: the cell under a point of the
// view (cases of view.txt), and a pasted view that ends before its buffer does.
#include <gtest/gtest.h>

#include <string>

#include "editor/view/hit_test.h"
#include "support/case_table.h"
#include "support/mouse_driver.h"

namespace editor {
namespace {

using test::TMouseDriver;

// The cell cases of tests/data/view.txt.
TEST(CellAtPoint, NearestTakesTheBoundaryOfTheHalfAndMarginsCountDown) {
  for (const test_support::TRow& row : test_support::Rows("view.txt", "cellat")) {
    const THitGeometry g{row.Int(0), row.Int(1), row.Int(2), row.Int(3), row.Int(4), row.Int(5)};
    EXPECT_EQ(CellAtPoint(g, row.Int(6), row.Int(7), row[8] == "nearest"), (TColRow{row.Int(10), row.Int(11)}))
        << row.Where();
  }
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
