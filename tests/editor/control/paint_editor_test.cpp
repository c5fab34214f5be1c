// Painting a whole editor through its window: the snapshot taken from its property objects and
// selection, and the repaint after typing.
#include <gtest/gtest.h>

#include <vector>

#include "editor/control/editor.h"
#include "editor/control/editor_paint.h"
#include "editor/text/editor_screen_strings.h"
#include "support/fake_window.h"
#include "support/recording_canvas.h"

namespace editor {
namespace {

constexpr TColor kBlue = 0xFF0000;

class PaintEditorTest : public ::testing::Test {
 protected:
  PaintEditorTest() {
    Editor.Margin().SetLeft(8);
    Editor.Imagebar().SetVisible(false);
    Editor.View().SetUrl(true);
    Editor.View().Colors().Url().SetColor(kBlue);
    Editor.SetWindow(&Window);
    Canvas.Clip = {0, 0, Window.Width, Window.Height};
  }

  test::TFakeWindow Window;
  TEditor Editor;
  test::TRecordingCanvas Canvas;
};

TEST_F(PaintEditorTest, TheSnapshotFollowsTheEditor) {
  Editor.Marks().EofMark().SetVisible(true);
  const TPaintContext context = MakePaintContext(Editor);
  EXPECT_TRUE(context.Showing);
  EXPECT_EQ(context.Metrics.ColWidth, 8);
  EXPECT_EQ(context.Metrics.FontHeight, 16);
  EXPECT_EQ(context.Metrics.TextLeft, 8);
  EXPECT_EQ(context.Metrics.ClientWidth, Window.Width);
  EXPECT_TRUE(context.Marks.EofMark.Visible);
  EXPECT_EQ(context.Select.BkColor, 0x800000u);
  EXPECT_EQ(context.Fountain, Editor.ActiveFountain());
  EXPECT_EQ(context.Selection.Kind, TPaintSelectionKind::None);
}

TEST_F(PaintEditorTest, PaintDrawsRowsWithTokenColoursAndTheSelection) {
  Editor.Lines().SetText("go http://a.jp\r\nsecond\r\n");
  PaintEditor(Editor, Canvas);
  auto first = Canvas.TextsAt(2);
  ASSERT_EQ(first.size(), 2u);
  EXPECT_EQ(first[1].Text, "http://a.jp");
  EXPECT_EQ(first[1].Color, kBlue);
  EXPECT_FALSE(Editor.CaretHidden());  // a paint leaves the caret as it was

  Editor.SetSelStart(0);
  Editor.SetSelLength(4);
  const TPaintContext context = MakePaintContext(Editor);
  EXPECT_EQ(context.Selection.Kind, TPaintSelectionKind::Selected);
  EXPECT_EQ(context.Selection.EndCol, 4);
  Canvas.Clear();
  PaintEditor(Editor, Canvas);
  first = Canvas.TextsAt(2);
  ASSERT_GE(first.size(), 2u);
  EXPECT_EQ(first[0].Clip.Right, 8 + 4 * 8);
  EXPECT_EQ(first[0].BkColor, 0x800000u);
}

TEST_F(PaintEditorTest, ATextChangeRepaintsTheChangedRowsAndScrollsTheRowsBelow) {
  Editor.Lines().SetText("one\r\ntwo\r\nthree\r\n");
  EXPECT_GT(Window.InvalidateAllCount, 0);  // a loaded text leaves no record: everything
  Window.Invalidated.clear();
  Editor.ListInfo().ReplaceText(0, 1, "o\r\nne\r\n");
  ASSERT_EQ(Window.Scrolls.size(), 1u);
  EXPECT_EQ(Window.Scrolls[0].Dy, 16);
  // Rows whose start state changed are repainted too, so the band moved starts at or below row 2.
  EXPECT_GE(Window.Scrolls[0].Area.Top, 2 + 2 * 16);
  ASSERT_FALSE(Window.Invalidated.empty());
  EXPECT_EQ(Window.Invalidated.back().Left, 0);
  EXPECT_EQ(Window.Invalidated.back().Top, 2);
  EXPECT_EQ(Window.Invalidated.back().Bottom, Window.Scrolls[0].Area.Top);

  Window.Invalidated.clear();
  Window.Scrolls.clear();
  Editor.ListInfo().ReplaceText(1, 1, "NE\r\n");
  EXPECT_TRUE(Window.Scrolls.empty());
  ASSERT_FALSE(Window.Invalidated.empty());
  EXPECT_EQ(Window.Invalidated.back().Left, 0);
  EXPECT_EQ(Window.Invalidated.back().Top, 2 + 16);
}

}  // namespace
}  // namespace editor
