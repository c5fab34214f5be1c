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

// What a change repaints: bands of whole rows, and at most one scroll of what lies below the change, under
// the caret and the underline hidden.
TEST_F(InvalidateTest, AChangeRepaintsItsRowsAndScrollsTheRowsBelow) {
  const struct {
    int Start, OldRows, NewRows, ChangedRows, RowCount;
    std::vector<TRect> Invalidated;
    int Dy, ScrollTop;  // no scroll: 0
  } cases[] = {
      {12, 1, 1, 1, 50, {Band(12, 12)}, 0, 0},
      {12, 1, 1, 3, 50, {Band(12, 14)}, 0, 0},  // start states changed in the two rows below
      {14, 1, 1, 1, 15, {Band(14, 16)}, 0, 0},  // the last row: the row after it may hold the end-of-text mark
      {12, 1, 3, 3, 50, {Band(12, 14)}, 32, 82},
      {12, 3, 1, 1, 50, {Band(12, 12)}, -32, 50},
      {2, 1, 2, 2, 50, {}, 16, 2},                               // above the view: the whole text area scrolls
      {13, 2, 1, 1, 14, {Band(13, 13), Band(14, 15)}, -16, 66},  // at the end: past the end too
      {12, 1, 12, 12, 60, {{0, 2, 640, 200}}, 0, 0},             // more rows than the view holds
  };
  for (const auto& c : cases) {
    std::vector<std::string> events;
    Hooks.BeginCaretHide = [&events] { events.push_back("caret-"); };
    Hooks.EndCaretHide = [&events] { events.push_back("caret+"); };
    Hooks.BeginUnderlineHide = [&events] { events.push_back("line-"); };
    Hooks.EndUnderlineHide = [&events] { events.push_back("line+"); };
    Window.Invalidated.clear();
    Window.Scrolls.clear();
    Change(c.Start, c.OldRows, c.NewRows, c.ChangedRows, c.RowCount);
    SCOPED_TRACE(std::to_string(c.Start) + " " + std::to_string(c.OldRows) + " -> " + std::to_string(c.NewRows));
    EXPECT_EQ(Window.Invalidated, c.Invalidated);
    ASSERT_EQ(Window.Scrolls.size(), c.Dy != 0 ? 1u : 0u);
    if (c.Dy == 0) continue;
    EXPECT_EQ(Window.Scrolls[0].Dx, 0);
    EXPECT_EQ(Window.Scrolls[0].Dy, c.Dy);
    EXPECT_EQ(Window.Scrolls[0].Area, (TRect{8, c.ScrollTop, 640, 200}));
    EXPECT_EQ(events, (std::vector<std::string>{"caret-", "line-", "line+", "caret+"}));
  }
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
