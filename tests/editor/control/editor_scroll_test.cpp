// Scrolling the view: top row and column with the pixels scrolled and the events raised, the scroll
// requests, the page scroll that takes the caret along, and keeping the caret in view.
#include <gtest/gtest.h>

#include <string>

#include "editor/control/editor.h"
#include "editor/text/editor_screen_strings.h"
#include "support/change_listener.h"
#include "support/windowed_editor.h"

namespace editor {
namespace {

using TEventCount = test::TChangeListener;

// A hundred rows in a window ten rows high (top margin 2, 16-pixel rows, text from x = 31).
class ScrollTest : public ::testing::Test, public test::TWindowedEditor {
 protected:
  ScrollTest() : TWindowedEditor(10) {
    std::string text;
    for (int i = 0; i < 100; ++i) text += "row " + std::to_string(i) + "\r\n";
    Editor.Lines().SetText(text);
    Editor.OnTopRowChange = MethodEvent<&TEventCount::Heard>(&TopRowChanges);
    Editor.OnTopColChange = MethodEvent<&TEventCount::Heard>(&TopColChanges);
  }

  TEventCount TopRowChanges, TopColChanges;
};

TEST_F(ScrollTest, SetTopRowClampsScrollsThePixelsAndReportsRealChangesOnly) {
  ASSERT_EQ(Editor.VisibleRows(), 10);
  Editor.SetTopRow(5);
  EXPECT_EQ(Editor.TopRow(), 5);
  ASSERT_EQ(Window.Scrolls.size(), 1u);
  EXPECT_EQ(Window.Scrolls[0].Dy, -5 * 16);
  EXPECT_EQ(Window.Scrolls[0].Dx, 0);
  EXPECT_EQ(Window.Scrolls[0].Area, (TRect{0, 2, 640, 167}));
  EXPECT_EQ(TopRowChanges.Count, 1);

  Editor.SetTopRow(5);
  EXPECT_EQ(Window.Scrolls.size(), 1u);
  EXPECT_EQ(TopRowChanges.Count, 1);

  Editor.SetTopRow(-3);
  EXPECT_EQ(Editor.TopRow(), 0);
  EXPECT_EQ(Window.Scrolls.back().Dy, 5 * 16);

  // A jump of more than a page scrolls one page and a row: all of the text area is new.
  Editor.SetTopRow(1000);
  EXPECT_EQ(Editor.TopRow(), 100);
  EXPECT_EQ(Window.Scrolls.back().Dy, -11 * 16);
  EXPECT_EQ(TopRowChanges.Count, 3);
  Editor.SetTopRow(150);  // clamps to where it is: nothing
  EXPECT_EQ(TopRowChanges.Count, 3);
}

TEST_F(ScrollTest, VerticalScrollRequests) {
  EXPECT_EQ(Editor.Viewport().MaxRow(), 100 + 10 - 1);
  Editor.VScroll(TScrollRequest::LineDown, 0);
  EXPECT_EQ(Editor.TopRow(), 1);
  Editor.VScroll(TScrollRequest::PageDown, 0);
  EXPECT_EQ(Editor.TopRow(), 11);
  Editor.VScroll(TScrollRequest::LineUp, 0);
  Editor.VScroll(TScrollRequest::PageUp, 0);
  EXPECT_EQ(Editor.TopRow(), 0);
  Editor.VScroll(TScrollRequest::PageUp, 0);
  Editor.VScroll(TScrollRequest::LineUp, 0);
  EXPECT_EQ(TopRowChanges.Count, 4) << "nothing above the first row";
  Editor.VScroll(TScrollRequest::ThumbTrack, 42);
  EXPECT_EQ(Editor.TopRow(), 42);
  Editor.VScroll(TScrollRequest::EndScroll, 0);
  EXPECT_EQ(Editor.TopRow(), 42);
  Editor.VScroll(TScrollRequest::Bottom, 0);
  EXPECT_EQ(Editor.TopRow(), 100);
  const int events = TopRowChanges.Count;
  Editor.VScroll(TScrollRequest::LineDown, 0);
  EXPECT_EQ(Editor.TopRow(), 100);
  EXPECT_EQ(TopRowChanges.Count, events);
  Editor.VScroll(TScrollRequest::Top, 0);
  EXPECT_EQ(Editor.TopRow(), 0);
  EXPECT_EQ(Editor.Row(), 0) << "the caret stays without LockScroll";
}

TEST_F(ScrollTest, LockScrollTakesTheCaretAlong) {
  Editor.Caret().SetLockScroll(true);
  Editor.SetRow(3);
  Editor.VScroll(TScrollRequest::PageDown, 0);
  EXPECT_EQ(Editor.TopRow(), 10);
  EXPECT_EQ(Editor.Row(), 13);
}

TEST_F(ScrollTest, ScrollRowsMovesViewAndCaretTogether) {
  Editor.SetRow(3);
  Editor.ScrollRows(8);
  EXPECT_EQ(Editor.TopRow(), 8);
  EXPECT_EQ(Editor.Row(), 11);
  Editor.ScrollRows(-8);
  EXPECT_EQ(Editor.TopRow(), 0);
  EXPECT_EQ(Editor.Row(), 3);
  Editor.ScrollRows(-8);  // at the top only the caret moves
  EXPECT_EQ(Editor.TopRow(), 0);
  EXPECT_EQ(Editor.Row(), 0);

  // A text ending without a line break: once its last row is the top row, paging down stops.
  Editor.Lines().SetText("a\r\nb\r\nc");
  Editor.SetTopRow(2);
  Editor.SetRow(2);
  Editor.ScrollRows(8);
  EXPECT_EQ(Editor.TopRow(), 2);
  EXPECT_EQ(Editor.Row(), 2);
}

TEST_F(ScrollTest, TheCaretIsKeptInViewWithTheLeastScroll) {
  Editor.SetRow(30);
  Editor.ScrollCaret();
  EXPECT_EQ(Editor.TopRow(), 21);  // the caret on the last visible row
  EXPECT_EQ(Editor.CaretModel().Position(), (TPoint{31, 2 + 9 * 16}));
  Editor.SetRow(22);
  Editor.ScrollCaret();
  EXPECT_EQ(Editor.TopRow(), 21);
  Editor.SetRow(5);
  Editor.ScrollCaret();
  EXPECT_EQ(Editor.TopRow(), 5);
  EXPECT_EQ(Editor.CaretModel().Position(), (TPoint{31, 2}));
}

TEST_F(ScrollTest, ScrollCaretMessageBringsTheCaretToAThirdOfTheView) {
  Editor.SetRow(50);
  Editor.ScrollCaretMessage();
  EXPECT_EQ(Editor.TopRow(), 50 - 10 / 3);
  Editor.ScrollCaretMessage();
  EXPECT_EQ(Editor.TopRow(), 47) << "a caret in view stays where it is";
}

TEST_F(ScrollTest, HorizontalScrollMovesColumnsAndTheOffset) {
  const int visibleCols = Editor.VisibleCols();
  ASSERT_EQ(visibleCols, (640 - 31 - 4) / 8);
  Editor.HScroll(TScrollRequest::LineDown, 0);
  EXPECT_EQ(Editor.TopCol(), 1);
  EXPECT_EQ(Editor.Viewport().HOffset(), 8);
  EXPECT_EQ(Window.Scrolls.back().Dx, -8);
  EXPECT_EQ(Window.Scrolls.back().Area, (TRect{31, 0, 640, 167}));
  EXPECT_EQ(TopColChanges.Count, 1);
  Editor.HScroll(TScrollRequest::Bottom, 0);
  EXPECT_EQ(Editor.TopCol(), 1000 - visibleCols / 2);
  Editor.HScroll(TScrollRequest::ThumbPosition, 3);
  EXPECT_EQ(Editor.TopCol(), 3);
  EXPECT_EQ(Editor.Viewport().HOffset(), 24);
  Editor.HScroll(TScrollRequest::Top, 0);
  EXPECT_EQ(Editor.TopCol(), 0);
  EXPECT_EQ(Editor.Viewport().HOffset(), 0);
}

TEST_F(ScrollTest, RangesFollowTheTextAndTheWindowsScrollBars) {
  Editor.SetScrollBars(ssVertical);
  EXPECT_EQ(Window.VerticalBar.Max, 109);
  EXPECT_EQ(Window.VerticalBar.Page, Editor.VisibleRows());
  Editor.SetTopRow(90);
  EXPECT_EQ(Window.VerticalBar.Position, 90);
  Editor.ListInfo().ReplaceText(10, 85, "");  // fifteen rows left
  EXPECT_EQ(Editor.Viewport().MaxRow(), 15 + Editor.VisibleRows() - 1);
  EXPECT_LE(Editor.TopRow(), 15);
  EXPECT_EQ(Window.HorizontalBar.Max, 0) << "no horizontal bar was asked for";
}

TEST(ScrollWithoutWindow, TheTopRowIsOnlyStored) {
  TEditor editor;
  TEventCount changes;
  editor.OnTopRowChange = MethodEvent<&TEventCount::Heard>(&changes);
  editor.Lines().SetText("a\r\nb\r\nc\r\n");
  editor.SetTopRow(9);
  EXPECT_EQ(editor.TopRow(), 3);
  EXPECT_EQ(changes.Count, 0);
}

}  // namespace
}  // namespace editor
