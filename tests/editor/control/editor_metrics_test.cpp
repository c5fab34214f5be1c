// The editor's pixel metrics: the table's arithmetic from the measured font, the margins, the bars and
// the scroll bars, and the control's metrics following its window and settings.
#include <gtest/gtest.h>

#include "editor/control/editor.h"
#include "editor/view/editor_metrics.h"
#include "support/fake_window.h"

namespace editor {
namespace {

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
