// The metrics arithmetic: whole cells and rows of the text area from the measured font, the margins,
// the bars and the scroll bars.
#include <gtest/gtest.h>

#include "editor/view/editor_metrics.h"

namespace editor {
namespace {

TMetricsInput CellFont(int width, int height) {
  TMetricsInput input;
  input.Font = TFontMetrics{16, 0, 8, 13};
  input.ClientWidth = width;
  input.ClientHeight = height;
  input.MarginLeft = 8;
  input.MarginTop = 2;
  return input;
}

TEST(Metrics, RowsAndColumnsAreWholeCellsOfTheTextArea) {
  // 167 pixels: 2 above, 10 rows of 16, and the 5 under the last row that never hold one.
  TEditorMetrics m = ComputeMetrics(CellFont(640, 167));
  EXPECT_EQ(m.VisibleRows, 10);
  EXPECT_EQ(ComputeMetrics(CellFont(640, 166)).VisibleRows, 9);
  EXPECT_EQ(m.VisibleCols, 78);  // 640 - 8 - half a cell, in whole cells
  EXPECT_EQ(ComputeMetrics(CellFont(635, 167)).VisibleCols, 77);
  TMetricsInput bars = CellFont(640, 184);
  bars.HorzScrollBarHeight = 17;
  bars.VertScrollBarWidth = 17;
  m = ComputeMetrics(bars);
  EXPECT_EQ(m.VisibleRows, 10);
  EXPECT_EQ(m.VisibleCols, 76);
}

TEST(Metrics, MarginsBarsAndTheUnderlineWidenCellsAndRows) {
  TMetricsInput input = CellFont(640, 480);
  input.Font.ExternalLeading = 2;
  input.MarginCharacter = 1;
  input.MarginLine = 3;
  input.UnderlineSpace = 1;
  input.MarginLeft = 19;
  input.ImagebarWidth = 12;
  input.LeftbarWidth = 44;
  input.RulerHeight = 15;
  const TEditorMetrics m = ComputeMetrics(input);
  EXPECT_EQ(m.FontHeight, 18);
  EXPECT_EQ(m.ColWidth, 9);
  EXPECT_EQ(m.RowHeight, 22);
  EXPECT_EQ(m.TextLeft, 75);
  EXPECT_EQ(m.TopMargin, 17);
  EXPECT_EQ(m.VisibleRows, 20);
  EXPECT_EQ(m.VisibleCols, 62);
  EXPECT_EQ(LeftbarWidthFor(8, 4, 4, 8), 44);
  EXPECT_EQ(RulerHeightFor(16), 14);
}

TEST(Metrics, ATinyWindowOrAnUnmeasuredFontNeverDividesByZero) {
  TEditorMetrics m = ComputeMetrics(CellFont(3, 4));
  EXPECT_EQ(m.VisibleRows, 1);
  EXPECT_EQ(m.VisibleCols, 0);
  TMetricsInput unmeasured = CellFont(640, 480);
  unmeasured.Font = TFontMetrics{};
  m = ComputeMetrics(unmeasured);
  EXPECT_EQ(m.VisibleRows, 1);
  EXPECT_EQ(m.VisibleCols, 0);
}

}  // namespace
}  // namespace editor
