// The editor's pixel metrics: the table's arithmetic from the measured font, the margins, the bars and
// the scroll bars, and the control's metrics following its window and settings.
#include <gtest/gtest.h>

#include "editor/editor.h"
#include "editor/editor_metrics.h"
#include "fake_window.h"

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

TEST(EditorMetrics, TheControlMeasuresThroughItsWindowAndFollowsItsSettings) {
  test::TFakeWindow window;
  TEditor editor;
  editor.SetVisibleRows(7);
  EXPECT_EQ(editor.VisibleRows(), 7) << "a control without a window keeps the count it is given";
  editor.SetWindow(&window);
  const TEditorViewport& view = editor.Viewport();
  // Construction defaults: left margin 19 plus the image bar (2 + 8 + 0 + 2).
  EXPECT_EQ(view.TextLeft(), 19 + 12);
  EXPECT_EQ(view.TopMargin(), 2);
  EXPECT_EQ(editor.VisibleRows(), 29);
  EXPECT_EQ(editor.VisibleCols(), (640 - 31 - 4) / 8);
  ASSERT_EQ(view.CellAdvance().size(), 1001u);
  EXPECT_EQ(view.CellAdvance().front(), 8);
  editor.SetVisibleRows(3);
  EXPECT_EQ(editor.VisibleRows(), 29) << "with a window the window decides";

  editor.Marks().Underline().SetVisible(true);
  EXPECT_EQ(view.RowHeight(), 17);
  EXPECT_EQ(editor.VisibleRows(), 473 / 17);
  editor.Leftbar().SetVisible(true);
  EXPECT_EQ(view.TextLeft(), 19 + 12 + 8 + 4 * 8 + 4);
  editor.Ruler().SetVisible(true);
  EXPECT_EQ(view.TopMargin(), 2 + 16 / 2 + 6);
  editor.SetScrollBars(ssBoth);
  EXPECT_EQ(editor.VisibleRows(), (480 - view.TopMargin() - 5 - 17) / 17);

  window.Height = 100;
  window.Metrics.AveCharWidth = 10;
  editor.Resize();
  EXPECT_EQ(view.ColWidth(), 10);
  EXPECT_EQ(editor.VisibleRows(), (100 - view.TopMargin() - 5 - 17) / 17);
}

TEST(EditorMetrics, AnItalicFontOrColourRecordMakesTokensTransparent) {
  test::TFakeWindow window;
  TEditor editor;
  editor.SetWindow(&window);
  EXPECT_FALSE(editor.Viewport().TransparentTokens());
  editor.View().Colors().Comment().SetStyle(fsItalic);
  EXPECT_TRUE(editor.Viewport().TransparentTokens());
  editor.View().Colors().Comment().SetStyle(0);
  EXPECT_FALSE(editor.Viewport().TransparentTokens());
  editor.SetFont(TEditorFont{"Mono", 10, fsItalic, 0});
  EXPECT_TRUE(editor.Viewport().TransparentTokens());
}

}  // namespace
}  // namespace editor
