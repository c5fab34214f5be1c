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
  return input;
}

TEST(Metrics, RowsAndColumnsAreWholeCellsOfTheTextArea) {
  TMetricsInput input = CellFont(640, 480);
  input.MarginLeft = 8;
  input.MarginTop = 2;
  TEditorMetrics m = ComputeMetrics(input);
  EXPECT_EQ(m.FontHeight, 16);
  EXPECT_EQ(m.ColWidth, 8);
  EXPECT_EQ(m.RowHeight, 16);
  EXPECT_EQ(m.TextLeft, 8);
  EXPECT_EQ(m.TopMargin, 2);
  EXPECT_EQ(m.VisibleRows, (480 - 2 - 5) / 16);     // 29: a partial row does not count
  EXPECT_EQ(m.VisibleCols, (640 - 8 - 8 / 2) / 8);  // 78

  // Scroll bars take their thickness off both directions.
  input.HorzScrollBarHeight = 17;
  input.VertScrollBarWidth = 17;
  m = ComputeMetrics(input);
  EXPECT_EQ(m.VisibleRows, (480 - 2 - 5 - 17) / 16);  // 28
  EXPECT_EQ(m.VisibleCols, (640 - 8 - 4 - 17) / 8);   // 76
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
  input.MarginTop = 2;
  input.RulerHeight = 15;
  const TEditorMetrics m = ComputeMetrics(input);
  EXPECT_EQ(m.FontHeight, 18);
  EXPECT_EQ(m.ColWidth, 9);
  EXPECT_EQ(m.RowHeight, 18 + 3 + 1);
  EXPECT_EQ(m.TextLeft, 19 + 12 + 44);
  EXPECT_EQ(m.TopMargin, 17);
  EXPECT_EQ(m.VisibleRows, (480 - 17 - 5) / 22);
  EXPECT_EQ(m.VisibleCols, (640 - 75 - 4) / 9);
}

TEST(Metrics, ATinyWindowOrAnUnmeasuredFontNeverDividesByZero) {
  TMetricsInput input = CellFont(3, 4);
  TEditorMetrics m = ComputeMetrics(input);
  EXPECT_EQ(m.VisibleRows, 1);  // always at least one row
  EXPECT_EQ(m.VisibleCols, 0);  // never negative
  input.Font = TFontMetrics{};
  m = ComputeMetrics(input);
  EXPECT_EQ(m.ColWidth, 0);
  EXPECT_EQ(m.VisibleRows, 1);
  EXPECT_EQ(m.VisibleCols, 0);
}

}  // namespace
}  // namespace editor
