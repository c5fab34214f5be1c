// Row invalidation and the repaint after a text change, read back from a fake window.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/text/editor_screen_strings.h"
#include "editor/view/editor_invalidator.h"
#include "support/fake_window.h"

namespace editor {
namespace {

using test::TFakeWindow;

// Ten visible rows of 16 pixels from y 2, a 640 x 200 client area, top row 10.
class InvalidateTest : public ::testing::Test {
 protected:
  InvalidateTest() {
    Window.Width = 640;
    Window.Height = 200;
    Metrics.TopRow = 10;
    Metrics.VisibleRows = 10;
    Metrics.ClientWidth = 640;
    Metrics.ClientHeight = 200;
  }
  // The band of rows first..last as InvalidateRows marks it.
  TRect Band(int first, int last) const { return {0, Metrics.RowTop(first), 640, Metrics.RowTop(last) + 16}; }
  void Change(int start, int oldRows, int newRows, int changedRows, int rowCount) {
    TLastUpdate update;
    update.StartRow = start;
    update.OldRows = oldRows;
    update.NewRows = newRows;
    update.ChangedRows = changedRows;
    TEditorInvalidator(&Window, Metrics, Bars).RepaintAfterChange(update, rowCount, Hooks);
  }

  TFakeWindow Window;
  TPaintMetrics Metrics;
  TPaintBars Bars;
  TRepaintHooks Hooks;
};

TEST_F(InvalidateTest, InvalidateRowTouchesOnlyRowsInView) {
  TEditorInvalidator invalidator(&Window, Metrics);
  invalidator.InvalidateRow(9);
  invalidator.InvalidateRow(21);
  EXPECT_TRUE(Window.Invalidated.empty());
  invalidator.InvalidateRow(12);
  invalidator.InvalidateRow(20);  // the partly visible row under the last whole one
  ASSERT_EQ(Window.Invalidated.size(), 2u);
  EXPECT_EQ(Window.Invalidated[0], (TRect{8, 2 + 32, 640, 2 + 48}));
  EXPECT_EQ(Window.Invalidated[1].Top, 2 + 160);
  TEditorInvalidator(nullptr, Metrics).InvalidateRow(12);  // no window yet: nothing to do
}

TEST_F(InvalidateTest, InvalidateRowsClampsToTheViewInEitherOrder) {
  TEditorInvalidator invalidator(&Window, Metrics);
  invalidator.InvalidateRows(30, 5);
  ASSERT_EQ(Window.Invalidated.size(), 1u);
  EXPECT_EQ(Window.Invalidated[0], Band(10, 20));
  invalidator.InvalidateRows(0, 5);
  EXPECT_EQ(Window.Invalidated.size(), 1u);
}

TEST_F(InvalidateTest, SameRowCountRepaintsOnlyTheChangedRows) {
  Change(12, 1, 1, 1, 50);
  EXPECT_EQ(Window.Invalidated, (std::vector<TRect>{Band(12, 12)}));
  EXPECT_TRUE(Window.Scrolls.empty());

  Window.Invalidated.clear();
  Change(12, 1, 1, 3, 50);  // start states changed in the two rows below
  EXPECT_EQ(Window.Invalidated, (std::vector<TRect>{Band(12, 14)}));

  Window.Invalidated.clear();
  Change(14, 1, 1, 1, 15);  // the last row: the row after it may hold the end-of-text mark
  EXPECT_EQ(Window.Invalidated, (std::vector<TRect>{Band(14, 16)}));
  EXPECT_TRUE(Window.Scrolls.empty());
}

TEST_F(InvalidateTest, AddedRowsScrollTheRowsBelowDown) {
  std::vector<std::string> events;
  Hooks.BeginCaretHide = [&events] { events.push_back("caret-"); };
  Hooks.EndCaretHide = [&events] { events.push_back("caret+"); };
  Hooks.BeginUnderlineHide = [&events] { events.push_back("line-"); };
  Hooks.EndUnderlineHide = [&events] { events.push_back("line+"); };
  Change(12, 1, 3, 3, 50);
  EXPECT_EQ(Window.Invalidated, (std::vector<TRect>{Band(12, 14)}));
  ASSERT_EQ(Window.Scrolls.size(), 1u);
  EXPECT_EQ(Window.Scrolls[0].Dx, 0);
  EXPECT_EQ(Window.Scrolls[0].Dy, 32);
  EXPECT_EQ(Window.Scrolls[0].Area, (TRect{8, Metrics.RowTop(15), 640, 200}));
  EXPECT_EQ(events, (std::vector<std::string>{"caret-", "line-", "line+", "caret+"}));
}

TEST_F(InvalidateTest, RemovedRowsScrollTheRowsBelowUp) {
  Change(12, 3, 1, 1, 50);
  EXPECT_EQ(Window.Invalidated, (std::vector<TRect>{Band(12, 12)}));
  ASSERT_EQ(Window.Scrolls.size(), 1u);
  EXPECT_EQ(Window.Scrolls[0].Dy, -32);
  EXPECT_EQ(Window.Scrolls[0].Area, (TRect{8, Metrics.RowTop(13), 640, 200}));
}

TEST_F(InvalidateTest, AChangeAboveTheViewScrollsTheWholeTextArea) {
  Change(2, 1, 2, 2, 50);
  EXPECT_TRUE(Window.Invalidated.empty());
  ASSERT_EQ(Window.Scrolls.size(), 1u);
  EXPECT_EQ(Window.Scrolls[0].Area, (TRect{8, 2, 640, 200}));
  EXPECT_EQ(Window.Scrolls[0].Dy, 16);
}

TEST_F(InvalidateTest, ChangedCountAtTheEndAlsoRepaintsPastTheEnd) {
  Change(13, 2, 1, 1, 14);
  EXPECT_EQ(Window.Invalidated, (std::vector<TRect>{Band(13, 13), Band(14, 15)}));
  EXPECT_EQ(Window.Scrolls.size(), 1u);
}

TEST_F(InvalidateTest, MoreChangedRowsThanTheViewHoldsRepaintsTheTextArea) {
  Change(12, 1, 12, 12, 60);
  EXPECT_EQ(Window.Invalidated, (std::vector<TRect>{TRect{0, 2, 640, 200}}));
  EXPECT_TRUE(Window.Scrolls.empty());
}

TEST_F(InvalidateTest, ImageBarScrollsWithTheTextAndRowNumbersAreRedrawn) {
  Bars.ImagebarVisible = true;
  Bars.ImagebarWidth = 12;
  Bars.LeftbarVisible = true;
  Bars.LeftbarWidth = 40;
  Metrics.TextLeft = 60;
  Change(12, 1, 2, 2, 18);
  ASSERT_EQ(Window.Scrolls.size(), 1u);
  EXPECT_EQ(Window.Scrolls[0].Area.Left, 0);
  ASSERT_EQ(Window.Invalidated.size(), 2u);
  EXPECT_EQ(Window.Invalidated[1], (TRect{12, Metrics.RowTop(14), 52, Metrics.RowTop(20) + 16}));
}

}  // namespace
}  // namespace editor
